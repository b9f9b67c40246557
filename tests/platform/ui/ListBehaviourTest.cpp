#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/CollectionView.h"
#include "ui/Label.h"
#include "ui/TableView.h"
#include "ui/Window.h"

// What tables and collections promise alike: cells only for what is in sight, reused as it
// scrolls and left alone while it stays; highlight and selection from touches told in order;
// notices and reloads asked for from them after the view has settled. Both lists are laid out
// the same way here (one column of 320 x 44 items), so the same taps reach the same items.
namespace {

using ui::IndexPath;
using ui::TouchPhase;

std::string name(IndexPath ip) { return std::to_string(ip.section) + "." + std::to_string(ip.row); }

// What the owner is told, and what it does when told.
struct Owner {
    std::vector<std::string> log;
    std::string text = "Item";
    std::function<void(const std::string&)> onNotice;
    void note(const char* what, IndexPath ip) {
        std::string line = std::string(what) + " " + name(ip);
        log.push_back(line);
        if (onNotice) onNotice(line);
    }
};

class TableRow : public ui::TableViewCell {
public:
    static std::shared_ptr<TableRow> create() { return adopt(new TableRow()); }
    void prepareForReuse() override {
        TableViewCell::prepareForReuse();
        ++reuses;
    }
    int reuses = 0;

private:
    TableRow() : TableViewCell(ui::TableViewCellStyle::Default, "row") {}
};

class GridItem : public ui::CollectionViewCell {
public:
    static std::shared_ptr<GridItem> create() { return std::shared_ptr<GridItem>(new GridItem()); }
    void prepareForReuse() override { ++reuses; }
    std::string text;
    int reuses = 0;
};

struct TableList : ui::TableViewDataSource, ui::TableViewDelegate, Owner {
    using View = ui::TableView;
    std::shared_ptr<View> view = View::create(View::Style::Plain);
    int made = 0;

    TableList() {
        view->registerCell("row", [this] { return ++made, TableRow::create(); });
    }
    void attach(const std::shared_ptr<TableList>& self) {
        view->setDataSource(self);
        view->setDelegate(self);
    }
    int numberOfRowsInSection(View&, int) override { return 200; }
    std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(View& table, IndexPath ip) override {
        auto cell = table.dequeueReusableCell("row");
        cell->textLabel()->setText(text + " " + name(ip));
        return cell;
    }
    void didHighlightRowAtIndexPath(View&, IndexPath ip) override { note("highlight", ip); }
    void didUnhighlightRowAtIndexPath(View&, IndexPath ip) override { note("unhighlight", ip); }
    void didSelectRowAtIndexPath(View&, IndexPath ip) override { note("select", ip); }
    void didDeselectRowAtIndexPath(View&, IndexPath ip) override { note("deselect", ip); }

    std::string textAt(IndexPath ip) {
        auto cell = view->cellForRowAtIndexPath(ip);
        return cell ? cell->textLabel()->text() : "(none)";
    }
    bool shownSelected(IndexPath ip) { return view->cellForRowAtIndexPath(ip)->isSelected(); }
    bool shownHighlighted(IndexPath ip) { return view->cellForRowAtIndexPath(ip)->isHighlighted(); }
    std::optional<IndexPath> selected() { return view->indexPathForSelectedRow(); }
    void select(IndexPath ip) { view->selectRowAtIndexPath(ip, false); }
    std::vector<IndexPath> visible() { return view->indexPathsForVisibleRows(); }
    std::size_t pooled() { return view->reusableCellCount(); }
    int reuses() {
        int count = 0;
        for (const auto& cell : view->visibleCells())
            count += std::static_pointer_cast<TableRow>(cell)->reuses;
        return count;
    }
};

struct GridList : ui::CollectionViewDataSource, ui::CollectionViewDelegate, Owner {
    using View = ui::CollectionView;
    std::shared_ptr<ui::CollectionViewFlowLayout> layout = ui::CollectionViewFlowLayout::create();
    std::shared_ptr<View> view = View::create(layout);
    int made = 0;

    GridList() {
        layout->setItemSize({320, 44});
        layout->setMinimumLineSpacing(0);
        layout->setMinimumInteritemSpacing(0);
        view->registerCell("item", [this] { return ++made, GridItem::create(); });
    }
    void attach(const std::shared_ptr<GridList>& self) {
        view->setDataSource(self);
        view->setDelegate(self);
    }
    int numberOfItemsInSection(View&, int) override { return 200; }
    std::shared_ptr<ui::CollectionViewCell> cellForItemAtIndexPath(View& grid, IndexPath ip) override {
        auto cell = std::static_pointer_cast<GridItem>(grid.dequeueReusableCell("item", ip));
        cell->text = text + " " + name(ip);
        return cell;
    }
    void didHighlightItemAtIndexPath(View&, IndexPath ip) override { note("highlight", ip); }
    void didUnhighlightItemAtIndexPath(View&, IndexPath ip) override { note("unhighlight", ip); }
    void didSelectItemAtIndexPath(View&, IndexPath ip) override { note("select", ip); }
    void didDeselectItemAtIndexPath(View&, IndexPath ip) override { note("deselect", ip); }

    std::string textAt(IndexPath ip) {
        auto cell = std::static_pointer_cast<GridItem>(view->cellForItemAtIndexPath(ip));
        return cell ? cell->text : "(none)";
    }
    bool shownSelected(IndexPath ip) { return view->cellForItemAtIndexPath(ip)->isSelected(); }
    bool shownHighlighted(IndexPath ip) { return view->cellForItemAtIndexPath(ip)->isHighlighted(); }
    std::optional<IndexPath> selected() { return view->indexPathForSelectedItem(); }
    void select(IndexPath ip) { view->selectItemAtIndexPath(ip, false); }
    std::vector<IndexPath> visible() { return view->indexPathsForVisibleItems(); }
    std::size_t pooled() { return view->reusableCellCount(); }
    int reuses() {
        int count = 0;
        for (const auto& cell : view->visibleCells())
            count += std::static_pointer_cast<GridItem>(cell)->reuses;
        return count;
    }
};

template <typename List>
class ListBehaviourTest : public ::testing::Test {
protected:
    void SetUp() override {
        list->view->setFrame({0, 0, 320, 440});
        window->addSubview(list->view);
        list->attach(list);
        window->layoutIfNeeded();
    }
    void touch(TouchPhase phase, gfx::Point point) { window->sendTouch(ui::Touch(1, phase, point)); }
    void tap(gfx::Point point) {
        touch(TouchPhase::Began, point);
        touch(TouchPhase::Ended, point);
    }
    void scrollTo(double y) {
        list->view->setContentOffset({0, y});
        window->layoutIfNeeded();
    }

    std::shared_ptr<ui::Window> window = ui::Window::create({320, 480});
    std::shared_ptr<List> list = std::make_shared<List>();
};

using Lists = ::testing::Types<TableList, GridList>;
TYPED_TEST_SUITE(ListBehaviourTest, Lists);

TYPED_TEST(ListBehaviourTest, CellsExistOnlyInSightAndAreReusedAsTheListScrolls) {
    auto& list = *this->list;
    EXPECT_EQ(list.visible().size(), 10u);  // 440 points of 44-point items
    EXPECT_EQ(list.textAt({0, 9}), "Item 0.9");
    for (double y = 0; y <= 8000; y += 220) this->scrollTo(y);
    EXPECT_LE(list.made, 16) << "scrolling reuses cells instead of making new ones";
    EXPECT_LE(list.visible().size() + list.pooled(), 16u);
    EXPECT_EQ(list.textAt({0, 180}), "Item 0.180");  // the last offset was 7,920
    EXPECT_EQ(list.textAt({0, 179}), "(none)");
}

TYPED_TEST(ListBehaviourTest, SmallScrollStepsLeaveTheItemsInSightAlone) {
    auto& list = *this->list;
    this->scrollTo(100);
    int reusesBefore = list.reuses();
    auto madeBefore = list.made;
    auto inSight = list.visible();
    for (int step = 1; step <= 10; ++step) this->scrollTo(100 + step);
    EXPECT_EQ(list.visible(), inSight);
    EXPECT_EQ(list.reuses(), reusesBefore) << "no cell in sight was put back and handed out again";
    EXPECT_EQ(list.made, madeBefore);
}

TYPED_TEST(ListBehaviourTest, TapsHighlightThenSelectAndADragSelectsNothing) {
    auto& list = *this->list;
    this->touch(TouchPhase::Began, {100, 60});
    EXPECT_TRUE(list.shownHighlighted({0, 1}));
    this->touch(TouchPhase::Ended, {100, 60});
    this->tap({100, 150});
    EXPECT_EQ(list.log,
              (std::vector<std::string>{"highlight 0.1", "unhighlight 0.1", "select 0.1", "highlight 0.3",
                                        "unhighlight 0.3", "deselect 0.1", "select 0.3"}));
    EXPECT_FALSE(list.shownSelected({0, 1}));
    EXPECT_TRUE(list.shownSelected({0, 3}));
    EXPECT_FALSE(list.shownHighlighted({0, 3}));

    // A finger that slides off its item lets go of it; lifting it then selects nothing.
    list.log.clear();
    this->touch(TouchPhase::Began, {100, 20});
    this->touch(TouchPhase::Moved, {100, 120});
    this->touch(TouchPhase::Ended, {100, 120});
    EXPECT_EQ(list.log, (std::vector<std::string>{"highlight 0.0", "unhighlight 0.0"}));
    EXPECT_EQ(list.selected(), (IndexPath{0, 3}));
}

TYPED_TEST(ListBehaviourTest, AHighlightedItemScrolledOutOfSightIsLetGo) {
    auto& list = *this->list;
    this->touch(TouchPhase::Began, {100, 20});
    this->scrollTo(1000);
    EXPECT_EQ(list.log, (std::vector<std::string>{"highlight 0.0", "unhighlight 0.0"}));
    this->touch(TouchPhase::Ended, {100, 20});
    EXPECT_EQ(list.log.size(), 2u);
    EXPECT_FALSE(list.selected());
}

TYPED_TEST(ListBehaviourTest, SelectionSetInCodeFollowsItsItemAndAReloadClearsIt) {
    auto& list = *this->list;
    list.select({0, 2});
    EXPECT_TRUE(list.shownSelected({0, 2}));
    this->scrollTo(2000);
    this->scrollTo(0);
    EXPECT_TRUE(list.shownSelected({0, 2}));
    for (IndexPath ip : list.visible())
        EXPECT_EQ(list.shownSelected(ip), (ip == IndexPath{0, 2})) << name(ip);
    list.select({0, 500});  // no such item
    EXPECT_EQ(list.selected(), (IndexPath{0, 2}));
    list.view->reloadData();
    EXPECT_FALSE(list.selected());
    EXPECT_TRUE(list.log.empty()) << "selection set in code is not told";
}

// An owner that reloads from the first notice of a tap still hears the whole tap, in order,
// and the reload follows it.
TYPED_TEST(ListBehaviourTest, AReloadFromANoticeWaitsForTheTapToSettle) {
    auto& list = *this->list;
    list.onNotice = [&](const std::string& line) {
        if (line != "unhighlight 0.1") return;
        list.text = "New";
        list.view->reloadData();
    };
    this->tap({100, 60});
    EXPECT_EQ(list.log, (std::vector<std::string>{"highlight 0.1", "unhighlight 0.1", "select 0.1"}));
    EXPECT_EQ(list.textAt({0, 1}), "New 0.1");
    EXPECT_FALSE(list.selected()) << "the reload came after the selection and cleared it";
}

}  // namespace
