// A preference document of any content (any value of any type under any key) loaded by the list
// screen: sections are cut and every row goes through the row factory and the height callback,
// with no crash and no hang.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>

#include "base/AtomicFile.h"
#include "base/FileSystemRoot.h"
#include "base/Log.h"
#include "prefslist/VLPreferencesListViewController.h"
#include "ui/Window.h"

namespace {

const std::filesystem::path& fuzzRoot() {
    static const std::filesystem::path root = [] {
        auto dir = std::filesystem::temp_directory_path() / "vk-fuzz-prefs-document";
        std::filesystem::create_directories(dir / "var/QZN/Vellium/Preferences/FuzzPrefs.bundle");
        std::filesystem::create_directories(dir / "var/mobile/Library/Preferences");
        base::FileSystemRoot::set(dir);
        base::Log::setSink([](std::string_view) {});
        return dir;
    }();
    return root;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto document = fuzzRoot() / "var/QZN/Vellium/Preferences/FuzzPrefs.bundle/Fuzz.plist";
    if (!base::AtomicFile::write(document, std::span(data, size))) return 0;
    auto window = ui::Window::create({390, 844});
    auto screen = std::make_shared<VLPreferencesListViewController>();
    window->setRootViewController(screen);
    auto config = std::make_shared<VLPrefsConfig>();
    config->tweakName = "Fuzz";
    config->plistName = "Fuzz";
    screen->updateWithPrefsConfig(config);
    auto& table = *screen->tableView();
    for (int section = 0; section < screen->numberOfSections(table); ++section) {
        screen->viewForHeaderInSection(table, section);
        for (int row = 0; row < screen->numberOfRowsInSection(table, section); ++row) {
            screen->cellForRowAtIndexPath(table, {section, row});
            screen->heightForRowAtIndexPath(table, {section, row});
        }
    }
    window->layoutIfNeeded();
    return 0;
}
