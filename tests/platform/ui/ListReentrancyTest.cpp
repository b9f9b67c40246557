#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ui/CollectionView.h"
#include "ui/Label.h"
#include "ui/TableView.h"
#include "ui/Window.h"

// Application code may reload, remove or release a list view from any callback it gets; the
// view must neither touch freed memory (ASan) nor end with rows that show another row's text.
namespace {

using ui::IndexPath;
using ui::TouchPhase;

enum class Callback { Rows, Cell, Height, WillDisplay, Highlight, Unhighlight, Select };
enum class Act { Reload, ReloadSection, RemoveTable, ReleaseSource };

class TextCell : public ui::TableViewCell {
public:
    static std::shared_ptr<TextCell> create() { return adopt(new TextCell()); }

private:
    TextCell() : TableViewCell(ui::TableViewCellStyle::Default, "row") {}
};

// Does `act` once, the first time the callback `when` comes.
struct Trap {
    Callback when = Callback::Rows;
    std::function<void()> act;
    void fire(Callback callback) {
        if (callback != when || !act) return;
        auto once = std::exchange(act, nullptr);
        once();
    }
};

class HostileSource : public ui::TableViewDataSource, public ui::TableViewDelegate, public Trap {
public:
    int numberOfSections(ui::TableView&) override { return 2; }
    int numberOfRowsInSection(ui::TableView&, int) override { return fire(Callback::Rows), 50; }
    std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView& table, IndexPath ip) override {
        auto cell = table.dequeueReusableCell("row");
        cell->textLabel()->setText(name(ip));
        fire(Callback::Cell);
        return cell;
    }
    std::optional<double> heightForRowAtIndexPath(ui::TableView&, IndexPath) override {
        return fire(Callback::Height), 44;
    }
    void willDisplayCell(ui::TableView&, ui::TableViewCell&, IndexPath) override {
        fire(Callback::WillDisplay);
    }
    void didHighlightRowAtIndexPath(ui::TableView&, IndexPath) override { fire(Callback::Highlight); }
    void didUnhighlightRowAtIndexPath(ui::TableView&, IndexPath) override { fire(Callback::Unhighlight); }
    void didSelectRowAtIndexPath(ui::TableView&, IndexPath) override { fire(Callback::Select); }
    static std::string name(IndexPath ip) {
        return std::to_string(ip.section) + "." + std::to_string(ip.row);
    }
};

class TableViewReentrancyTest : public ::testing::TestWithParam<std::tuple<Callback, Act>> {
protected:
    void SetUp() override {
        table->setFrame({0, 0, 320, 480});
        table->registerCell("row", [] { return TextCell::create(); });
        window->addSubview(table);
        table->setDataSource(source);
        table->setDelegate(source);
        window->layoutIfNeeded();
    }
    void arm(Callback when, Act what) {
        source->when = when;
        source->act = [this, what] {
            switch (what) {
                case Act::Reload:
                    table->reloadData();
                    break;
                case Act::ReloadSection:
                    table->reloadSections({0}, ui::TableView::RowAnimation::Fade);
                    break;
                case Act::RemoveTable:
                    table->removeFromSuperview();
                    table.reset();
                    break;
                case Act::ReleaseSource:
                    source.reset();
                    break;
            }
        };
    }
    void touch(TouchPhase phase, gfx::Point point) { window->sendTouch(ui::Touch(1, phase, point)); }
    std::shared_ptr<ui::Window> window = ui::Window::create({320, 480});
    std::shared_ptr<ui::TableView> table = ui::TableView::create(ui::TableView::Style::Plain);
    std::shared_ptr<HostileSource> source = std::make_shared<HostileSource>();
};

TEST_P(TableViewReentrancyTest, SurvivesWhateverACallbackDoes) {
    auto [when, what] = GetParam();
    arm(when, what);
    std::weak_ptr<ui::TableView> weakTable = table;
    // Reloads, scrolls a screen, presses a row, scrolls it out of sight, then taps another.
    if (table) table->reloadData();
    window->layoutIfNeeded();
    if (table) table->setContentOffset({0, 480});
    touch(TouchPhase::Began, {100, 100});
    if (table) table->setContentOffset({0, 1400});
    touch(TouchPhase::Cancelled, {100, 100});
    touch(TouchPhase::Began, {100, 200});
    touch(TouchPhase::Ended, {100, 200});
    window->layoutIfNeeded();

    auto alive = weakTable.lock();
    if (what == Act::RemoveTable) {
        EXPECT_FALSE(alive) << "the table was released and nothing may keep it";
        return;
    }
    ASSERT_TRUE(alive);
    for (const auto& ip : alive->indexPathsForVisibleRows()) {
        if (!source) break;  // a released source leaves the cells it made
        EXPECT_EQ(alive->cellForRowAtIndexPath(ip)->textLabel()->text(), HostileSource::name(ip));
    }
}

INSTANTIATE_TEST_SUITE_P(EveryCallbackEveryAct, TableViewReentrancyTest,
                         ::testing::Combine(::testing::Values(Callback::Rows, Callback::Cell,
                                                              Callback::Height, Callback::WillDisplay,
                                                              Callback::Highlight, Callback::Unhighlight,
                                                              Callback::Select),
                                            ::testing::Values(Act::Reload, Act::ReloadSection,
                                                              Act::RemoveTable, Act::ReleaseSource)));

class CountingItem : public ui::CollectionViewCell {
public:
    static std::shared_ptr<CountingItem> create() {
        return std::shared_ptr<CountingItem>(new CountingItem());
    }
    IndexPath shown{-1, -1};
};

class HostileItems : public ui::CollectionViewDataSource, public ui::CollectionViewDelegate, public Trap {
public:
    int numberOfSections(ui::CollectionView&) override { return 2; }
    int numberOfItemsInSection(ui::CollectionView&, int) override { return fire(Callback::Rows), 60; }
    std::shared_ptr<ui::CollectionViewCell> cellForItemAtIndexPath(ui::CollectionView& view,
                                                                   IndexPath ip) override {
        auto cell = std::static_pointer_cast<CountingItem>(view.dequeueReusableCell("item", ip));
        cell->shown = ip;
        fire(Callback::Cell);
        return cell;
    }
    std::optional<gfx::Size> sizeForItemAtIndexPath(ui::CollectionView&, const ui::CollectionViewFlowLayout&,
                                                    IndexPath) override {
        return fire(Callback::Height), gfx::Size{60, 40};
    }
    void didHighlightItemAtIndexPath(ui::CollectionView&, IndexPath) override { fire(Callback::Highlight); }
    void didUnhighlightItemAtIndexPath(ui::CollectionView&, IndexPath) override {
        fire(Callback::Unhighlight);
    }
    void didSelectItemAtIndexPath(ui::CollectionView&, IndexPath) override { fire(Callback::Select); }
};

class CollectionViewReentrancyTest : public ::testing::TestWithParam<std::tuple<Callback, Act>> {
protected:
    void SetUp() override {
        view->setFrame({0, 0, 320, 480});
        view->registerCell("item", [] { return CountingItem::create(); });
        window->addSubview(view);
        view->setDataSource(source);
        view->setDelegate(source);
        window->layoutIfNeeded();
    }
    void touch(TouchPhase phase, gfx::Point point) { window->sendTouch(ui::Touch(1, phase, point)); }
    std::shared_ptr<ui::Window> window = ui::Window::create({320, 480});
    std::shared_ptr<ui::CollectionView> view = ui::CollectionView::create(nullptr);
    std::shared_ptr<HostileItems> source = std::make_shared<HostileItems>();
};

TEST_P(CollectionViewReentrancyTest, SurvivesWhateverACallbackDoes) {
    auto [when, what] = GetParam();
    source->when = when;
    source->act = [this, what] {
        switch (what) {
            case Act::Reload:
                view->reloadData();
                break;
            case Act::ReloadSection:
                view->reloadData();
                break;
            case Act::RemoveTable:
                view->removeFromSuperview();
                view.reset();
                break;
            case Act::ReleaseSource:
                source.reset();
                break;
        }
    };
    std::weak_ptr<ui::CollectionView> weakView = view;
    if (view) view->reloadData();
    window->layoutIfNeeded();
    if (view) view->setContentOffset({0, 480});
    touch(TouchPhase::Began, {30, 100});
    if (view) view->setContentOffset({0, 900});
    touch(TouchPhase::Cancelled, {30, 100});
    touch(TouchPhase::Began, {30, 200});
    touch(TouchPhase::Ended, {30, 200});
    window->layoutIfNeeded();

    auto alive = weakView.lock();
    if (what == Act::RemoveTable) {
        EXPECT_FALSE(alive);
        return;
    }
    ASSERT_TRUE(alive);
    for (const auto& ip : alive->indexPathsForVisibleItems()) {
        if (!source) break;
        EXPECT_EQ(std::static_pointer_cast<CountingItem>(alive->cellForItemAtIndexPath(ip))->shown, ip);
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryCallbackEveryAct, CollectionViewReentrancyTest,
    ::testing::Combine(::testing::Values(Callback::Rows, Callback::Cell, Callback::Height,
                                         Callback::Highlight, Callback::Unhighlight, Callback::Select),
                       ::testing::Values(Act::Reload, Act::RemoveTable, Act::ReleaseSource)));

}  // namespace
