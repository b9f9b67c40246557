#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Log.h"
#include "ui/LayoutConstraint.h"
#include "ui/LayoutEngine.h"
#include "ui/TableViewCell.h"
#include "ui/Window.h"

namespace {

using ui::LayoutConstraint;
using ui::View;

// A cell (a layout island) holding a badge pinned 16 from its leading edge, centred vertically,
// 40 wide and 10 shorter than the cell.
struct BadgeCell {
    std::shared_ptr<ui::TableViewCell> cell = ui::TableViewCell::create();
    std::shared_ptr<View> badge = View::create();
    std::shared_ptr<LayoutConstraint> leading, centerY;

    BadgeCell() {
        badge->setTranslatesAutoresizingMaskIntoConstraints(false);
        cell->contentView()->addSubview(badge);
        leading = badge->leadingAnchor().equalTo(cell->contentView()->leadingAnchor(), 16);
        centerY = badge->centerYAnchor().equalTo(cell->centerYAnchor());
        LayoutConstraint::activate({leading, centerY, badge->widthAnchor().equalToConstant(40),
                                    badge->heightAnchor().equalTo(cell->heightAnchor(), 1, -10)});
    }
    gfx::Rect badgeInCell() const { return badge->superview()->convertRect(badge->frame(), cell.get()); }
};

TEST(LayoutIsland, ACellTakenOutAndEditedLaysOutAgainWhereverItIsPutBack) {
    auto window = ui::Window::create({390, 844}, 2);
    auto scroller = View::create();
    scroller->setFrame({0, 0, 390, 844});
    window->addSubview(scroller);
    BadgeCell row;
    ASSERT_TRUE(row.cell->isLayoutIsland());
    row.cell->setFrame({0, 100, 390, 60});
    scroller->addSubview(row.cell);
    window->layoutIfNeeded();
    EXPECT_EQ(row.badgeInCell(), gfx::Rect(16, 5, 40, 50));
    std::size_t windowConstraints = window->layoutEngine().solverConstraintCount();

    // Out of the window (as in a reuse pool) its constraints stay with it and still take edits:
    // a new constant and a new height are there when it comes back elsewhere.
    row.cell->removeFromSuperview();
    EXPECT_TRUE(row.leading->isInstalled());
    row.leading->setConstant(30);
    row.cell->setFrame({0, 0, 390, 100});
    scroller->setBounds({0, 500, 390, 844});
    row.cell->setFrame({0, 700, 390, 100});
    scroller->addSubview(row.cell);
    window->layoutIfNeeded();
    EXPECT_EQ(row.badgeInCell(), gfx::Rect(30, 5, 40, 90));
    EXPECT_EQ(row.badge->convertRect(row.badge->bounds(), nullptr), gfx::Rect(30, 205, 40, 90));
    // The window's solver never saw the cell's constraints.
    EXPECT_EQ(window->layoutEngine().solverConstraintCount(), windowConstraints);

    // A cell moving to a right-to-left window mirrors its leading edge there.
    auto mirrored = ui::Window::create({390, 844}, 2);
    mirrored->setLayoutDirection(ui::LayoutDirection::RightToLeft);
    mirrored->addSubview(row.cell);
    mirrored->layoutIfNeeded();
    EXPECT_EQ(row.badgeInCell(), gfx::Rect(390 - 30 - 40, 5, 40, 90));
    // And back again when that window turns left to right.
    mirrored->setLayoutDirection(ui::LayoutDirection::LeftToRight);
    mirrored->layoutIfNeeded();
    EXPECT_EQ(row.badgeInCell(), gfx::Rect(30, 5, 40, 90));
}

TEST(LayoutIsland, AConstraintAcrossTheCellsEdgeIsKeptByGivingTheIslandUp) {
    std::vector<std::string> log;
    base::Log::setSink([&log](std::string_view line) { log.emplace_back(line); });
    auto window = ui::Window::create({390, 844}, 2);
    auto marker = View::create();
    marker->setFrame({200, 0, 10, 10});
    window->addSubview(marker);
    BadgeCell row;
    row.cell->setFrame({0, 100, 390, 60});
    window->addSubview(row.cell);

    auto across = row.badge->topAnchor().equalTo(marker->bottomAnchor(), 3);
    LayoutConstraint::deactivate({row.leading, row.centerY});
    LayoutConstraint::activate({across, row.badge->leftAnchor().equalTo(marker->leftAnchor())});
    window->layoutIfNeeded();
    base::Log::resetSink();

    EXPECT_FALSE(row.cell->isLayoutIsland());
    EXPECT_TRUE(across->isInstalled());
    EXPECT_EQ(row.badge->convertRect(row.badge->bounds(), nullptr), gfx::Rect(200, 13, 40, 50));
    ASSERT_EQ(log.size(), 1u);
    EXPECT_NE(log.front().find("crosses the edge"), std::string::npos);
    // Given up for good: asking again while the crossing constraint is there changes nothing.
    row.cell->setLayoutIsland(true);
    EXPECT_FALSE(row.cell->isLayoutIsland());
}

TEST(LayoutIsland, ACellLaidOutByConstraintsTakesItsHeightFromItsContent) {
    BadgeCell row;
    row.cell->setFrame({0, 0, 390, 120});
    auto tall = View::create();
    tall->setTranslatesAutoresizingMaskIntoConstraints(false);
    row.cell->contentView()->addSubview(tall);
    LayoutConstraint::activate({tall->heightAnchor().equalToConstant(120),
                                tall->topAnchor().equalTo(row.cell->topAnchor()),
                                tall->bottomAnchor().equalTo(row.cell->bottomAnchor())});
    gfx::Size fitting = row.cell->systemLayoutSizeFitting({390, 0});
    EXPECT_EQ(fitting, gfx::Size(390, 120));
    // Measured, it is an island again, with the badge laid out at its frame's height.
    EXPECT_TRUE(row.cell->isLayoutIsland());
    auto window = ui::Window::create({390, 844}, 2);
    row.cell->setFrame({0, 0, 390, 120});
    window->addSubview(row.cell);
    window->layoutIfNeeded();
    EXPECT_EQ(row.badgeInCell(), gfx::Rect(16, 5, 40, 110));
}

}  // namespace
