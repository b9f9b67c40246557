#include "prefslist/cells/VLPrefsSingleSelectionCell.h"

std::shared_ptr<VLPrefsSingleSelectionCell> VLPrefsSingleSelectionCell::create(ui::TableViewCellStyle style,
                                                                               std::string reuseIdentifier) {
    auto cell = adopt(new VLPrefsSingleSelectionCell(style, std::move(reuseIdentifier)));
    cell->buildIconCard(TilePlacement::CentredOnCard);
    cell->buildTitle(cell->baseView()->trailingAnchor());
    cell->valueLabel_ = cell->buildSecondLine(cell->baseView()->trailingAnchor());
    cell->finishBuilding();
    return cell;
}

void VLPrefsSingleSelectionCell::prepareForReuse() {
    VLPrefsIconCardCell::prepareForReuse();
    clearText(valueLabel_);
}
