// vellium-preview: the desktop host. `--gallery` shows every platform control and screen in a
// window; `--bundle NAME` a tweak's list screen in the host application's tab and navigation
// frame, writing real preference files; `--screenshot FILE` renders the first frame (or the frame after
// `--after-ms` of run-loop time) to a PNG without opening a window, which needs no display.
#include <iostream>
#include <string>
#include <vector>

#include "GalleryIndex.h"
#include "HostApplication.h"
#include "HostServices.h"
#include "PreviewOptions.h"
#include "TweakScreen.h"
#include "base/FileSystemRoot.h"
#include "base/ManualClock.h"
#include "base/RunLoop.h"
#include "host/HeadlessHost.h"
#include "host/WindowHost.h"
#include "prefslist/VLPreferencesListViewController.h"
#include "sys/ContactStore.h"
#include "ui/NavigationController.h"
#include "ui/TabBarController.h"
#include "ui/Window.h"

namespace {

int usageError(const std::string& message) {
    std::cerr << "vellium-preview: " << message << "\n" << PreviewOptions::kUsage << "\n";
    return 2;
}

// Renders without a window on a manual clock, so `--after-ms` is run-loop time, not waiting.
int writeScreenshot(ui::Window& window, const PreviewOptions& options) {
    auto clock = std::make_shared<base::ManualClock>();
    base::Clock::setCurrent(clock);
    base::RunLoop::main().runUntilIdle();
    if (options.afterMilliseconds > 0)
        base::RunLoop::main().runFor(std::chrono::milliseconds(options.afterMilliseconds));
    auto written = host::HeadlessHost::writePng(window, *options.screenshot, window.scale());
    base::Clock::setCurrent(base::Clock::system());
    if (!written) {
        std::cerr << "vellium-preview: " << written.error().description << "\n";
        return 1;
    }
    return 0;
}

int showWindow(const std::shared_ptr<ui::Window>& window, const PreviewOptions& options) {
    host::WindowHostOptions hostOptions;
    hostOptions.title = "Vellium preview";
    hostOptions.screenshotDirectory = options.screenshotDirectory;
    auto opened = host::WindowHost::open(window, hostOptions);
    if (!opened) {
        std::cerr << "vellium-preview: " << opened.error().description << "\n";
        return 1;
    }
    std::cout << "F2 or Ctrl+D: light/dark, F12: screenshot, Esc: close the sheet or quit\n";
    opened.value()->run();
    return 0;
}

// Shows the gallery, opened on `--page` when given; false for an unknown page.
bool showGallery(ui::Window& window, const PreviewOptions& options) {
    auto navigation = GalleryIndex::makeGallery();
    window.setRootViewController(navigation);
    return !options.page || GalleryIndex::openPage(*navigation, *options.page);
}

// Opens `--bundle` in the host: with `--document` (or `--title`) that document's list screen,
// else the bundle's principal class (its home screen). A missing bundle or document is
// reported in one line, and the (empty) screen still shows.
void openBundle(HostApplication& application, const PreviewOptions& options) {
    if (options.document.empty() && options.title.empty()) return application.openTweak(*options.bundle);
    TweakScreen::Request request{*options.bundle, options.document,
                                 options.title.empty() ? *options.bundle : options.title};
    std::string problem;
    auto screen = TweakScreen::open(request, problem);
    if (!problem.empty()) std::cerr << "vellium-preview: " << problem << "\n";
    TweakScreen::configure(*screen, request);
    application.push(screen);
}

}  // namespace

int main(int argc, char** argv) {
    PreviewOptions options;
    try {
        options = PreviewOptions::parse(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const UsageError& error) {
        return usageError(error.what());
    }
    if (options.help) {
        std::cout << PreviewOptions::kUsage << "\n";
        return 0;
    }
    if (options.root) base::FileSystemRoot::set(*options.root);
    if (options.contacts) sys::ContactStore::setDirectory(*options.contacts);
    sys::ContactStore::setAccessGranted(!options.denyContacts);
    HostServices::install();
    HostServices::setDownloadSource(options.repository, options.caFile);

    auto window = ui::Window::create(options.size, options.scale);
    window->setTraitCollection(options.dark ? gfx::TraitCollection::dark() : gfx::TraitCollection::light());
    std::unique_ptr<HostApplication> application;
    if (options.gallery) {
        if (!showGallery(*window, options))
            return usageError("no gallery page titled \"" + *options.page + "\"");
    } else {
        application = std::make_unique<HostApplication>(*window);
        if (options.bundle) openBundle(*application, options);
    }

    return options.screenshot ? writeScreenshot(*window, options) : showWindow(window, options);
}
