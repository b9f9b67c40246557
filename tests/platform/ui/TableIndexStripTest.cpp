#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/TableIndexStrip.h"
#include "ui/TableView.h"
#include "ui/Touch.h"
#include "ui/Window.h"

namespace {

using ui::IndexPath;
using ui::TableView;
using ui::TouchPhase;

// Five lettered sections of ten 44-point rows under 28-point title headers.
class Letters : public ui::TableViewDataSource, public ui::TableViewDelegate {
public:
    std::vector<std::string> titles{"A", "B", "C", "D", "E"};
    int rowsPerSection = 10;
    int sectionOffset = 0;  // added to the section an index title names
    std::vector<std::string> asked;
    std::vector<IndexPath> selected;

    int numberOfSections(TableView&) override { return 5; }
    int numberOfRowsInSection(TableView&, int) override { return rowsPerSection; }
    std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(TableView& table, IndexPath) override {
        return table.dequeueReusableCell("row");
    }
    std::optional<std::string> titleForHeaderInSection(TableView&, int section) override {
        return std::string(1, static_cast<char>('A' + section));
    }
    std::vector<std::string> sectionIndexTitles(TableView&) override { return titles; }
    int sectionForSectionIndexTitle(TableView&, const std::string& title, int index) override {
        asked.push_back(title);
        return index + sectionOffset;
    }
    void didSelectRowAtIndexPath(TableView&, IndexPath indexPath) override { selected.push_back(indexPath); }
};

class TableIndexStripTest : public ::testing::Test {
protected:
    void SetUp() override {
        table->setFrame({0, 0, 320, 480});
        table->registerCell("row",
                            [] { return ui::TableViewCell::create(ui::TableViewCellStyle::Default, "row"); });
        window->addSubview(table);
        table->setDataSource(letters);
        table->setDelegate(letters);
        window->layoutIfNeeded();
    }
    // The centre of an index title, in window coordinates.
    gfx::Point titleCentre(int index) {
        auto strip = table->sectionIndexStrip();
        gfx::Rect rect = strip->convertRect(strip->rectForTitle(index), nullptr);
        return {rect.midX(), rect.midY()};
    }
    void touch(TouchPhase phase, gfx::Point point) { window->sendTouch(ui::Touch(1, phase, point)); }
    double headerTop(int section) { return table->rectForHeaderInSection(section).y; }

    std::shared_ptr<ui::Window> window = ui::Window::create({320, 480});
    std::shared_ptr<Letters> letters = std::make_shared<Letters>();
    std::shared_ptr<TableView> table = TableView::create(TableView::Style::Plain);
};

TEST_F(TableIndexStripTest, DraggingAlongTheStripVisitsEachSectionOnce) {
    auto strip = table->sectionIndexStrip();
    ASSERT_TRUE(strip);
    EXPECT_EQ(strip->frame(), (gfx::Rect{304, 0, 16, 480}));
    EXPECT_EQ(table->rectForRowAtIndexPath({0, 0}).width, 320);  // rows keep their width under it

    // Down from "A" to "C" in small steps (several per title), then back up to "B".
    gfx::Point a = titleCentre(0), c = titleCentre(2);
    touch(TouchPhase::Began, a);
    EXPECT_EQ(table->contentOffset().y, 0);
    for (int step = 1; step <= 12; ++step) touch(TouchPhase::Moved, {a.x, a.y + (c.y - a.y) * step / 12});
    EXPECT_EQ(table->contentOffset().y, headerTop(2));
    touch(TouchPhase::Moved, titleCentre(1));
    touch(TouchPhase::Ended, titleCentre(1));
    EXPECT_EQ(letters->asked, (std::vector<std::string>{"A", "B", "C", "B"}));
    EXPECT_EQ(table->contentOffset().y, headerTop(1));  // the drag did not scroll the table itself
    EXPECT_TRUE(letters->selected.empty());

    // Past the column's ends the first and last titles hold; the last section cannot reach the
    // top, so the offset stops at the end of the content.
    touch(TouchPhase::Began, {310, 470});
    touch(TouchPhase::Ended, {310, 470});
    EXPECT_EQ(letters->asked.back(), "E");
    EXPECT_EQ(table->contentOffset().y, table->contentSize().height - 480);
    touch(TouchPhase::Began, {310, 2});
    touch(TouchPhase::Ended, {310, 2});
    EXPECT_EQ(letters->asked.back(), "A");
    EXPECT_EQ(table->contentOffset().y, 0);
}

TEST_F(TableIndexStripTest, StripStaysInTheVisibleAreaBelowTheInset) {
    table->setContentInset({55, 0, 0, 0});
    table->setContentOffset({0, 600}, false);
    window->layoutIfNeeded();
    auto strip = table->sectionIndexStrip();
    EXPECT_EQ(strip->convertRect(strip->bounds(), nullptr), (gfx::Rect{304, 55, 16, 425}));
    EXPECT_EQ(strip, table->subviews().back());  // above rows and headers

    // The picked section's header lands just below the inset, not under it.
    touch(TouchPhase::Began, titleCentre(1));
    touch(TouchPhase::Ended, titleCentre(1));
    EXPECT_EQ(table->contentOffset().y, headerTop(1) - 55);
    EXPECT_EQ(
        table->headerViewForSection(1)->convertRect(table->headerViewForSection(1)->bounds(), nullptr).y, 55);
    // Scrolling to a row in code also keeps it clear of the inset.
    table->scrollToRowAtIndexPath({2, 1}, false);
    EXPECT_EQ(table->contentOffset().y, table->rectForRowAtIndexPath({2, 1}).y - 55);
}

TEST_F(TableIndexStripTest, TitlesComeAndGoWithReloadsAndBadSectionsAreIgnored) {
    table->setSectionIndexColor(gfx::Color(1, 0, 0));
    EXPECT_EQ(table->sectionIndexStrip()->textColor(), gfx::Color(1, 0, 0));
    EXPECT_EQ(table->sectionIndexStrip()->backgroundColor(), gfx::Color::clear());

    letters->sectionOffset = 40;  // names sections that do not exist
    touch(TouchPhase::Began, titleCentre(3));
    touch(TouchPhase::Ended, titleCentre(3));
    EXPECT_EQ(letters->asked.size(), 1u);
    EXPECT_EQ(table->contentOffset().y, 0);

    letters->titles.clear();
    table->reloadData();
    window->layoutIfNeeded();
    EXPECT_FALSE(table->sectionIndexStrip());
    touch(TouchPhase::Began, {312, 100});
    touch(TouchPhase::Ended, {312, 100});
    EXPECT_EQ(letters->selected.size(), 1u);  // the trailing edge is an ordinary row again

    // Many titles in a short table squeeze into it instead of running off the ends.
    letters->titles.assign(100, "#");
    table->reloadData();
    window->layoutIfNeeded();
    auto strip = table->sectionIndexStrip();
    ASSERT_TRUE(strip);
    EXPECT_GE(strip->rectForTitle(0).y, 0);
    EXPECT_LE(strip->rectForTitle(99).maxY(), strip->bounds().maxY() + 1e-9);
    EXPECT_EQ(strip->titleIndexAt(strip->rectForTitle(57).midY()), 57);
}

}  // namespace
