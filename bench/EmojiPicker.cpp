// The emoji picker over the full generated emoji file, in a phone-sized window drawn at scale 2:
//   BM_EmojiPickerPresentToFirstFrame: create the picker, present it (the file read, the grid
//     laid out) and draw the window once.
//   BM_EmojiPickerFirstPassFrame / BM_EmojiPickerScrollFrame: one frame of a scroll that moves
//     the grid a whole screen, so every visible cell is new: offset changed, grid tiled and laid
//     out, window drawn on the host's canvas. The first pass is the grid's first trip from top to
//     bottom, when the font decodes each glyph; the scroll frame is any later one.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "base/FileSystemRoot.h"
#include "base/RunLoop.h"
#include "gfx/Painter.h"
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

// Moves the grid one screen further (wrapping at the end) and draws the frame on the host's one
// canvas, as the window host does while scrolling.
class ScreenStepper {
public:
    explicit ScreenStepper(PresentedPicker& presented)
        : presented_(presented), canvas_(presented.window->frame().size(), kScale) {
        draw();
        auto grid = presented_.picker->collectionView();
        screen_ = grid->bounds().height;
        end_ = grid->contentSize().height - screen_;
    }

    void step() {
        offset_ = offset_ + screen_ > end_ ? 0 : offset_ + screen_;
        presented_.picker->collectionView()->setContentOffset({0, offset_});
        draw();
    }

    bool wrapped() const { return offset_ == 0; }

private:
    void draw() {
        presented_.window->runFrame(base::RunLoop::main().now());
        canvas_.clear();
        host::HeadlessHost::renderInto(*presented_.window, canvas_);
        benchmark::DoNotOptimize(canvas_.pixels().data);
    }

    PresentedPicker& presented_;
    gfx::Painter canvas_;
    double screen_ = 0;
    double end_ = 0;
    double offset_ = 0;
};

// Every glyph's first appearance: the font decodes its colour bitmap. One presentation stepped
// through the whole grid once; the time divided by `frames` is the cost of a frame. The glyphs
// stay cached for the process, so only the first run in a process measures the first pass.
void BM_EmojiPickerFirstPassFrame(benchmark::State& state) {
    installEmojiFile();
    std::size_t frames = 0;
    for (auto _ : state) {
        state.PauseTiming();
        PresentedPicker presented;
        ScreenStepper stepper(presented);
        state.ResumeTiming();
        do {
            stepper.step();
            ++frames;
        } while (!stepper.wrapped());
    }
    state.counters["frames"] = static_cast<double>(frames) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_EmojiPickerFirstPassFrame)->Unit(benchmark::kMillisecond)->Iterations(1);

// Once every glyph has been drawn: a whole new screen of cells per frame.
void BM_EmojiPickerScrollFrame(benchmark::State& state) {
    installEmojiFile();
    PresentedPicker presented;
    ScreenStepper stepper(presented);
    do stepper.step();
    while (!stepper.wrapped());
    for (auto _ : state) stepper.step();
    state.counters["visible_cells"] =
        static_cast<double>(presented.picker->collectionView()->visibleCells().size());
}
BENCHMARK(BM_EmojiPickerScrollFrame)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
