#include <gtest/gtest.h>

#include "ui/TableViewCell.h"
#include "ui/Window.h"

namespace {

using ui::TableViewCell;
using ui::TableViewCellSelectionStyle;
using ui::TableViewCellStyle;

struct AppearanceReset {
    ~AppearanceReset() { TableViewCell::appearance().reset(); }
};

TEST(TableViewCell, TheSelectedBackgroundShowsOnlyWhileSelectedOrHighlightedWithAStyle) {
    auto cell = TableViewCell::create(TableViewCellStyle::Default, "Cell");
    EXPECT_EQ(cell->reuseIdentifier(), "Cell");
    auto background = cell->selectedBackgroundView();
    ASSERT_TRUE(background);
    // Behind the content view.
    EXPECT_EQ(cell->subviews().front(), background);
    EXPECT_TRUE(background->isHidden());

    cell->setHighlighted(true);
    EXPECT_FALSE(background->isHidden());
    cell->setHighlighted(false);
    cell->setSelected(true, true);
    EXPECT_FALSE(background->isHidden());
    cell->setSelectionStyle(TableViewCellSelectionStyle::None);
    EXPECT_TRUE(background->isHidden());

    // A replacement takes the old one's place and state; reuse unselects.
    cell->setSelectionStyle(TableViewCellSelectionStyle::Default);
    auto replacement = ui::View::create();
    cell->setSelectedBackgroundView(replacement);
    EXPECT_FALSE(background->superview());
    EXPECT_FALSE(replacement->isHidden());
    cell->prepareForReuse();
    EXPECT_FALSE(cell->isSelected());
    EXPECT_TRUE(replacement->isHidden());
}

TEST(TableViewCell, TheAppearanceGivesEachLaterCellItsOwnSelectedBackground) {
    AppearanceReset reset;
    auto before = TableViewCell::create();
    TableViewCell::appearance().setSelectedBackgroundColor(gfx::Color(1, 0, 0));
    auto first = TableViewCell::create(), second = TableViewCell::create();
    EXPECT_EQ(first->selectedBackgroundView()->backgroundColor(), gfx::Color(1, 0, 0));
    EXPECT_NE(first->selectedBackgroundView(), second->selectedBackgroundView());
    EXPECT_NE(before->selectedBackgroundView()->backgroundColor(), gfx::Color(1, 0, 0));

    TableViewCell::appearance().setSelectedBackgroundView(nullptr);
    EXPECT_NE(TableViewCell::create()->selectedBackgroundView()->backgroundColor(), gfx::Color(1, 0, 0));
}

TEST(TableViewCell, LabelsAndAccessoryShareTheRow) {
    auto window = ui::Window::create({390, 844});
    auto plain = TableViewCell::create(TableViewCellStyle::Default);
    auto subtitle = TableViewCell::create(TableViewCellStyle::Subtitle);
    EXPECT_TRUE(plain->contentView()->subviews().empty());
    EXPECT_FALSE(plain->detailTextLabel());
    plain->textLabel()->setText("Plain");
    subtitle->textLabel()->setText("Title");
    subtitle->detailTextLabel()->setText("Detail");
    auto accessory = ui::View::create();
    accessory->setFrame({0, 0, 30, 20});
    plain->setAccessoryView(accessory);
    for (auto& cell : {plain, subtitle}) {
        cell->setFrame({0, 0, 390, 60});
        window->addSubview(cell);
    }
    window->layoutIfNeeded();

    EXPECT_EQ(plain->contentView()->frame(), gfx::Rect(0, 0, 390 - 46, 60));
    EXPECT_EQ(accessory->frame(), gfx::Rect(390 - 46, 20, 30, 20));
    EXPECT_EQ(plain->textLabel()->frame().x, 16);
    EXPECT_EQ(plain->textLabel()->frame().maxX(), 390 - 46 - 16);
    // The subtitle's lines are stacked and centred as a block.
    gfx::Rect title = subtitle->textLabel()->frame(), detail = subtitle->detailTextLabel()->frame();
    EXPECT_EQ(detail.y, title.maxY());
    EXPECT_NEAR(title.y, 60 - detail.maxY(), 1e-9);
    EXPECT_EQ(subtitle->contentView()->frame().width, 390);
}

}  // namespace
