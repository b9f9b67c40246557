#include "prefslist/cells/VLPrefsButtonCell.h"

std::shared_ptr<VLPrefsButtonCell> VLPrefsButtonCell::create(ui::TableViewCellStyle style,
                                                             std::string reuseIdentifier) {
    auto cell = adopt(new VLPrefsButtonCell(style, std::move(reuseIdentifier)));
    cell->buildIconCard(TilePlacement::CentredOnCard);
    cell->buildTitles(cell->baseView()->trailingAnchor());
    cell->finishBuilding();
    return cell;
}
