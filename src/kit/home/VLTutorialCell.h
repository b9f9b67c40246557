#pragma once

#include <memory>
#include <string>

#include "ui/ImageView.h"
#include "ui/TableViewCell.h"
#include "ui/TextView.h"
#include "ui/TextViewDelegate.h"

// One step of the written tutorial: a 45-point symbol beside a paragraph, inset from the row's
// edges. The paragraph's height gives the row its height.
class VLTutorialCell : public ui::TableViewCell, public ui::TextViewDelegate {
public:
    static constexpr const char* kAccentColorName = "Accent";
    static constexpr double kSymbolSide = 45;

    static std::shared_ptr<VLTutorialCell> create(
        ui::TableViewCellStyle style = ui::TableViewCellStyle::Default, std::string reuseIdentifier = {});
    const char* className() const override { return "VLTutorialCell"; }

    const std::shared_ptr<ui::View>& baseView() const { return baseView_; }
    const std::shared_ptr<ui::ImageView>& iconImage() const { return iconImage_; }
    const std::shared_ptr<ui::TextView>& messageLabel() const { return messageLabel_; }

    void prepareForReuse() override;

protected:
    using ui::TableViewCell::TableViewCell;

private:
    void layoutBaseView();
    void layoutIcon();
    void layoutMessage();

    std::shared_ptr<ui::View> baseView_;
    std::shared_ptr<ui::ImageView> iconImage_;
    std::shared_ptr<ui::TextView> messageLabel_;
};
