#include "prefslist/cells/VLPrefsSliderCell.h"

#include "uikit/ViewLayoutExtension.h"

namespace {

constexpr double kControlSideInset = 15;
constexpr double kControlGap = 5;

}  // namespace

std::shared_ptr<VLPrefsSliderCell> VLPrefsSliderCell::create(ui::TableViewCellStyle style,
                                                             std::string reuseIdentifier) {
    auto cell = adopt(new VLPrefsSliderCell(style, std::move(reuseIdentifier)));
    cell->buildIconCard(TilePlacement::BelowCardTop);
    auto& card = *cell->baseView();

    auto value = cell->buildValueLabel(gfx::TextAlignment::Right);
    extension::y(*value, cell->iconView()->centerYAnchor());
    extension::trailing(*value, card.trailingAnchor(), -kSpacing);
    limitValueLabelWidth(*value);
    cell->valueLabel_ = value;

    cell->buildTitles(value->trailingAnchor());
    cell->lineView_ = cell->buildSeparator();

    auto slider = ui::Slider::create();
    cell->addControl(slider);
    extension::x(*slider, card.centerXAnchor());
    extension::top(*slider, cell->lineView_->bottomAnchor(), kControlGap);
    extension::leading(*slider, card.leadingAnchor(), kControlSideInset);
    extension::trailing(*slider, card.trailingAnchor(), -kControlSideInset);
    cell->slider_ = slider;

    cell->finishBuilding();
    return cell;
}
