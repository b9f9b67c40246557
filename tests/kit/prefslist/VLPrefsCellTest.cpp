#include <gtest/gtest.h>

#include <algorithm>

#include "PrefsCellCatalogue.h"
#include "PrefsCellWindow.h"
#include "prefslist/cells/VLPrefsCardCell.h"
#include "prefslist/cells/VLPrefsIconCardCell.h"
#include "prefslist/cells/VLPrefsSegmentCell.h"
#include "prefslist/cells/VLPrefsSwitchCell.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/Touch.h"

namespace {

using testsupport::allPrefsCells;
using testsupport::CellInWindow;

void collect(ui::View& view, std::vector<std::shared_ptr<ui::View>>& out) {
    for (const auto& subview : view.subviews()) {
        out.push_back(subview);
        collect(*subview, out);
    }
}

TEST(VLPrefsCells, EveryClassLaysOutCleanlyWithTheCardInsetAndTheTileAtItsLeadingSide) {
    for (const auto& entry : allPrefsCells()) {
        SCOPED_TRACE(entry.name);
        CellInWindow f(entry.make(), entry.rowHeight);
        EXPECT_TRUE(f.logLines.empty()) << f.logLines.front();

        auto& cell = static_cast<VLPrefsCardCell&>(*f.cell);
        EXPECT_EQ(cell.baseView()->frame(), gfx::Rect(20, 5, 350, entry.rowHeight - 10));
        EXPECT_EQ(cell.layer().cornerRadius(), 10);
        EXPECT_TRUE(cell.clipsToBounds());
        // The controls' content view lies above the card.
        EXPECT_EQ(cell.subviews().back(), cell.contentView());
        if (!entry.hasIconTile) continue;

        auto& tiled = static_cast<VLPrefsIconCardCell&>(cell);
        gfx::Rect tile = tiled.iconView()->frame();
        EXPECT_EQ(tile.size(), gfx::Size(45, 45));
        EXPECT_EQ(tile.x, 10);
        double expectedTop = entry.rowHeight == 115 ? 10 : (65 - 45) / 2.0;
        EXPECT_EQ(tile.y, expectedTop);
        EXPECT_EQ(tiled.icon()->frame(), gfx::Rect(7.5, 7.5, 30, 30));
        EXPECT_EQ(tiled.titleLabel()->frame().x, 65);
    }
}

// Everything with content is filled, reused, and must come back empty unless it is listed
// as kept (the font sample, the wheel, the numeric value labels).
TEST(VLPrefsCells, PrepareForReuseClearsExactlyTheRowSpecificContent) {
    gfx::Image pixel(1, 1, {0xFFFF0000u});
    for (const auto& entry : allPrefsCells()) {
        SCOPED_TRACE(entry.name);
        auto cell = entry.make();
        cell->setSelected(true);
        std::vector<std::shared_ptr<ui::View>> views;
        collect(*cell, views);
        for (const auto& view : views) {
            if (auto label = std::dynamic_pointer_cast<ui::Label>(view); label && label->text().empty()) {
                label->setText("row text");
            }
            if (auto image = std::dynamic_pointer_cast<ui::ImageView>(view);
                image && image->image().isNull()) {
                image->setImage(pixel);
            }
        }

        cell->prepareForReuse();
        EXPECT_FALSE(cell->isSelected());
        auto kept = entry.keptOnReuse(*cell);
        for (const auto& view : views) {
            bool shouldKeep = std::find(kept.begin(), kept.end(), view) != kept.end();
            if (auto label = std::dynamic_pointer_cast<ui::Label>(view)) {
                EXPECT_EQ(label->text().empty(), !shouldKeep) << "label '" << label->text() << "'";
            }
            if (auto image = std::dynamic_pointer_cast<ui::ImageView>(view)) {
                EXPECT_EQ(image->image().isNull(), !shouldKeep) << "image view " << image->imageName();
            }
        }
    }
}

TEST(VLPrefsCells, SetSegmentsReplacesTheSegmentsInOrder) {
    auto cell = VLPrefsSegmentCell::create();
    EXPECT_EQ(cell->segment()->numberOfSegments(), 0);
    cell->setSegments({"Old", "Older"});
    cell->segment()->setSelectedSegmentIndex(1);
    cell->setSegments({"Low", "Medium", "High"});
    ASSERT_EQ(cell->segment()->numberOfSegments(), 3);
    for (int i = 0; const char* title : {"Low", "Medium", "High"})
        EXPECT_EQ(cell->segment()->titleForSegmentAtIndex(i++), title);
    cell->prepareForReuse();
    EXPECT_EQ(cell->segment()->numberOfSegments(), 3);
    cell->setSegments({});
    EXPECT_EQ(cell->segment()->numberOfSegments(), 0);
}

TEST(VLPrefsCells, ATapOnTheSwitchTogglesItThroughTheCard) {
    CellInWindow f(VLPrefsSwitchCell::create(), 75);
    auto& toggle = *static_cast<VLPrefsSwitchCell&>(*f.cell).toggleSwitch();
    gfx::Rect frame = f.inCell(toggle);
    // 10 points inside the card's trailing edge, centred on it.
    EXPECT_EQ(frame.maxX(), 360);
    EXPECT_EQ(frame.midY(), 37.5);

    gfx::Point centre = toggle.convertPoint({frame.width / 2, frame.height / 2}, nullptr);
    f.window->sendTouch(ui::Touch(1, ui::TouchPhase::Began, centre));
    f.window->sendTouch(ui::Touch(1, ui::TouchPhase::Ended, centre));
    EXPECT_TRUE(toggle.isOn());
}

}  // namespace
