#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "base/ManualClock.h"
#include "base/RunLoop.h"
#include "ui/Label.h"
#include "ui/LayoutConstraint.h"
#include "ui/LayoutEngine.h"
#include "ui/TableView.h"
#include "ui/TextField.h"
#include "ui/Window.h"

namespace {

using namespace std::chrono_literals;
using ui::IndexPath;
using ui::TouchPhase;

class CountingCell : public ui::TableViewCell {
public:
    static std::shared_ptr<CountingCell> create() {
        auto cell = adopt(new CountingCell());
        cell->label = ui::Label::create();
        cell->label->setTranslatesAutoresizingMaskIntoConstraints(false);
        cell->label->setNumberOfLines(0);
        cell->contentView()->addSubview(cell->label);
        auto content = cell->contentView();
        ui::LayoutConstraint::activate({
            cell->label->topAnchor().equalTo(content->topAnchor(), 12),
            cell->label->bottomAnchor().equalTo(content->bottomAnchor(), -12),
            cell->label->leadingAnchor().equalTo(content->leadingAnchor(), 16),
        });
        return cell;
    }
    void prepareForReuse() override {
        ++reuses;
        label->setText("");
    }
    std::shared_ptr<ui::Label> label;
    int reuses = 0;

private:
    CountingCell() : TableViewCell(ui::TableViewCellStyle::Default, "row") {}
};

class Source : public ui::TableViewDataSource, public ui::TableViewDelegate {
public:
    std::vector<int> rows{1000};
    std::string text = "Row";
    std::optional<double> height = 44;
    std::vector<std::string> log;
    int made = 0;
    int numberOfSections(ui::TableView&) override { return static_cast<int>(rows.size()); }
    int numberOfRowsInSection(ui::TableView&, int section) override { return rows[section]; }
    std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView& table, IndexPath ip) override {
        auto cell = std::static_pointer_cast<CountingCell>(table.dequeueReusableCell("row"));
        cell->label->setText(text + " " + std::to_string(ip.section) + "." + std::to_string(ip.row));
        return cell;
    }
    std::optional<std::string> titleForHeaderInSection(ui::TableView&, int section) override {
        return "Section " + std::to_string(section);
    }
    std::vector<std::string> sectionIndexTitles(ui::TableView&) override { return {"A", "B", "C"}; }
    int sectionForSectionIndexTitle(ui::TableView&, const std::string&, int index) override {
        return 2 - index;
    }
    std::function<std::optional<double>(IndexPath)> heightOf;  // else `height` for every row
    std::optional<double> heightForRowAtIndexPath(ui::TableView&, IndexPath ip) override {
        return heightOf ? heightOf(ip) : height;
    }
    void didHighlightRowAtIndexPath(ui::TableView&, IndexPath ip) override { note("highlight", ip); }
    void didUnhighlightRowAtIndexPath(ui::TableView&, IndexPath ip) override { note("unhighlight", ip); }
    void didSelectRowAtIndexPath(ui::TableView&, IndexPath ip) override { note("select", ip); }
    void didDeselectRowAtIndexPath(ui::TableView&, IndexPath ip) override { note("deselect", ip); }
    void note(const char* what, IndexPath ip) {
        log.push_back(std::string(what) + " " + std::to_string(ip.section) + "." + std::to_string(ip.row));
    }
};

class TableViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        base::Clock::setCurrent(clock);
        setUpTable(ui::TableView::Style::Plain);
    }
    void TearDown() override {
        base::RunLoop::main().runUntilIdle();
        base::Clock::setCurrent(nullptr);
    }
    void setUpTable(ui::TableView::Style style) {
        if (table) table->removeFromSuperview();
        table = ui::TableView::create(style);
        table->setFrame({0, 0, 320, 480});
        table->registerCell("row", [this] {
            ++source->made;
            return CountingCell::create();
        });
        window->addSubview(table);
        table->setDataSource(source);
        table->setDelegate(source);
        window->layoutIfNeeded();
    }
    void tap(gfx::Point point) {
        window->sendTouch(ui::Touch(1, TouchPhase::Began, point));
        window->sendTouch(ui::Touch(1, TouchPhase::Ended, point));
    }
    std::string textAt(IndexPath ip) {
        auto cell = std::static_pointer_cast<CountingCell>(table->cellForRowAtIndexPath(ip));
        return cell ? cell->label->text() : "(none)";
    }
    std::shared_ptr<base::ManualClock> clock = std::make_shared<base::ManualClock>();
    std::shared_ptr<ui::Window> window = ui::Window::create({320, 480});
    std::shared_ptr<Source> source = std::make_shared<Source>();
    std::shared_ptr<ui::TableView> table;
};

TEST_F(TableViewTest, OnlyVisibleRowsHaveCellsAndScrollingReusesThem) {
    // 480 points: header 28 + 11 rows of 44 in sight (the 11th partly).
    EXPECT_EQ(table->visibleCells().size(), 11u);
    EXPECT_EQ(table->contentSize().height, 28 + 1000 * 44);
    int madeAtStart = source->made;
    int reuses = 0;
    for (int screen = 1; screen <= 40; ++screen) table->setContentOffset({0, screen * 480.0});
    EXPECT_LE(source->made, madeAtStart + 2);  // bounded: later rows reuse earlier cells
    for (const auto& cell : table->visibleCells()) {
        reuses += std::static_pointer_cast<CountingCell>(cell)->reuses;
        EXPECT_EQ(cell->superview(), table);
    }
    EXPECT_GT(reuses, 0);
    auto first = table->indexPathsForVisibleRows().front();
    EXPECT_EQ(first.row, static_cast<int>((40 * 480.0 - 28) / 44));
    EXPECT_EQ(textAt(first), "Row 0." + std::to_string(first.row));  // refilled after reuse
    EXPECT_EQ(table->rectForRowAtIndexPath(first).y, table->cellForRowAtIndexPath(first)->frame().y);
    EXPECT_EQ(table->indexPathForCell(*table->cellForRowAtIndexPath(first)), first);
    EXPECT_EQ(table->cellForRowAtIndexPath({0, 0}), nullptr);  // off screen
}

TEST_F(TableViewTest, AutomaticHeightsComeFromTheCellsConstraints) {
    source->height = ui::TableView::kAutomaticDimension;
    source->rows = {3};
    table->setEstimatedRowHeight(100);
    table->reloadData();
    window->layoutIfNeeded();
    auto oneLine = table->rectForRowAtIndexPath({0, 0});
    auto label = std::static_pointer_cast<CountingCell>(table->cellForRowAtIndexPath({0, 0}))->label;
    EXPECT_EQ(oneLine.height, label->intrinsicContentSize().height + 24);
    EXPECT_LT(oneLine.height, 100);  // measured, not the estimate
    EXPECT_EQ(table->rectForRowAtIndexPath({0, 1}).y, oneLine.maxY());

    source->text = "Three\nlines\nhere";
    table->reloadData();
    window->layoutIfNeeded();
    label = std::static_pointer_cast<CountingCell>(table->cellForRowAtIndexPath({0, 0}))->label;
    EXPECT_EQ(table->rectForRowAtIndexPath({0, 0}).height, label->intrinsicContentSize().height + 24);
    EXPECT_GT(table->rectForRowAtIndexPath({0, 0}).height, oneLine.height + 30);
    EXPECT_EQ(table->contentSize().height, table->rectForRowAtIndexPath({0, 2}).maxY());
}

// Rows of no height (hidden rows) in sight keep their cells while the table scrolls a little,
// and a new estimate keeps the heights already measured for the rows on screen.
TEST_F(TableViewTest, ZeroHeightRowsAndMeasuredHeightsStayPut) {
    source->heightOf = [](IndexPath ip) { return std::optional<double>(ip.row % 2 ? 0 : 44); };
    table->reloadData();
    table->setContentOffset({0, 100});
    auto inSight = table->visibleCells();
    auto reuses = [&] {
        int count = 0;
        for (const auto& cell : inSight) count += std::static_pointer_cast<CountingCell>(cell)->reuses;
        return count;
    };
    int reusesBefore = reuses();
    for (int step = 1; step <= 10; ++step) table->setContentOffset({0, 100.0 + step});
    EXPECT_EQ(table->visibleCells(), inSight);
    EXPECT_EQ(reuses(), reusesBefore) << "no row in sight was put back and made again";

    source->heightOf = nullptr;
    source->height = ui::TableView::kAutomaticDimension;
    source->rows = {3};
    table->setEstimatedRowHeight(100);
    table->setContentOffset({0, 0});
    table->reloadData();
    window->layoutIfNeeded();
    double measured = table->rectForRowAtIndexPath({0, 0}).height;
    table->setEstimatedRowHeight(80);
    window->layoutIfNeeded();
    EXPECT_EQ(table->rectForRowAtIndexPath({0, 0}).height, measured);
    EXPECT_EQ(table->cellForRowAtIndexPath({0, 0})->frame().height, measured);
}

TEST_F(TableViewTest, TapSelectsTheRowUnderTheFingerAndADragDoesNot) {
    tap({100, 28 + 44 * 2 + 10});
    EXPECT_EQ(source->log, (std::vector<std::string>{"highlight 0.2", "unhighlight 0.2", "select 0.2"}));
    EXPECT_TRUE(table->cellForRowAtIndexPath({0, 2})->isSelected());

    source->log.clear();
    tap({100, 28 + 44 * 4 + 10});
    EXPECT_EQ(source->log,
              (std::vector<std::string>{"highlight 0.4", "unhighlight 0.4", "deselect 0.2", "select 0.4"}));
    EXPECT_FALSE(table->cellForRowAtIndexPath({0, 2})->isSelected());

    source->log.clear();
    window->sendTouch(ui::Touch(1, TouchPhase::Began, {100, 300}));
    for (double y : {290.0, 260.0, 200.0}) window->sendTouch(ui::Touch(1, TouchPhase::Moved, {100, y}));
    window->sendTouch(ui::Touch(1, TouchPhase::Ended, {100, 200}));
    EXPECT_EQ(source->log, (std::vector<std::string>{"highlight 0.6", "unhighlight 0.6"}));
    EXPECT_EQ(table->indexPathForSelectedRow(), (IndexPath{0, 4}));
    EXPECT_GT(table->contentOffset().y, 0);

    table->deselectRowAtIndexPath({0, 4}, true);
    EXPECT_FALSE(table->indexPathForSelectedRow());
}

TEST_F(TableViewTest, ReloadSectionsCrossDissolvesOnlyThoseSections) {
    source->rows = {2, 2, 2};
    table->reloadData();
    window->layoutIfNeeded();
    auto keptCell = table->cellForRowAtIndexPath({0, 0});
    auto oldCell = table->cellForRowAtIndexPath({1, 0});
    source->text = "New";
    source->rows = {2, 3, 2};
    table->reloadSections({1, 7}, ui::TableView::RowAnimation::Fade);
    EXPECT_EQ(table->numberOfRowsInSection(1), 3);
    EXPECT_EQ(table->cellForRowAtIndexPath({0, 0}), keptCell);
    EXPECT_EQ(textAt({0, 0}), "Row 0.0");
    EXPECT_EQ(textAt({1, 2}), "New 1.2");
    EXPECT_EQ(table->cellForRowAtIndexPath({1, 2})->presentationAlpha(), 0);
    EXPECT_EQ(oldCell->superview(), table);  // still fading out
    base::RunLoop::main().runFor(100ms);
    EXPECT_GT(table->cellForRowAtIndexPath({1, 2})->presentationAlpha(), 0);
    EXPECT_LT(oldCell->presentationAlpha(), 1);
    base::RunLoop::main().runFor(1s);
    EXPECT_EQ(table->cellForRowAtIndexPath({1, 2})->presentationAlpha(), 1);
    EXPECT_EQ(oldCell->superview(), nullptr);
    EXPECT_EQ(table->rectForRowAtIndexPath({2, 0}).y, table->rectForHeaderInSection(2).maxY());
}

TEST_F(TableViewTest, HeadersIndexTitlesAndInsetGroupedRows) {
    source->rows = {30, 30, 30};
    setUpTable(ui::TableView::Style::InsetGrouped);
    auto header = std::dynamic_pointer_cast<ui::Label>(table->headerViewForSection(0));
    ASSERT_TRUE(header);
    EXPECT_EQ(header->text(), "Section 0");
    EXPECT_EQ(table->rectForHeaderInSection(0).height, 38);
    gfx::Rect first = table->rectForRowAtIndexPath({0, 0});
    EXPECT_EQ(first.x, 20);
    EXPECT_EQ(first.width, 280);
    EXPECT_EQ(table->cellForRowAtIndexPath({0, 0})->layer().cornerRadius(), 10);
    EXPECT_EQ(table->cellForRowAtIndexPath({0, 1})->layer().cornerRadius(), 0);

    EXPECT_EQ(table->sectionIndexTitles(), (std::vector<std::string>{"A", "B", "C"}));
    tap({315, 5});  // "A" at the top of the strip leads to section 2
    EXPECT_EQ(table->contentOffset().y, table->rectForHeaderInSection(2).y);
    EXPECT_TRUE(source->log.empty());  // the strip selects no row
    EXPECT_TRUE(table->headerViewForSection(2));
    EXPECT_FALSE(table->headerViewForSection(0));
}

TEST_F(TableViewTest, PlainHeadersStickUntilTheNextOnePushesThem) {
    // Sections of five 44-point rows under 28-point headers: section 0 ends at 248.
    source->rows = {5, 5, 5};
    setUpTable(ui::TableView::Style::Plain);
    auto headerTopAt = [&](double offset, int section) {
        table->setContentOffset({0, offset}, false);
        auto header = table->headerViewForSection(section);
        return header ? header->frame().y - offset : -1.0;  // -1: not shown
    };
    EXPECT_EQ(headerTopAt(100, 0), 0);
    EXPECT_EQ(headerTopAt(230, 0), 220 - 230);  // pushed up by header 1 at 248
    EXPECT_EQ(headerTopAt(230, 1), 248 - 230);
    EXPECT_EQ(headerTopAt(260, 0), -1);
    EXPECT_EQ(headerTopAt(260, 1), 0);
    EXPECT_EQ(headerTopAt(-40, 0), 40);  // pulled down past the top it stays with the rows
    EXPECT_EQ(table->headerViewForSection(0)->frame().width, 320);

    // A finger on the pinned header does not pick the row scrolled under it.
    table->setContentOffset({0, 100}, false);
    tap({100, 10});
    EXPECT_TRUE(source->log.empty());
    tap({100, 40});
    EXPECT_EQ(source->log.back(), "select 0.2");

    setUpTable(ui::TableView::Style::Grouped);
    EXPECT_EQ(headerTopAt(10, 0), -10);  // grouped headers scroll away
}

TEST_F(TableViewTest, ADataSourceWithoutCellsOrRowsDoesNotCrash) {
    class Empty : public ui::TableViewDataSource {
    public:
        int numberOfSections(ui::TableView&) override { return -3; }
        int numberOfRowsInSection(ui::TableView&, int) override { return 5; }
        std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView&, IndexPath) override {
            return nullptr;
        }
    };
    auto empty = std::make_shared<Empty>();
    table->setDataSource(empty);
    window->layoutIfNeeded();
    EXPECT_EQ(table->numberOfSections(), 0);
    EXPECT_FALSE(table->indexPathForRowAtPoint({10, 10}));

    class NoCells : public Empty {
        int numberOfSections(ui::TableView&) override { return 1; }
    };
    auto noCells = std::make_shared<NoCells>();
    table->setDataSource(noCells);
    window->layoutIfNeeded();
    EXPECT_EQ(table->visibleCells().size(), 5u);  // empty placeholders
    tap({100, 10});
}

// Counts what measuring must never do to the views it measures.
class Watcher : public ui::View {
public:
    static std::shared_ptr<Watcher> create() { return std::shared_ptr<Watcher>(new Watcher()); }
    void didMoveToWindow() override { ++moves; }
    void traitCollectionDidChange(const gfx::TraitCollection& previous) override {
        View::traitCollectionDidChange(previous);
        ++traitChanges;
    }
    int moves = 0, traitChanges = 0;

private:
    Watcher() = default;
};

// Section 0 has a self-sizing header holding a text field; both sections self-size their rows.
class HeaderSource : public Source {
public:
    std::shared_ptr<ui::View> header = ui::View::create();
    std::shared_ptr<ui::TextField> field = ui::TextField::create();
    std::shared_ptr<Watcher> watcher = Watcher::create();

    HeaderSource() {
        for (const std::shared_ptr<ui::View>& view :
             {std::static_pointer_cast<ui::View>(field), std::static_pointer_cast<ui::View>(watcher)}) {
            view->setTranslatesAutoresizingMaskIntoConstraints(false);
            header->addSubview(view);
        }
        ui::LayoutConstraint::activate({field->topAnchor().equalTo(header->topAnchor(), 8),
                                        field->bottomAnchor().equalTo(header->bottomAnchor(), -8),
                                        field->leadingAnchor().equalTo(header->leadingAnchor(), 16),
                                        field->heightAnchor().equalToConstant(34),
                                        watcher->topAnchor().equalTo(header->topAnchor())});
    }
    std::optional<std::string> titleForHeaderInSection(ui::TableView& table, int section) override {
        return section == 0 ? std::nullopt : Source::titleForHeaderInSection(table, section);
    }
    std::shared_ptr<ui::View> viewForHeaderInSection(ui::TableView&, int section) override {
        return section == 0 ? header : nullptr;
    }
};

TEST_F(TableViewTest, MeasuringLeavesWindowsAppearanceFocusAndIslandsAlone) {
    auto headers = std::make_shared<HeaderSource>();
    headers->rows = {3, 3};
    headers->height = ui::TableView::kAutomaticDimension;
    source = headers;
    window->setTraitCollection(gfx::TraitCollection::dark());
    setUpTable(ui::TableView::Style::Plain);
    EXPECT_EQ(table->rectForHeaderInSection(0).height, 50);
    ASSERT_TRUE(headers->field->becomeFirstResponder());
    headers->watcher->moves = headers->watcher->traitChanges = 0;

    table->reloadSections({1}, ui::TableView::RowAnimation::Fade);
    window->layoutIfNeeded();
    base::RunLoop::main().runFor(1s);
    EXPECT_TRUE(headers->field->isFirstResponder());
    EXPECT_EQ(headers->watcher->moves, 0);
    EXPECT_EQ(headers->watcher->traitChanges, 0);

    // A row measured again stays in its cell's island, in the window, in its appearance.
    auto cell = std::static_pointer_cast<CountingCell>(table->cellForRowAtIndexPath({0, 1}));
    ASSERT_NE(cell, nullptr);
    auto inside = Watcher::create();
    cell->label->addSubview(inside);
    inside->moves = inside->traitChanges = 0;
    ui::LayoutEngine* island = cell->islandLayoutEngine();
    std::size_t constraints = island->solverConstraintCount();
    double height = cell->contentView()->systemLayoutSizeFitting({320, 0}).height;
    EXPECT_EQ(height, table->rectForRowAtIndexPath({0, 1}).height);
    EXPECT_EQ(inside->moves, 0);
    EXPECT_EQ(inside->traitChanges, 0);
    EXPECT_EQ(cell->islandLayoutEngine(), island);
    EXPECT_EQ(island->solverConstraintCount(), constraints);
    EXPECT_TRUE(cell->label->window() == window);
}

}  // namespace
