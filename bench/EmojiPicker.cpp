// The emoji picker over the full generated emoji file, in a phone-sized window drawn at scale 2:
//   BM_EmojiPickerPresentToFirstFrame: create the picker, present it (the file read, the grid
//     laid out) and draw the window once.
//   BM_EmojiPickerScrollFrame: one frame of a scroll that moves the grid a whole screen, so every
//     visible cell is new: offset changed, grid tiled and laid out, window drawn. It wraps
//     around at the end of the content.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "base/FileSystemRoot.h"
#include "host/HeadlessHost.h"
#include "pickers/emoji/VLEmojiFileReader.h"
#include "pickers/emoji/VLEmojiPickerViewController.h"
#include "ui/Window.h"

namespace {

constexpr double kScale = 2.0;

// A device root holding the generated file, made once.
void installEmojiFile() {
    static const bool installed = [] {
        auto root = std::filesystem::temp_directory_path() / ("vk-bench-emoji-" + std::to_string(::getpid()));
        base::FileSystemRoot::set(root);
        auto path = base::FileSystemRoot::resolve(VLEmojiFileReader::kDevicePath);
        std::filesystem::create_directories(path.parent_path());
        std::filesystem::copy_file(VK_EMOJI_FILE, path, std::filesystem::copy_options::overwrite_existing);
        return true;
    }();
    static_cast<void>(installed);
}

struct PresentedPicker {
    std::shared_ptr<ui::Window> window = ui::Window::create({390, 844});
    std::shared_ptr<ui::ViewController> home = ui::ViewController::create();
    std::shared_ptr<VLEmojiPickerViewController> picker = VLEmojiPickerViewController::create();

    PresentedPicker() {
        window->setRootViewController(home);
        home->present(picker, false);
    }
};

std::size_t emojiCount(const VLEmojiPickerViewController& picker) {
    std::size_t count = 0;
    for (const auto& section : picker.emojiArray().value_or(std::vector<VLEmojiSection>{}))
        count += section.emojis.size();
    return count;
}

void BM_EmojiPickerPresentToFirstFrame(benchmark::State& state) {
    installEmojiFile();
    std::size_t emoji = 0;
    for (auto _ : state) {
        PresentedPicker presented;
        benchmark::DoNotOptimize(host::HeadlessHost::render(*presented.window, kScale));
        emoji = emojiCount(*presented.picker);
        state.PauseTiming();
        presented.picker->dismiss(false);
        state.ResumeTiming();
    }
    state.counters["emoji"] = static_cast<double>(emoji);
}
BENCHMARK(BM_EmojiPickerPresentToFirstFrame)->Unit(benchmark::kMillisecond);

void BM_EmojiPickerScrollFrame(benchmark::State& state) {
    installEmojiFile();
    PresentedPicker presented;
    host::HeadlessHost::render(*presented.window, kScale);
    auto grid = presented.picker->collectionView();
    const double screen = grid->bounds().height;
    const double end = grid->contentSize().height - screen;
    double offset = 0;
    for (auto _ : state) {
        offset = offset + screen > end ? 0 : offset + screen;
        grid->setContentOffset({0, offset});
        benchmark::DoNotOptimize(host::HeadlessHost::render(*presented.window, kScale));
    }
    state.counters["visible_cells"] = static_cast<double>(grid->visibleCells().size());
    state.counters["content_height"] = grid->contentSize().height;
}
BENCHMARK(BM_EmojiPickerScrollFrame)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
