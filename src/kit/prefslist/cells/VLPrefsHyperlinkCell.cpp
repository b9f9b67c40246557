#include "prefslist/cells/VLPrefsHyperlinkCell.h"

std::shared_ptr<VLPrefsHyperlinkCell> VLPrefsHyperlinkCell::create(ui::TableViewCellStyle style,
                                                                   std::string reuseIdentifier) {
    auto cell = adopt(new VLPrefsHyperlinkCell(style, std::move(reuseIdentifier)));
    cell->buildIconCard(TilePlacement::CentredOnCard);
    cell->buildTitles(cell->baseView()->trailingAnchor());
    cell->finishBuilding();
    return cell;
}
