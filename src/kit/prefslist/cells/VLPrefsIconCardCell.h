#pragma once

#include <memory>

#include "prefslist/cells/VLPrefsCardCell.h"
#include "ui/ImageView.h"

// A card with the accent-coloured icon tile at its leading side and the semibold title beside
// it: the frame of every preference cell but the tinted button.
//
// The tile is 45 points square, 10 inside the card's leading edge, either centred on the card
// or 10 below its top (the tall cells with a control under a separator). The title and the
// grey second line start 10 points after the tile, 2 inside its top and bottom, and end 10
// points inside a trailing reference that each class chooses.
class VLPrefsIconCardCell : public VLPrefsCardCell {
public:
    static constexpr double kTileSize = 45;
    static constexpr double kTileCornerRadius = 13;
    static constexpr double kIconSize = 30;
    static constexpr double kSpacing = 10;

    const std::shared_ptr<ui::View>& iconView() const { return iconView_; }
    void setIconView(std::shared_ptr<ui::View> view) { iconView_ = std::move(view); }
    const std::shared_ptr<ui::ImageView>& icon() const { return icon_; }
    void setIcon(std::shared_ptr<ui::ImageView> icon) { icon_ = std::move(icon); }

    // Clears the title and the icon's image.
    void prepareForReuse() override;

protected:
    using VLPrefsCardCell::VLPrefsCardCell;

    enum class TilePlacement { CentredOnCard, BelowCardTop };

    // The card, the tile and the icon on it.
    void buildIconCard(TilePlacement placement);
    // The title, ending 10 points inside `trailingReference`.
    void buildTitle(const ui::LayoutAnchor& trailingReference);
    // A left-aligned grey 14-point label under the title, ending 10 points inside
    // `trailingReference`.
    std::shared_ptr<ui::Label> buildSecondLine(const ui::LayoutAnchor& trailingReference);
    // A hairline 10 points under the tile, 15 inside the card's sides.
    std::shared_ptr<ui::View> buildSeparator();
    // A grey semibold 14-point value label on the card (the tall cells' numeric readout).
    std::shared_ptr<ui::Label> buildValueLabel(gfx::TextAlignment alignment);
    // Keeps a placed value label at most 50 points wide.
    static void limitValueLabelWidth(ui::Label& label);

    static std::shared_ptr<ui::ImageView> makePreview(double cornerRadius, gfx::CornerCurve curve);
    static void clearImage(const std::shared_ptr<ui::ImageView>& imageView);

private:
    std::shared_ptr<ui::View> iconView_;
    std::shared_ptr<ui::ImageView> icon_;
};
