#include "prefslist/cells/VLPrefsTextFieldCell.h"

std::shared_ptr<VLPrefsTextFieldCell> VLPrefsTextFieldCell::create(ui::TableViewCellStyle style,
                                                                   std::string reuseIdentifier) {
    auto cell = adopt(new VLPrefsTextFieldCell(style, std::move(reuseIdentifier)));
    cell->buildIconCard(TilePlacement::CentredOnCard);
    cell->buildTitle(cell->baseView()->trailingAnchor());
    cell->textFieldLabel_ = cell->buildSecondLine(cell->baseView()->trailingAnchor());
    cell->finishBuilding();
    return cell;
}

void VLPrefsTextFieldCell::prepareForReuse() {
    VLPrefsIconCardCell::prepareForReuse();
    clearText(textFieldLabel_);
}
