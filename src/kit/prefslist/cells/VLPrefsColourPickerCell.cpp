#include "prefslist/cells/VLPrefsColourPickerCell.h"

#include "prefslist/cells/VLColourWheelImage.h"
#include "uikit/ViewLayoutExtension.h"

std::shared_ptr<VLPrefsColourPickerCell> VLPrefsColourPickerCell::create(ui::TableViewCellStyle style,
                                                                         std::string reuseIdentifier) {
    auto cell = adopt(new VLPrefsColourPickerCell(style, std::move(reuseIdentifier)));
    cell->buildIconCard(TilePlacement::CentredOnCard);
    auto& card = *cell->baseView();

    auto wheel = ui::ImageView::create(VLColourWheelImage(), kVLColourWheelImageName);
    wheel->setClipsToBounds(true);
    wheel->layer().setCornerRadius(kWheelSize / 2);
    wheel->setContentMode(gfx::ContentMode::ScaleAspectFill);
    card.addSubview(wheel);
    extension::size(*wheel, {kWheelSize, kWheelSize});
    extension::y(*wheel, cell->iconView()->centerYAnchor());
    extension::trailing(*wheel, card.trailingAnchor(), -kSpacing);
    cell->wheel_ = wheel;

    auto swatch = ui::View::create();
    swatch->layer().setCornerRadius(kSwatchSize / 2);
    card.addSubview(swatch);
    extension::size(*swatch, {kSwatchSize, kSwatchSize});
    extension::xy(*swatch, wheel->centerXAnchor(), wheel->centerYAnchor());
    cell->colourView_ = swatch;

    cell->buildTitles(wheel->leadingAnchor());
    cell->finishBuilding();
    return cell;
}
