#include <gtest/gtest.h>

#include "GalleryIndex.h"
#include "base/ManualClock.h"
#include "base/RunLoop.h"
#include "gfx/Image.h"
#include "host/HeadlessHost.h"
#include "host/WindowHost.h"
#include "support/TemporaryDirectory.h"
#include "ui/Button.h"
#include "ui/NavigationController.h"
#include "ui/Switch.h"
#include "ui/TableView.h"
#include "ui/Window.h"

// End to end: the gallery in a real host window (xvfb), driven only by mouse and key events
// pushed through the host's event queue, observed through the view tree.
namespace {

template <typename T>
std::shared_ptr<T> findView(const std::shared_ptr<ui::View>& view,
                            const std::function<bool(T&)>& matches = {}) {
    if (auto found = std::dynamic_pointer_cast<T>(view); found && (!matches || matches(*found))) return found;
    for (const auto& subview : view->subviews()) {
        if (auto found = findView<T>(subview, matches)) return found;
    }
    return nullptr;
}

class GalleryWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        base::Clock::setCurrent(clock);
        window->setRootViewController(navigation);
        host::WindowHostOptions options;
        options.visible = false;
        options.screenshotDirectory = directory.path();
        auto opened = host::WindowHost::open(window, options);
        ASSERT_TRUE(opened.ok()) << opened.error().description;
        host = std::move(opened.value());
        settle();
    }
    void TearDown() override {
        host.reset();
        base::Clock::setCurrent(base::Clock::system());
    }

    // Lets transitions finish on the manual clock, then draws as the host would.
    void settle() {
        base::RunLoop::main().runFor(std::chrono::seconds(1));
        host->drawIfNeeded();
    }
    // Clicks the centre of `rect` (in `view`'s coordinates) in window pixels.
    void click(ui::View& view, gfx::Rect rect) {
        gfx::Point point = view.convertPoint({rect.x + rect.width / 2, rect.y + rect.height / 2}, nullptr);
        gfx::Point pixel{point.x * window->scale(), point.y * window->scale()};
        host->injectMouseButton(pixel, true);
        host->injectMouseButton(pixel, false);
        host->processEvents();
        settle();
    }
    void click(ui::View& view) { click(view, view.bounds()); }
    void openPage(int row) {
        auto table = findView<ui::TableView>(navigation->topViewController()->view());
        ASSERT_NE(table, nullptr);
        click(*table, table->rectForRowAtIndexPath({0, row}));
    }
    std::shared_ptr<ui::Button> button(const std::string& title) {
        std::function<bool(ui::Button&)> titled = [&](ui::Button& b) {
            return b.title(ui::ControlStateNormal) == title;
        };
        auto found = findView<ui::Button>(navigation->topViewController()->view(), titled);
        EXPECT_NE(found, nullptr) << title;
        return found;
    }

    std::shared_ptr<base::ManualClock> clock = std::make_shared<base::ManualClock>();
    testsupport::TemporaryDirectory directory;
    std::shared_ptr<ui::Window> window = ui::Window::create({390, 844}, 2);
    std::shared_ptr<ui::NavigationController> navigation = GalleryIndex::makeGallery();
    std::unique_ptr<host::WindowHost> host;
};

TEST_F(GalleryWindowTest, ClicksToggleASwitchPresentAndCloseASheetAndKeysSaveAScreenshot) {
    openPage(0);  // Controls
    ASSERT_EQ(navigation->viewControllers().size(), 2u);
    auto toggle = findView<ui::Switch>(navigation->topViewController()->view());
    ASSERT_NE(toggle, nullptr);
    auto switchState = [&] {
        std::string dump = host::HeadlessHost::dumpJson(*window);
        auto at = dump.find("\"class\": \"Switch\"");
        return at == std::string::npos ? std::string() : dump.substr(dump.find("\"on\": ", at), 11);
    };
    EXPECT_EQ(switchState(), "\"on\": true,");
    click(*toggle);
    EXPECT_EQ(switchState(), "\"on\": false");

    click(*button("‹ Back"));
    ASSERT_EQ(navigation->viewControllers().size(), 1u);
    openPage(3);  // Sheets and alerts
    click(*button("Present a sheet"));
    ASSERT_NE(navigation->presentedViewController(), nullptr);
    host->injectKey(host::WindowHost::Key::Escape);
    host->processEvents();
    settle();
    EXPECT_EQ(navigation->presentedViewController(), nullptr);
    EXPECT_FALSE(host->quitRequested());

    host->injectKey(host::WindowHost::Key::F12);
    host->processEvents();
    auto shot = gfx::Image::fromFile(host->lastScreenshot());
    ASSERT_TRUE(shot.ok());
    EXPECT_EQ(shot.value().pixelWidth(), 780);
    EXPECT_EQ(shot.value().pixelHeight(), 1688);
}

}  // namespace
