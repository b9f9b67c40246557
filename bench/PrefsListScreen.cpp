// The preference list screen at work: the example tweak's screen pushed to its first drawn
// frame, a 500-row document scrolled one screen height per frame (rows made by the real row
// factory, values read from the real store), setupData of a 2,000-row document, and
// `vellium render` of the example tweak as a whole process.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "base/FileSystemRoot.h"
#include "base/PropertyList.h"
#include "base/RunLoop.h"
#include "home/VLPrefsConfig.h"
#include "host/HeadlessHost.h"
#include "prefslist/VLPreferencesListViewController.h"
#include "store/VLPrefsManager.h"
#include "ui/NavigationController.h"
#include "ui/TableView.h"
#include "ui/ViewController.h"
#include "ui/Window.h"

extern char** environ;

namespace {

constexpr const char* kTweak = "ExampleTweak";
constexpr const char* kID = "com.example.bench";

// A device root in a temporary folder, laid out by the project's own script.
const std::filesystem::path& deviceRoot() {
    static const std::filesystem::path root = [] {
        auto path = std::filesystem::temp_directory_path() / ("vk-bench-root-" + std::to_string(::getpid()));
        std::string command = std::string("'") + VK_MAKE_DEVICE_ROOT + "' '" + path.string() + "' '" +
                              VK_BUILD_DIR + "' > /dev/null";
        if (std::system(command.c_str()) != 0) std::abort();
        base::FileSystemRoot::set(path);
        return path;
    }();
    return root;
}

base::Value row(std::string type, std::string title, std::string key) {
    base::Value::Dictionary row{{"CellType", type},   {"Title", title}, {"Subtitle", "A line under " + title},
                                {"AccentColour", ""}, {"Key", key},     {"BID", kID}};
    if (type == "VLPrefsSegmentCell") row["ValidTitles"] = base::Value::Array{"One", "Two", "Three"};
    if (type == "VLPrefsSliderCell" || type == "VLPrefsStepperCell") {
        row["MinValue"] = 0;
        row["MaxValue"] = 100;
        row["DefaultValue"] = 40;
    }
    return row;
}

// A document of `rows` rows of the common kinds, with a header every 20 rows, as document
// NAME of the example bundle; some values are stored so the store is read for real.
std::string writeDocument(int rows) {
    static const char* const kTypes[] = {
        "VLPrefsSwitchCell",       "VLPrefsSliderCell", "VLPrefsSegmentCell",   "VLPrefsStepperCell",
        "VLPrefsColourPickerCell", "VLPrefsButtonCell", "VLPrefsHyperlinkCell", "VLPrefsTextFieldCell"};
    base::Value::Array list;
    for (int i = 0; i < rows; ++i) {
        if (i % 20 == 0)
            list.push_back(base::Value::Dictionary{{"CellType", "VLPrefsSectionHeaderCell"},
                                                   {"Title", "Section " + std::to_string(i / 20)}});
        list.push_back(row(kTypes[i % 8], "Row " + std::to_string(i), "Key" + std::to_string(i)));
    }
    std::string name = "Bench" + std::to_string(rows);
    auto path = base::FileSystemRoot::resolve(std::string("/var/QZN/Vellium/Preferences/") + kTweak +
                                              "Prefs.bundle/" + name + ".plist");
    if (!base::PropertyList::writeFile(base::Value::Dictionary{{"Preferences", list}}, path)) std::abort();
    for (int i = 0; i < rows; i += 3)
        VLPrefsManager::sharedInstance().setBool(true, "Key" + std::to_string(i), kID);
    return name;
}

std::shared_ptr<VLPreferencesListViewController> configuredScreen(const std::string& document) {
    auto screen = std::make_shared<VLPreferencesListViewController>();
    screen->setTweakNameString(kTweak);
    screen->setPlistString(document);
    screen->view();
    auto config = std::make_shared<VLPrefsConfig>();
    config->tweakName = kTweak;
    config->titleString = "Bench";
    config->plistName = document;
    screen->updateWithPrefsConfig(config);
    return screen;
}

// The screen the list is pushed from.
class HomeScreen : public ui::ViewController {};

std::shared_ptr<ui::TableView> tableOf(const std::shared_ptr<ui::View>& view) {
    if (auto table = std::dynamic_pointer_cast<ui::TableView>(view)) return table;
    for (const auto& subview : view->subviews()) {
        if (auto table = tableOf(subview)) return table;
    }
    return nullptr;
}

void BM_ExampleScreenPushedToFirstFrame(benchmark::State& state) {
    deviceRoot();
    auto window = ui::Window::create({390, 844}, 2);
    auto home = std::make_shared<HomeScreen>();
    auto navigation = ui::NavigationController::create(home);
    window->setRootViewController(navigation);
    window->layoutWindowIfNeeded();
    for (auto _ : state) {
        auto screen = std::make_shared<VLPreferencesListViewController>();
        screen->setTweakNameString(kTweak);
        screen->setPlistString(kTweak);
        navigation->pushViewController(screen, false);
        auto config = std::make_shared<VLPrefsConfig>();
        config->tweakName = kTweak;
        config->titleString = "Example Tweak";
        config->plistName = kTweak;
        screen->updateWithPrefsConfig(config);
        benchmark::DoNotOptimize(host::HeadlessHost::render(*window, 2).pixelWidth());
        state.PauseTiming();
        navigation->popViewController(false);
        base::RunLoop::main().runUntilIdle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ExampleScreenPushedToFirstFrame)->Unit(benchmark::kMillisecond);

// One frame: the offset moves a screen height, the table recycles and makes rows, the window
// lays out; with `draw`, the frame is also drawn at scale 2.
void scrollFrames(benchmark::State& state, bool draw) {
    deviceRoot();
    static const std::string document = writeDocument(500);
    auto window = ui::Window::create({390, 844}, 2);
    auto screen = configuredScreen(document);
    window->setRootViewController(screen);
    window->layoutWindowIfNeeded();
    auto table = tableOf(screen->view());
    double y = 0;
    for (auto _ : state) {
        y += 844;
        if (y + 844 > table->contentSize().height) y = 0;
        table->setContentOffset({0, y});
        window->layoutWindowIfNeeded();
        if (draw) benchmark::DoNotOptimize(host::HeadlessHost::render(*window, 2).pixelWidth());
        benchmark::DoNotOptimize(table->visibleCells().size());
    }
}
void BM_Scroll500RowsOneScreenPerFrame(benchmark::State& state) { scrollFrames(state, false); }
void BM_Scroll500RowsOneScreenPerFrameDrawn(benchmark::State& state) { scrollFrames(state, true); }
BENCHMARK(BM_Scroll500RowsOneScreenPerFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Scroll500RowsOneScreenPerFrameDrawn)->Unit(benchmark::kMillisecond);

void BM_SetupData2000Rows(benchmark::State& state) {
    deviceRoot();
    static const std::string document = writeDocument(2000);
    auto screen = configuredScreen(document);
    for (auto _ : state) screen->setupData();
}
BENCHMARK(BM_SetupData2000Rows)->Unit(benchmark::kMillisecond);

// The same with a file that changed since the last build of the sections: read and parsed again.
void BM_SetupData2000RowsChangedFile(benchmark::State& state) {
    deviceRoot();
    static const std::string document = writeDocument(2000);
    auto screen = configuredScreen(document);
    const auto path = base::FileSystemRoot::resolve(std::string("/var/QZN/Vellium/Preferences/") + kTweak +
                                                    "Prefs.bundle/" + document + ".plist");
    auto modified = std::filesystem::last_write_time(path);
    for (auto _ : state) {
        modified += std::chrono::seconds(1);
        std::filesystem::last_write_time(path, modified);
        screen->setupData();
    }
}
BENCHMARK(BM_SetupData2000RowsChangedFile)->Unit(benchmark::kMillisecond);

// The whole `vellium render` process: start, load the bundle, lay out, draw, write the PNG.
void BM_VelliumRenderProcess(benchmark::State& state) {
    const auto& root = deviceRoot();
    const std::string output = (root / "render.png").string();
    std::vector<std::string> words = {VK_VELLIUM, "--root", root.string(), "render", kTweak, "-o", output};
    std::vector<char*> argv;
    for (auto& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    for (auto _ : state) {
        pid_t child = 0;
        if (posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) std::abort();
        int status = 0;
        ::waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("vellium render failed");
    }
}
BENCHMARK(BM_VelliumRenderProcess)->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
