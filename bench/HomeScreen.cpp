// The home screens and the changelog sheet in a phone-sized window, drawn at scale 2:
//   BM_HomePushToFirstFrame: a categories home screen pushed, configured and drawn.
//   BM_HomeCoverPullFrame: one frame of pulling the cover down (offset, transform, layout, draw).
//   BM_ChangelogPresentToFirstFrame: the sheet with 50 releases created, laid out and drawn.
// The changelog download goes to a port nothing listens on and is not part of any figure.
#include <benchmark/benchmark.h>

#include "base/RunLoop.h"
#include "gfx/ImageContext.h"
#include "home/VLChangelogViewController.h"
#include "home/VLFreePrefsHomeViewController.h"
#include "home/VLPackageRepository.h"
#include "host/HeadlessHost.h"
#include "ui/NavigationController.h"
#include "ui/Window.h"

namespace {

gfx::Image solid(double width, double height, gfx::Color colour) {
    gfx::ImageContext context({width, height});
    context.painter().fillRect({0, 0, width, height}, colour);
    return context.image();
}

std::shared_ptr<VLPrefsConfig> benchConfig() {
    auto config = std::make_shared<VLPrefsConfig>();
    config->heroCover = solid(390, 400, {0.2, 0.4, 0.8});
    config->heroIcon = solid(70, 70, {0.9, 0.5, 0.1});
    config->tweakName = "Bench";
    config->tweakVersion = "v1.0";
    config->isCategoriesAvailable = true;
    config->categoriesArray = std::make_shared<VLFreePrefsHomeViewController::Categories>();
    for (const char* title : {"Display", "Badges", "Sounds", "Style", "About"}) {
        config->categoriesArray->push_back(std::make_shared<VLPrefsCategoriesData>(
            title, solid(25, 25, {1, 1, 1}), std::nullopt, "", false, ""));
    }
    return config;
}

struct HomeInWindow {
    std::shared_ptr<ui::Window> window = ui::Window::create({390, 844});
    std::shared_ptr<ui::NavigationController> navigation =
        ui::NavigationController::create(ui::ViewController::create());
    std::shared_ptr<VLFreePrefsHomeViewController> home = std::make_shared<VLFreePrefsHomeViewController>();

    HomeInWindow() {
        VLPackageRepository::setBaseAddress("https://127.0.0.1:9");
        window->setRootViewController(navigation);
        window->layoutIfNeeded();
        navigation->pushViewController(home, false);
        home->updateWithPrefsConfig(benchConfig());
        window->layoutIfNeeded();
    }
};

void BM_HomePushToFirstFrame(benchmark::State& state) {
    for (auto _ : state) {
        HomeInWindow screen;
        benchmark::DoNotOptimize(host::HeadlessHost::render(*screen.window, 2.0));
        state.PauseTiming();
        base::RunLoop::main().runUntilIdle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_HomePushToFirstFrame)->Unit(benchmark::kMillisecond);

void BM_HomeCoverPullFrame(benchmark::State& state) {
    HomeInWindow screen;
    host::HeadlessHost::render(*screen.window, 2.0);
    double pull = 0;
    for (auto _ : state) {
        pull = pull >= 150 ? 1 : pull + 1;
        screen.home->scrollView()->setContentOffset({0, -pull});
        screen.window->layoutIfNeeded();
        benchmark::DoNotOptimize(host::HeadlessHost::render(*screen.window, 2.0));
    }
    base::RunLoop::main().runUntilIdle();
}
BENCHMARK(BM_HomeCoverPullFrame)->Unit(benchmark::kMillisecond);

std::vector<VLChangelogRelease> fiftyReleases() {
    std::vector<VLChangelogRelease> releases;
    for (int index = 0; index < 50; ++index) {
        releases.push_back(
            {std::to_string(1 + index % 28),
             "Jun",
             "2026",
             "v1." + std::to_string(index),
             {{"Faster start-up of the settings screen.", 2},
              {"Fixed a crash when no application was chosen.\nThanks to everyone who wrote in.", 1},
              {"A style picker for the badge shape.", 3}}});
    }
    return releases;
}

void BM_ChangelogPresentToFirstFrame(benchmark::State& state) {
    const auto releases = fiftyReleases();
    for (auto _ : state) {
        auto window = ui::Window::create({390, 844});
        auto sheet = VLChangelogViewController::create("Bench", releases);
        window->setRootViewController(sheet);
        window->layoutIfNeeded();
        benchmark::DoNotOptimize(host::HeadlessHost::render(*window, 2.0));
    }
}
BENCHMARK(BM_ChangelogPresentToFirstFrame)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
