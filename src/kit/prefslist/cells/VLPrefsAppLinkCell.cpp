#include "prefslist/cells/VLPrefsAppLinkCell.h"

std::shared_ptr<VLPrefsAppLinkCell> VLPrefsAppLinkCell::create(ui::TableViewCellStyle style,
                                                               std::string reuseIdentifier) {
    auto cell = adopt(new VLPrefsAppLinkCell(style, std::move(reuseIdentifier)));
    cell->buildIconCard(TilePlacement::CentredOnCard);
    cell->buildTitles(cell->baseView()->trailingAnchor());
    cell->finishBuilding();
    return cell;
}
