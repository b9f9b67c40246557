#pragma once

#include <memory>

#include "ui/CollectionViewCell.h"
#include "ui/ImageView.h"
#include "ui/Label.h"

// A category of the home screen's strip: a rounded card with the category's icon in a tinted
// tile at its top leading corner and its title along the bottom. The home screen fills it
// (tile colour, icon tint, icon, title) and sizes it from the title.
class VLPrefsCategoriesCell : public ui::CollectionViewCell {
public:
    static constexpr double kCornerRadius = 13;
    static constexpr double kTitlePointSize = 16;
    static constexpr double kHeight = 90;
    // The cell is this much wider than its title.
    static constexpr double kExtraWidth = 25;

    static std::shared_ptr<VLPrefsCategoriesCell> create(const gfx::Rect& frame = {});
    const char* className() const override { return "VLPrefsCategoriesCell"; }

    const std::shared_ptr<ui::View>& baseView() const { return baseView_; }
    const std::shared_ptr<ui::View>& iconView() const { return iconView_; }
    const std::shared_ptr<ui::ImageView>& iconImage() const { return iconImage_; }
    const std::shared_ptr<ui::Label>& titleLabel() const { return titleLabel_; }

    // Clears the icon and the title, so a reused cell never shows another category's.
    void prepareForReuse() override;

    // The width of the cell for `title`: the title on one line in the cell's font, plus 25.
    static double widthForTitle(const std::string& title);

protected:
    VLPrefsCategoriesCell() = default;

private:
    void build();

    std::shared_ptr<ui::View> baseView_;
    std::shared_ptr<ui::View> iconView_;
    std::shared_ptr<ui::ImageView> iconImage_;
    std::shared_ptr<ui::Label> titleLabel_;
};
