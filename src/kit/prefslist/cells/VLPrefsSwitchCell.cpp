#include "prefslist/cells/VLPrefsSwitchCell.h"

#include "uikit/VLPrefsAppearance.h"
#include "uikit/ViewLayoutExtension.h"

std::shared_ptr<VLPrefsSwitchCell> VLPrefsSwitchCell::create(ui::TableViewCellStyle style,
                                                             std::string reuseIdentifier) {
    auto cell = adopt(new VLPrefsSwitchCell(style, std::move(reuseIdentifier)));
    cell->buildIconCard(TilePlacement::CentredOnCard);
    auto& card = *cell->baseView();

    auto toggle = ui::Switch::create();
    toggle->setThumbTintColor(VLPrefsAppearance::secondaryColour());
    cell->addControl(toggle);
    extension::y(*toggle, card.centerYAnchor());
    extension::trailing(*toggle, card.trailingAnchor(), -kSpacing);
    cell->toggleSwitch_ = toggle;

    cell->buildTitles(toggle->leadingAnchor());
    cell->finishBuilding();
    return cell;
}
