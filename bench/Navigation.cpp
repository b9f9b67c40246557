// Screen transitions: the time from asking for a push, pop, presentation or dismissal of a
// screen holding a 50-row table to its first drawn frame (the controller's view loaded and
// laid out, the table's visible rows made, the window rendered at scale 2). Animations run
// on a manual clock that is wound on between iterations, outside the timing.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>

#include "base/Clock.h"
#include "base/ManualClock.h"
#include "base/RunLoop.h"
#include "host/HeadlessHost.h"
#include "ui/NavigationController.h"
#include "ui/TableView.h"
#include "ui/TableViewCell.h"
#include "ui/ViewController.h"
#include "ui/Window.h"

namespace {

constexpr int kRows = 50;

class FiftyRows : public ui::TableViewDataSource {
public:
    int numberOfRowsInSection(ui::TableView&, int) override { return kRows; }
    std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView& table,
                                                             ui::IndexPath ip) override {
        auto cell = table.dequeueReusableCell("row");
        cell->textLabel()->setText("Row " + std::to_string(ip.row));
        return cell;
    }
};

// A screen whose view is a 50-row inset-grouped table; the view is built on first access.
class ListScreen : public ui::ViewController {
public:
    static std::shared_ptr<ListScreen> create() { return std::shared_ptr<ListScreen>(new ListScreen()); }

protected:
    void loadView() override {
        auto table = ui::TableView::create(ui::TableView::Style::InsetGrouped);
        table->setFrame({0, 0, 390, 844});
        table->setRowHeight(52);
        table->registerCell("row",
                            [] { return ui::TableViewCell::create(ui::TableViewCellStyle::Default, "row"); });
        table->setDataSource(rows_);
        setView(table);
    }

private:
    std::shared_ptr<FiftyRows> rows_ = std::make_shared<FiftyRows>();
};

// A window on a manual clock with a navigation controller at its root.
struct Stage {
    Stage() {
        base::Clock::setCurrent(clock);
        window->setRootViewController(navigation);
        settle();
    }
    ~Stage() { base::Clock::setCurrent(nullptr); }
    // Runs every animation to its end.
    void settle() { base::RunLoop::main().runFor(std::chrono::seconds(1)); }
    void drawFrame() {
        window->layoutIfNeeded();
        benchmark::DoNotOptimize(host::HeadlessHost::render(*window, 2.0));
    }

    std::shared_ptr<base::ManualClock> clock = std::make_shared<base::ManualClock>();
    std::shared_ptr<ui::Window> window = ui::Window::create({390, 844}, 2.0);
    std::shared_ptr<ui::NavigationController> navigation =
        ui::NavigationController::create(ui::ViewController::create());
};

void BM_PushToFirstFrame(benchmark::State& state) {
    Stage stage;
    for (auto _ : state) {
        stage.navigation->pushViewController(ListScreen::create(), true);
        stage.drawFrame();
        state.PauseTiming();
        stage.settle();
        stage.navigation->popViewController(false);
        stage.settle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PushToFirstFrame)->Unit(benchmark::kMillisecond);

void BM_PopToFirstFrame(benchmark::State& state) {
    Stage stage;
    for (auto _ : state) {
        state.PauseTiming();
        stage.navigation->pushViewController(ListScreen::create(), false);
        stage.settle();
        stage.drawFrame();
        state.ResumeTiming();
        stage.navigation->popViewController(true);
        stage.drawFrame();
        state.PauseTiming();
        stage.settle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PopToFirstFrame)->Unit(benchmark::kMillisecond);

void BM_PresentSheetToFirstFrame(benchmark::State& state) {
    Stage stage;
    for (auto _ : state) {
        stage.navigation->present(ListScreen::create(), true);
        stage.drawFrame();
        state.PauseTiming();
        stage.settle();
        stage.navigation->dismiss(false);
        stage.settle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PresentSheetToFirstFrame)->Unit(benchmark::kMillisecond);

void BM_DismissSheetToFirstFrame(benchmark::State& state) {
    Stage stage;
    for (auto _ : state) {
        state.PauseTiming();
        stage.navigation->present(ListScreen::create(), false);
        stage.settle();
        stage.drawFrame();
        state.ResumeTiming();
        stage.navigation->dismiss(true);
        stage.drawFrame();
        state.PauseTiming();
        stage.settle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DismissSheetToFirstFrame)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
