#pragma once

#include <memory>
#include <string>

#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/TableViewCell.h"

// One application of the application picker: a rounded card with the application's icon,
// its name over its bundle identifier, and a checkmark the picker shows on selected rows.
class VLAppListCell : public ui::TableViewCell {
public:
    static constexpr double kCardVerticalInset = 5;
    static constexpr double kCardHorizontalInset = 10;
    static constexpr double kCardCornerRadius = 15;
    static constexpr double kIconSide = 45;
    static constexpr double kIconCornerRadius = 13;
    static constexpr double kCheckmarkSide = 20;
    static constexpr double kSpacing = 10;
    // The texts sit this far inside the icon's top and bottom.
    static constexpr double kTextInset = 2;

    static std::shared_ptr<VLAppListCell> create(
        ui::TableViewCellStyle style = ui::TableViewCellStyle::Subtitle, std::string reuseIdentifier = {});
    const char* className() const override { return "VLAppListCell"; }

    const std::shared_ptr<ui::View>& baseView() const { return baseView_; }
    const std::shared_ptr<ui::ImageView>& icon() const { return icon_; }
    const std::shared_ptr<ui::ImageView>& checkmark() const { return checkmark_; }
    const std::shared_ptr<ui::Label>& titleLabel() const { return titleLabel_; }
    const std::shared_ptr<ui::Label>& subtitleLabel() const { return subtitleLabel_; }

    // Clears the icon and both texts after the platform's own reset.
    void prepareForReuse() override;

protected:
    using ui::TableViewCell::TableViewCell;

private:
    void layoutBaseView();
    void layoutIcon();
    void layoutCheckmark();
    void layoutLabels();

    std::shared_ptr<ui::View> baseView_;
    std::shared_ptr<ui::ImageView> icon_;
    std::shared_ptr<ui::ImageView> checkmark_;
    std::shared_ptr<ui::Label> titleLabel_;
    std::shared_ptr<ui::Label> subtitleLabel_;
};
