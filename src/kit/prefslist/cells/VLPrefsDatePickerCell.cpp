#include "prefslist/cells/VLPrefsDatePickerCell.h"

#include "uikit/ViewLayoutExtension.h"

namespace {

constexpr gfx::Size kPickerSize{188, 35};
constexpr double kPickerGap = 2;
constexpr double kPickerTrailingInset = 12;
constexpr double kValueLeadingInset = 15;

}  // namespace

std::shared_ptr<VLPrefsDatePickerCell> VLPrefsDatePickerCell::create(ui::TableViewCellStyle style,
                                                                     std::string reuseIdentifier) {
    auto cell = adopt(new VLPrefsDatePickerCell(style, std::move(reuseIdentifier)));
    cell->buildIconCard(TilePlacement::BelowCardTop);
    auto& card = *cell->baseView();
    cell->buildTitles(card.trailingAnchor());
    cell->lineView_ = cell->buildSeparator();

    auto picker = ui::DatePicker::create();
    picker->setDatePickerMode(ui::DatePickerMode::DateAndTime);
    picker->setPreferredDatePickerStyle(ui::DatePickerStyle::Compact);
    cell->addControl(picker);
    extension::size(*picker, kPickerSize);
    extension::top(*picker, cell->lineView_->bottomAnchor(), kPickerGap);
    extension::trailing(*picker, card.trailingAnchor(), -kPickerTrailingInset);
    cell->datePicker_ = picker;

    auto value = cell->buildValueLabel(gfx::TextAlignment::Left);
    extension::y(*value, picker->centerYAnchor());
    extension::leading(*value, card.leadingAnchor(), kValueLeadingInset);
    extension::trailing(*value, picker->leadingAnchor(), -kSpacing);
    cell->valueLabel_ = value;

    cell->finishBuilding();
    return cell;
}

void VLPrefsDatePickerCell::prepareForReuse() {
    VLPrefsSubtitleCardCell::prepareForReuse();
    clearText(valueLabel_);
}
