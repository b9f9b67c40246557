#include "prefslist/cells/VLPrefsStepperCell.h"

#include "uikit/ViewLayoutExtension.h"

namespace {

constexpr double kControlSideInset = 15;
constexpr double kControlGap = 3;

}  // namespace

std::shared_ptr<VLPrefsStepperCell> VLPrefsStepperCell::create(ui::TableViewCellStyle style,
                                                               std::string reuseIdentifier) {
    auto cell = adopt(new VLPrefsStepperCell(style, std::move(reuseIdentifier)));
    cell->buildIconCard(TilePlacement::BelowCardTop);
    auto& card = *cell->baseView();
    cell->buildTitles(card.trailingAnchor());
    cell->lineView_ = cell->buildSeparator();

    auto stepper = ui::Stepper::create();
    cell->addControl(stepper);
    extension::top(*stepper, cell->lineView_->bottomAnchor(), kControlGap);
    extension::trailing(*stepper, card.trailingAnchor(), -kControlSideInset);
    cell->stepper_ = stepper;

    auto value = cell->buildValueLabel(gfx::TextAlignment::Left);
    extension::y(*value, stepper->centerYAnchor());
    extension::leading(*value, card.leadingAnchor(), kControlSideInset);
    limitValueLabelWidth(*value);
    cell->valueLabel_ = value;

    cell->finishBuilding();
    return cell;
}
