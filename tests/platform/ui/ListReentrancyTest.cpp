#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ui/CollectionView.h"
#include "ui/Label.h"
#include "ui/TableView.h"
#include "ui/Window.h"

// Application code may reload, remove or release a list view from any callback it gets; the
// view must neither touch freed memory (ASan) nor end with rows that show another row's content.
namespace {

using ui::IndexPath;
using ui::TouchPhase;

enum class Callback { Rows, Cell, Height, WillDisplay, Highlight, Unhighlight, Select };
// AskAfterChanging: a change that makes the view's model stale, then questions that would
// rebuild it in the middle of the view's walk.
enum class Act { Reload, ReloadSection, RemoveView, ReleaseSource, AskAfterChanging };

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

class HostileRows : public ui::TableViewDataSource, public ui::TableViewDelegate, public Trap {
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

// One list view in a window, its hostile source, and the walk every case takes.
template <typename View, typename Source>
struct Scene {
    std::shared_ptr<ui::Window> window = ui::Window::create({320, 480});
    std::shared_ptr<View> view;
    std::shared_ptr<Source> source = std::make_shared<Source>();

    Scene(std::shared_ptr<View> list, const std::string& identifier, typename View::CellFactory cells)
        : view(std::move(list)) {
        view->registerCell(identifier, std::move(cells));
        view->setFrame({0, 0, 320, 480});
        window->addSubview(view);
        view->setDataSource(source);
        view->setDelegate(source);
        window->layoutIfNeeded();
    }
    void arm(Callback when, Act what) {
        source->when = when;
        source->act = [this, what] {
            switch (what) {
                case Act::Reload:
                    view->reloadData();
                    break;
                case Act::ReloadSection:
                    if constexpr (std::is_same_v<View, ui::TableView>)
                        view->reloadSections({0}, ui::TableView::RowAnimation::Fade);
                    break;
                case Act::RemoveView:
                    view->removeFromSuperview();
                    view.reset();
                    break;
                case Act::ReleaseSource:
                    source.reset();
                    break;
                case Act::AskAfterChanging:
                    if constexpr (std::is_same_v<View, ui::TableView>) {
                        view->setEstimatedRowHeight(30);
                        view->rectForRowAtIndexPath({1, 3});
                    } else {
                        view->setFrame({0, 0, 300, 480});
                        view->indexPathForItemAtPoint({10, 10});
                    }
                    view->numberOfSections();
                    break;
            }
        };
    }
    // Reloads, scrolls a screen, presses a row, scrolls it out of sight, then taps another.
    // Returns the view if anything still holds it.
    std::shared_ptr<View> walk() {
        std::weak_ptr<View> weak = view;
        if (view) view->reloadData();
        window->layoutIfNeeded();
        if (view) view->setContentOffset({0, 480});
        touch(TouchPhase::Began, {30, 100});
        if (view) view->setContentOffset({0, 900});
        touch(TouchPhase::Cancelled, {30, 100});
        touch(TouchPhase::Began, {30, 200});
        touch(TouchPhase::Ended, {30, 200});
        window->layoutIfNeeded();
        return weak.lock();
    }
    void touch(TouchPhase phase, gfx::Point point) { window->sendTouch(ui::Touch(1, phase, point)); }
};

using Case = std::tuple<Callback, Act>;
class TableViewReentrancyTest : public ::testing::TestWithParam<Case> {};
class CollectionViewReentrancyTest : public ::testing::TestWithParam<Case> {};

TEST_P(TableViewReentrancyTest, SurvivesWhateverACallbackDoes) {
    Scene<ui::TableView, HostileRows> scene(ui::TableView::create(ui::TableView::Style::Plain), "row", [] {
        return ui::TableViewCell::create(ui::TableViewCellStyle::Default, "row");
    });
    auto [when, what] = GetParam();
    scene.arm(when, what);
    auto alive = scene.walk();
    ASSERT_EQ(alive != nullptr, what != Act::RemoveView) << "a released view is gone, any other stays";
    if (!alive || !scene.source) return;  // a released source leaves the cells it made
    for (const auto& ip : alive->indexPathsForVisibleRows())
        EXPECT_EQ(alive->cellForRowAtIndexPath(ip)->textLabel()->text(), HostileRows::name(ip));
}

TEST_P(CollectionViewReentrancyTest, SurvivesWhateverACallbackDoes) {
    Scene<ui::CollectionView, HostileItems> scene(ui::CollectionView::create(nullptr), "item",
                                                  [] { return CountingItem::create(); });
    auto [when, what] = GetParam();
    scene.arm(when, what);
    auto alive = scene.walk();
    ASSERT_EQ(alive != nullptr, what != Act::RemoveView) << "a released view is gone, any other stays";
    if (!alive || !scene.source) return;
    for (const auto& ip : alive->indexPathsForVisibleItems())
        EXPECT_EQ(std::static_pointer_cast<CountingItem>(alive->cellForItemAtIndexPath(ip))->shown, ip);
}

INSTANTIATE_TEST_SUITE_P(
    EveryCallbackEveryAct, TableViewReentrancyTest,
    ::testing::Combine(::testing::Values(Callback::Rows, Callback::Cell, Callback::Height,
                                         Callback::WillDisplay, Callback::Highlight, Callback::Unhighlight,
                                         Callback::Select),
                       ::testing::Values(Act::Reload, Act::ReloadSection, Act::RemoveView, Act::ReleaseSource,
                                         Act::AskAfterChanging)));
// Collection views have no will-display callback.
INSTANTIATE_TEST_SUITE_P(EveryCallbackEveryAct, CollectionViewReentrancyTest,
                         ::testing::Combine(::testing::Values(Callback::Rows, Callback::Cell,
                                                              Callback::Height, Callback::Highlight,
                                                              Callback::Unhighlight, Callback::Select),
                                            ::testing::Values(Act::Reload, Act::RemoveView,
                                                              Act::ReleaseSource, Act::AskAfterChanging)));

}  // namespace
