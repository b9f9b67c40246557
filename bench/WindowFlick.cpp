// A flick at 4,000 points a second on a 1,000-row table in a real SDL window (under xvfb-run),
// on the real clock: how long the content decelerates and at what intervals the host draws
// its frames meanwhile. Also the cost of one whole-window frame (motion, layout, render).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "base/RunLoop.h"
#include "gfx/Painter.h"
#include "host/HeadlessHost.h"
#include "host/WindowHost.h"
#include "ui/TableView.h"
#include "ui/TableViewCell.h"
#include "ui/ViewController.h"
#include "ui/Window.h"

namespace {

class Rows : public ui::TableViewDataSource {
public:
    int numberOfRowsInSection(ui::TableView&, int) override { return 1000; }
    std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView& table,
                                                             ui::IndexPath ip) override {
        auto cell = table.dequeueReusableCell("row");
        if (!cell) cell = ui::TableViewCell::create(ui::TableViewCellStyle::Subtitle, "row");
        cell->textLabel()->setText("Row " + std::to_string(ip.row));
        cell->detailTextLabel()->setText("Subtitle of row " + std::to_string(ip.row));
        return cell;
    }
};

struct Screen {
    std::shared_ptr<ui::Window> window = ui::Window::create({390, 844}, 2);
    std::shared_ptr<ui::TableView> table = ui::TableView::create(ui::TableView::Style::InsetGrouped);
    std::shared_ptr<Rows> rows = std::make_shared<Rows>();

    Screen() {
        auto root = ui::ViewController::create();
        table->setFrame({0, 0, 390, 844});
        table->setDataSource(rows);
        root->view()->addSubview(table);
        window->setRootViewController(root);
        window->layoutIfNeeded();
    }
};

double percentile(std::vector<double> values, double fraction) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1))];
}

void BM_FlickFrameIntervals(benchmark::State& state) {
    if (!std::getenv("DISPLAY")) {
        state.SkipWithError("needs a display: run under xvfb-run");
        return;
    }
    Screen screen;
    host::WindowHostOptions options;
    options.visible = false;
    auto opened = host::WindowHost::open(screen.window, options);
    if (!opened.ok()) {
        state.SkipWithError(opened.error().description.c_str());
        return;
    }
    auto& host = *opened.value();
    host.attach();
    std::vector<double> intervals, durations;
    for (auto _ : state) {
        screen.table->setContentOffset({0, 0});
        base::RunLoop::main().runFor(std::chrono::milliseconds(100));
        host.injectMouseButton({390, 1400}, true);
        for (int step = 1; step <= 4; ++step) {
            base::RunLoop::main().runFor(std::chrono::milliseconds(16));
            host.injectMouseMotion({390, 1400.0 - 128 * step}, true);  // 64 points per 16 ms
        }
        host.injectMouseButton({390, 1400 - 128 * 4}, false);
        base::RunLoop::main().runFor(std::chrono::milliseconds(20));
        host.clearFrameTimes();
        auto start = std::chrono::steady_clock::now();
        while (screen.table->isDecelerating()) base::RunLoop::main().runFor(std::chrono::milliseconds(5));
        durations.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        const auto& times = host.frameTimes();
        for (std::size_t i = 1; i < times.size(); ++i)
            intervals.push_back(std::chrono::duration<double, std::milli>(times[i] - times[i - 1]).count());
    }
    host.detach();
    state.counters["decel_s"] = std::accumulate(durations.begin(), durations.end(), 0.0) / durations.size();
    state.counters["frames"] = static_cast<double>(intervals.size()) / durations.size();
    state.counters["interval_ms_median"] = percentile(intervals, 0.5);
    state.counters["interval_ms_p95"] = percentile(intervals, 0.95);
    state.counters["interval_ms_max"] = percentile(intervals, 1.0);
}
BENCHMARK(BM_FlickFrameIntervals)->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();

// One whole-window frame as the host makes it while scrolling: move, lay out, and draw at scale 2
// on the one canvas the host clears for every frame.
void BM_WholeWindowFrame(benchmark::State& state) {
    Screen screen;
    gfx::Painter canvas(screen.window->frame().size(), 2);
    double y = 0;
    for (auto _ : state) {
        y = y > 20000 ? 0 : y + 40;
        screen.table->setContentOffset({0, y});
        screen.window->runFrame(base::RunLoop::main().now());
        canvas.clear();
        host::HeadlessHost::renderInto(*screen.window, canvas);
        benchmark::DoNotOptimize(canvas.pixels().data);
    }
}
BENCHMARK(BM_WholeWindowFrame)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
