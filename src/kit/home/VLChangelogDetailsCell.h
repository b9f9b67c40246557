#pragma once

#include <memory>
#include <string>

#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/TableViewCell.h"
#include "ui/TextView.h"
#include "ui/TextViewDelegate.h"

// One entry of a changelog release: a card with the category's symbol in a tinted tile, the
// category's label and the release's version in two chips beside it, a hairline, and the
// entry's text below, which gives the row its height.
class VLChangelogDetailsCell : public ui::TableViewCell, public ui::TextViewDelegate {
public:
    static std::shared_ptr<VLChangelogDetailsCell> create(
        ui::TableViewCellStyle style = ui::TableViewCellStyle::Default, std::string reuseIdentifier = {});
    const char* className() const override { return "VLChangelogDetailsCell"; }

    const std::shared_ptr<ui::View>& baseView() const { return baseView_; }
    const std::shared_ptr<ui::View>& iconView() const { return iconView_; }
    const std::shared_ptr<ui::ImageView>& iconImage() const { return iconImage_; }
    const std::shared_ptr<ui::View>& categoriesView() const { return categoriesView_; }
    const std::shared_ptr<ui::Label>& categoriesLabel() const { return categoriesLabel_; }
    const std::shared_ptr<ui::View>& versionView() const { return versionView_; }
    const std::shared_ptr<ui::Label>& versionLabel() const { return versionLabel_; }
    const std::shared_ptr<ui::View>& splitView() const { return splitView_; }
    const std::shared_ptr<ui::TextView>& messageLabel() const { return messageLabel_; }

    // Clears the symbol and the version, category and message texts.
    void prepareForReuse() override;

protected:
    using ui::TableViewCell::TableViewCell;

private:
    void layoutBaseView();
    void layoutIcon();
    void layoutChips();
    void layoutMessage();

    std::shared_ptr<ui::View> baseView_;
    std::shared_ptr<ui::View> iconView_;
    std::shared_ptr<ui::ImageView> iconImage_;
    std::shared_ptr<ui::View> categoriesView_;
    std::shared_ptr<ui::Label> categoriesLabel_;
    std::shared_ptr<ui::View> versionView_;
    std::shared_ptr<ui::Label> versionLabel_;
    std::shared_ptr<ui::View> splitView_;
    std::shared_ptr<ui::TextView> messageLabel_;
};
