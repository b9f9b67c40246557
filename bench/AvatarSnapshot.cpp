// The avatar picker's snapshot of its preview circle at scale 2, as confirming renders it:
//   BM_AvatarSnapshotEmoji: the default grinning face on its colour.
//   BM_AvatarSnapshotText: two typed characters instead.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "base/FileSystemRoot.h"
#include "pickers/avatar/VLAvatarIdentityPickerViewController.h"
#include "ui/Window.h"

namespace {

std::shared_ptr<VLAvatarIdentityPickerViewController> makePicker(ui::Window& window) {
    // No stickers: the directory does not exist under an empty root.
    static const bool rooted = [] {
        auto root =
            std::filesystem::temp_directory_path() / ("vk-bench-avatar-" + std::to_string(::getpid()));
        std::filesystem::create_directories(root);
        base::FileSystemRoot::set(root);
        return true;
    }();
    static_cast<void>(rooted);
    auto picker = VLAvatarIdentityPickerViewController::initWithTitle("Avatar", true, gfx::Image(),
                                                                      gfx::Color::systemBlue());
    window.setRootViewController(picker);
    window.layoutIfNeeded();
    return picker;
}

void BM_AvatarSnapshotEmoji(benchmark::State& state) {
    auto window = ui::Window::create({390, 844}, 2.0);
    auto picker = makePicker(*window);
    for (auto _ : state) benchmark::DoNotOptimize(picker->avatarSnapshot());
}
BENCHMARK(BM_AvatarSnapshotEmoji)->Unit(benchmark::kMillisecond);

void BM_AvatarSnapshotText(benchmark::State& state) {
    auto window = ui::Window::create({390, 844}, 2.0);
    auto picker = makePicker(*window);
    picker->presentKeyboardEditing();
    picker->textField()->insertText("VK");
    picker->textField()->resignFirstResponder();
    window->layoutIfNeeded();
    for (auto _ : state) benchmark::DoNotOptimize(picker->avatarSnapshot());
}
BENCHMARK(BM_AvatarSnapshotText)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
