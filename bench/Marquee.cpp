// A running marquee (300 points of text in a 200-point view, mid-pass) in a 390 x 44 window:
//   BM_MarqueeFrame: one frame's main-thread work at scale 2: the clock moves a sixtieth of a
//     second, the run loop ticks the animation, the window is laid out and drawn.
#include <benchmark/benchmark.h>

#include <chrono>

#include "base/ManualClock.h"
#include "base/RunLoop.h"
#include "host/HeadlessHost.h"
#include "ui/Window.h"
#include "uikit/VLMarqueeLabel.h"

namespace {

void runFrames(benchmark::State& state, std::chrono::milliseconds startAt) {
    auto clock = std::make_shared<base::ManualClock>();
    base::Clock::setCurrent(clock);
    auto window = ui::Window::create({390, 44});
    auto marquee = VLMarqueeLabel::create({20, 7, 200, 30});
    marquee->setText("A headline that is much too long to fit in the marquee label");
    window->addSubview(marquee);
    base::RunLoop::main().runFor(startAt);
    const auto frame = std::chrono::microseconds(16667);
    for (auto _ : state) {
        base::RunLoop::main().runFor(frame);
        window->layoutIfNeeded();
        benchmark::DoNotOptimize(host::HeadlessHost::render(*window, 2.0));
    }
    state.counters["scrolling"] = marquee->scrolling();
    marquee->removeFromSuperview();
    base::Clock::setCurrent(nullptr);
}

void BM_MarqueeFrame(benchmark::State& state) { runFrames(state, std::chrono::milliseconds(2000)); }
BENCHMARK(BM_MarqueeFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
