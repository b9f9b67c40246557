#include "prefslist/cells/VLPrefsSegmentCell.h"

#include "uikit/ViewLayoutExtension.h"

namespace {

constexpr double kControlSideInset = 15;
constexpr double kControlGap = 3;

}  // namespace

std::shared_ptr<VLPrefsSegmentCell> VLPrefsSegmentCell::create(ui::TableViewCellStyle style,
                                                               std::string reuseIdentifier) {
    auto cell = adopt(new VLPrefsSegmentCell(style, std::move(reuseIdentifier)));
    cell->buildIconCard(TilePlacement::BelowCardTop);
    auto& card = *cell->baseView();
    cell->buildTitles(card.trailingAnchor());
    cell->lineView_ = cell->buildSeparator();

    auto segment = ui::SegmentedControl::create();
    cell->addControl(segment);
    extension::x(*segment, card.centerXAnchor());
    extension::top(*segment, cell->lineView_->bottomAnchor(), kControlGap);
    extension::leading(*segment, card.leadingAnchor(), kControlSideInset);
    extension::trailing(*segment, card.trailingAnchor(), -kControlSideInset);
    cell->segment_ = segment;

    cell->finishBuilding();
    return cell;
}

void VLPrefsSegmentCell::setSegments(const std::vector<std::string>& titles) {
    if (!segment_) return;
    segment_->removeAllSegments();
    for (const auto& title : titles) {
        segment_->insertSegmentWithTitle(title, segment_->numberOfSegments(), false);
    }
}
