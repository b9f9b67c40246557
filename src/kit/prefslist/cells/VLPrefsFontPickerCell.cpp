#include "prefslist/cells/VLPrefsFontPickerCell.h"

#include "uikit/ViewLayoutExtension.h"

namespace {

constexpr double kSamplePointSize = 12;

}  // namespace

std::shared_ptr<VLPrefsFontPickerCell> VLPrefsFontPickerCell::create(ui::TableViewCellStyle style,
                                                                     std::string reuseIdentifier) {
    auto cell = adopt(new VLPrefsFontPickerCell(style, std::move(reuseIdentifier)));
    cell->buildIconCard(TilePlacement::BelowCardTop);
    auto& card = *cell->baseView();

    auto sample =
        makeLabel(gfx::TextAlignment::Right, gfx::Font::system(kSamplePointSize, gfx::FontWeight::Medium),
                  gfx::Color::tertiaryLabel());
    sample->setText(kSampleText);
    card.addSubview(sample);
    extension::y(*sample, card.centerYAnchor());
    extension::trailing(*sample, card.trailingAnchor(), -kSpacing);
    cell->fontLabel_ = sample;

    cell->buildTitles(sample->leadingAnchor());
    cell->finishBuilding();
    return cell;
}
