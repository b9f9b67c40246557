// The application picker over 2,000 fixture applications (desktop entries in a temporary
// data directory, none with an icon):
//   BM_AppListPresentToFirstFrame: create, load and lay out the picker, then draw the window.
//   BM_AppListSearchKeystroke: one character typed into the search field, the table updated
//     and laid out.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "base/FileSystemRoot.h"
#include "host/HeadlessHost.h"
#include "pickers/PrivateAppList.h"
#include "pickers/applist/VLAppListViewController.h"
#include "ui/Window.h"

namespace {

constexpr int kApplications = 2000;

const base::Value::Array& fixtureApplications() {
    static const base::Value::Array apps = [] {
        auto root =
            std::filesystem::temp_directory_path() / ("vk-bench-applist-" + std::to_string(::getpid()));
        auto entries = root / "data/applications";
        std::filesystem::create_directories(entries);
        std::filesystem::create_directories(root / "fs/var/mobile/Library/Preferences");
        for (int index = 0; index < kApplications; ++index) {
            std::ofstream(entries / ("org.fixture.app" + std::to_string(index) + ".desktop"))
                << "[Desktop Entry]\nType=Application\nExec=true\nName=Fixture App " << index << "\n";
        }
        ::setenv("XDG_DATA_HOME", (root / "home").c_str(), 1);
        ::setenv("XDG_DATA_DIRS", (root / "data").c_str(), 1);
        base::FileSystemRoot::set(root / "fs");
        return PrivateAppList::sharedInstance()->allApps();
    }();
    return apps;
}

std::shared_ptr<VLAppListViewController> makePicker(ui::Window& window) {
    auto picker = VLAppListViewController::initWithKey("apps", "com.example.bench", false, 0);
    picker->setAppsArray(fixtureApplications());
    window.setRootViewController(picker);
    picker->layoutToolView();
    window.layoutIfNeeded();
    return picker;
}

void BM_AppListPresentToFirstFrame(benchmark::State& state) {
    state.counters["applications"] = static_cast<double>(fixtureApplications().size());
    for (auto _ : state) {
        auto window = ui::Window::create({390, 844});
        auto picker = makePicker(*window);
        benchmark::DoNotOptimize(host::HeadlessHost::render(*window, 2.0));
    }
}
BENCHMARK(BM_AppListPresentToFirstFrame)->Unit(benchmark::kMillisecond);

void BM_AppListSearchKeystroke(benchmark::State& state) {
    auto window = ui::Window::create({390, 844});
    auto picker = makePicker(*window);
    auto field = picker->searchTextField();
    field->becomeFirstResponder();
    for (auto _ : state) {
        field->insertText("1");
        window->layoutIfNeeded();
        state.PauseTiming();
        field->clear();
        window->layoutIfNeeded();
        state.ResumeTiming();
    }
    state.counters["rows_after"] = picker->appsArray().size();
}
BENCHMARK(BM_AppListSearchKeystroke)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
