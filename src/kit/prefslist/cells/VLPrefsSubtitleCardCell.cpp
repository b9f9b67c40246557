#include "prefslist/cells/VLPrefsSubtitleCardCell.h"

#include "uikit/ViewLayoutExtension.h"

void VLPrefsSubtitleCardCell::prepareForReuse() {
    VLPrefsIconCardCell::prepareForReuse();
    clearText(subtitleLabel_);
}

void VLPrefsSubtitleCardCell::buildTitles(const ui::LayoutAnchor& trailingReference) {
    buildTitle(trailingReference);
    subtitleLabel_ = buildSecondLine(trailingReference);
}

std::shared_ptr<ui::ImageView> VLPrefsSubtitleCardCell::buildPictureCard(double size, double cornerRadius,
                                                                         gfx::CornerCurve curve) {
    buildIconCard(TilePlacement::CentredOnCard);
    auto& card = *baseView();
    auto picture = makePreview(cornerRadius, curve);
    card.addSubview(picture);
    extension::size(*picture, {size, size});
    extension::y(*picture, card.centerYAnchor());
    extension::trailing(*picture, card.trailingAnchor(), -kSpacing);
    buildTitles(picture->trailingAnchor());
    finishBuilding();
    return picture;
}
