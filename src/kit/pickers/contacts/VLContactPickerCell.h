#pragma once

#include <memory>
#include <string>

#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/TableViewCell.h"

// One contact of the contact picker: a rounded card inset 3 points from the row's top and
// bottom and 2 from its sides, a round 50-point avatar at its leading side and beside it the
// name over the number over the e-mail address.
class VLContactPickerCell : public ui::TableViewCell {
public:
    static constexpr double kCardVerticalInset = 3;
    static constexpr double kCardHorizontalInset = 2;
    static constexpr double kCardCornerRadius = 10;
    static constexpr double kAvatarSide = 50;
    static constexpr double kSpacing = 10;

    static std::shared_ptr<VLContactPickerCell> create(
        ui::TableViewCellStyle style = ui::TableViewCellStyle::Default, std::string reuseIdentifier = {});
    const char* className() const override { return "VLContactPickerCell"; }

    const std::shared_ptr<ui::View>& baseView() const { return baseView_; }
    const std::shared_ptr<ui::ImageView>& avatar() const { return avatar_; }
    const std::shared_ptr<ui::Label>& nameLabel() const { return nameLabel_; }
    const std::shared_ptr<ui::Label>& numberLabel() const { return numberLabel_; }
    const std::shared_ptr<ui::Label>& emailLabel() const { return emailLabel_; }

    // Clears the image and the three texts after the platform's own reset.
    void prepareForReuse() override;

protected:
    using ui::TableViewCell::TableViewCell;

private:
    void layoutBaseView();
    void layoutAvatar();
    void layoutLabels();
    std::shared_ptr<ui::Label> makeLabel(const gfx::Font& font, const gfx::Color& color);

    std::shared_ptr<ui::View> baseView_;
    std::shared_ptr<ui::ImageView> avatar_;
    std::shared_ptr<ui::Label> nameLabel_;
    std::shared_ptr<ui::Label> numberLabel_;
    std::shared_ptr<ui::Label> emailLabel_;
};
