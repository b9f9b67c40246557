#include "prefslist/cells/VLPrefsAppListCell.h"

#include "uikit/VLPrefsAppearance.h"
#include "uikit/ViewLayoutExtension.h"

namespace {

constexpr double kBackdropCornerRadius = 7;
constexpr double kBackdropTrailingInset = 7.5;
constexpr double kPreviewCornerRadius = 3;
constexpr double kGridGap = 5;
// The rows' centres lie this far above and below the card's centre.
constexpr double kRowOffset = 12.5;

}  // namespace

std::shared_ptr<VLPrefsAppListCell> VLPrefsAppListCell::create(ui::TableViewCellStyle style,
                                                               std::string reuseIdentifier) {
    auto cell = adopt(new VLPrefsAppListCell(style, std::move(reuseIdentifier)));
    cell->buildIconCard(TilePlacement::CentredOnCard);
    auto& card = *cell->baseView();

    auto backdrop = ui::View::create();
    backdrop->layer().setCornerRadius(kBackdropCornerRadius);
    backdrop->layer().setCornerCurve(gfx::CornerCurve::Continuous);
    backdrop->setBackgroundColor(VLPrefsAppearance::cellSecondaryColour());
    card.addSubview(backdrop);
    extension::size(*backdrop, {kBackdropSize, kBackdropSize});
    extension::y(*backdrop, card.centerYAnchor());
    extension::trailing(*backdrop, card.trailingAnchor(), -kBackdropTrailingInset);
    cell->appView_ = backdrop;

    for (auto& preview : cell->previews_) {
        preview = makePreview(kPreviewCornerRadius, gfx::CornerCurve::Continuous);
        card.addSubview(preview);
        extension::size(*preview, {kPreviewSize, kPreviewSize});
    }
    // The trailing column is pinned to the card; the leading one follows it, 5 points apart.
    auto& [topLeft, topRight, bottomLeft, bottomRight] = cell->previews_;
    extension::trailing(*topRight, card.trailingAnchor(), -kSpacing);
    extension::y(*topRight, card.centerYAnchor(), -kRowOffset);
    extension::trailing(*topLeft, topRight->leadingAnchor(), -kGridGap);
    extension::y(*topLeft, topRight->centerYAnchor());
    extension::trailing(*bottomRight, card.trailingAnchor(), -kSpacing);
    extension::y(*bottomRight, card.centerYAnchor(), kRowOffset);
    extension::trailing(*bottomLeft, bottomRight->leadingAnchor(), -kGridGap);
    extension::y(*bottomLeft, bottomRight->centerYAnchor());

    cell->buildTitles(topLeft->trailingAnchor());
    cell->finishBuilding();
    return cell;
}

void VLPrefsAppListCell::prepareForReuse() {
    VLPrefsSubtitleCardCell::prepareForReuse();
    for (const auto& preview : previews_) clearImage(preview);
}
