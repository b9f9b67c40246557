// End to end: the example tweak's bundle loaded into the preview's frame (tab bar, navigation)
// in a real host window under xvfb, driven only by SDL mouse and key events; the preference
// file and a watcher in another process show what was stored and announced.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <functional>
#include <memory>
#include <set>
#include <string>

#include "HostApplication.h"
#include "TweakScreen.h"
#include "base/FileSystemRoot.h"
#include "base/ManualClock.h"
#include "base/PropertyList.h"
#include "base/RunLoop.h"
#include "home/VLFreePrefsHomeViewController.h"
#include "host/WindowHost.h"
#include "prefslist/VLPreferencesListViewController.h"
#include "support/ChildProcess.h"
#include "support/TemporaryDirectory.h"
#include "ui/Label.h"
#include "ui/NavigationController.h"
#include "ui/SegmentedControl.h"
#include "ui/Slider.h"
#include "ui/Stepper.h"
#include "ui/Switch.h"
#include "ui/TabBarController.h"
#include "ui/TableView.h"
#include "ui/TableViewCell.h"
#include "ui/Window.h"

namespace {

constexpr const char* kID = "com.example.exampletweak";

template <typename T>
std::shared_ptr<T> findView(const std::shared_ptr<ui::View>& view,
                            const std::function<bool(T&)>& matches = {}) {
    if (view->isHidden()) return nullptr;
    if (auto found = std::dynamic_pointer_cast<T>(view); found && (!matches || matches(*found))) return found;
    for (const auto& subview : view->subviews()) {
        if (auto found = findView<T>(subview, matches)) return found;
    }
    return nullptr;
}

class ExampleTweakWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string command = std::string("'") + VK_MAKE_DEVICE_ROOT + "' '" + root.path().string() + "' '" +
                              VK_BUILD_DIR + "' > /dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0);
        base::FileSystemRoot::set(root.path());
        base::Clock::setCurrent(clock);
        application = std::make_unique<HostApplication>(*window);
        host::WindowHostOptions options;
        options.visible = false;
        auto opened = host::WindowHost::open(window, options);
        ASSERT_TRUE(opened.ok()) << opened.error().description;
        host = std::move(opened.value());
        settle();
    }
    void TearDown() override {
        host.reset();
        application.reset();
        base::Clock::setCurrent(base::Clock::system());
        base::FileSystemRoot::set("/");
    }

    // The example's settings list pushed on the Tweaks tab straight away, as `--document` does.
    void openList() {
        TweakScreen::Request request{"ExampleTweak", "", "Example Tweak"};
        std::string problem;
        screen = TweakScreen::open(request, problem);
        ASSERT_EQ(problem, "");
        TweakScreen::configure(*screen, request);
        application->push(screen);
        settle();
    }
    std::shared_ptr<ui::ViewController> topOfTweaksTab() const {
        auto navigation = std::dynamic_pointer_cast<ui::NavigationController>(
            application->tabs()->selectedViewController());
        return navigation ? navigation->topViewController() : nullptr;
    }
    std::shared_ptr<ui::Label> label(const std::string& text) const {
        std::function<bool(ui::Label&)> showing = [&](ui::Label& label) { return label.text() == text; };
        return findView<ui::Label>(topOfTweaksTab()->view(), showing);
    }

    void settle() {
        base::RunLoop::main().runFor(std::chrono::seconds(1));
        host->drawIfNeeded();
    }
    gfx::Point pixel(const ui::View& view, gfx::Point point) const {
        gfx::Point at = view.convertPoint(point, nullptr);
        return {at.x * window->scale(), at.y * window->scale()};
    }
    void click(const ui::View& view, gfx::Point point) {
        host->injectMouseButton(pixel(view, point), true);
        host->injectMouseButton(pixel(view, point), false);
        host->processEvents();
        settle();
    }
    void click(const ui::View& view) {
        click(view, {view.bounds().x + view.bounds().width / 2, view.bounds().y + view.bounds().height / 2});
    }
    // A press at `from`, moves in steps 16 ms apart, a still moment and the release at `to`.
    void drag(const ui::View& view, gfx::Point from, gfx::Point to) {
        host->injectMouseButton(pixel(view, from), true);
        host->processEvents();
        for (int step = 1; step <= 10; ++step) {
            clock->advance(std::chrono::milliseconds(16));
            host->injectMouseMotion(pixel(view, {from.x + (to.x - from.x) * step / 10, from.y}), true);
            host->processEvents();
        }
        clock->advance(std::chrono::milliseconds(200));
        host->injectMouseButton(pixel(view, to), false);
        host->processEvents();
        settle();
    }
    void key(host::WindowHost::Key which) {
        host->injectKey(which);
        host->processEvents();
        settle();
    }
    // The visible row titled `title`, wheeled into the middle of the screen first.
    std::shared_ptr<ui::TableViewCell> row(const std::string& title) {
        auto table = findView<ui::TableView>(screen->view());
        for (int turn = 0; turn < 40; ++turn) {
            if (auto cell = visibleCell(*table, title)) {
                double y = cell->convertPoint({0, cell->bounds().height / 2}, nullptr).y;
                if (y > 200 && y < 640) return cell;
                host->injectWheel(pixel(*table, {195, table->contentOffset().y + 400}), y < 200 ? 2 : -2);
            } else {
                host->injectWheel(pixel(*table, {195, table->contentOffset().y + 400}), -3);
            }
            host->processEvents();
            settle();
        }
        ADD_FAILURE() << "no row titled " << title;
        return nullptr;
    }
    static std::shared_ptr<ui::TableViewCell> visibleCell(ui::TableView& table, const std::string& title) {
        for (const auto& cell : table.visibleCells()) {
            std::function<bool(ui::Label&)> titled = [&](ui::Label& label) { return label.text() == title; };
            if (findView<ui::Label>(cell, titled)) return cell;
        }
        return nullptr;
    }
    template <typename Control>
    std::shared_ptr<Control> control(const std::string& title) {
        auto cell = row(title);
        return cell ? findView<Control>(cell) : nullptr;
    }

    testsupport::TemporaryDirectory root;
    std::shared_ptr<base::ManualClock> clock = std::make_shared<base::ManualClock>();
    std::shared_ptr<ui::Window> window = ui::Window::create({390, 844}, 2);
    std::unique_ptr<HostApplication> application;
    std::shared_ptr<VLPreferencesListViewController> screen;
    std::unique_ptr<host::WindowHost> host;
};

TEST_F(ExampleTweakWindowTest, EveryKindOfControlStoresItsValueAndAllButTextAndDateAreAnnounced) {
    openList();
    testsupport::ChildProcess watcher(
        {VK_VELLIUM, "--root", root.path().string(), "prefs", "watch", kID, "--values"});
    ASSERT_NE(watcher.readErrorLine().find("watching"), std::string::npos);

    auto toggle = control<ui::Switch>("Hide Labels");
    ASSERT_NE(toggle, nullptr);
    click(*toggle);

    auto slider = control<ui::Slider>("Corner Radius");
    ASSERT_NE(slider, nullptr);
    gfx::Rect thumb = slider->thumbRect();
    drag(*slider, {thumb.x + thumb.width / 2, thumb.y + thumb.height / 2},
         {slider->bounds().width, thumb.y + thumb.height / 2});

    auto segments = control<ui::SegmentedControl>("Layout");
    ASSERT_NE(segments, nullptr);
    gfx::Rect list = segments->segmentRect(1);
    click(*segments, {list.x + list.width / 2, list.y + list.height / 2});

    auto stepper = control<ui::Stepper>("Columns");
    ASSERT_NE(stepper, nullptr);
    click(*stepper, {stepper->bounds().width * 0.75, stepper->bounds().height / 2});

    auto greeting = row("Greeting");
    ASSERT_NE(greeting, nullptr);
    click(*greeting);
    host->injectText(", good evening");  // typed after the text the row showed
    host->processEvents();
    click(*screen->textFieldDismissButton());  // the keyboard button confirms the entry

    auto colour = row("Accent Colour");
    ASSERT_NE(colour, nullptr);
    click(*colour);
    key(host::WindowHost::Key::Escape);  // closes the picker, which stores what it showed

    auto selection = row("Animation Style");
    ASSERT_NE(selection, nullptr);
    click(*selection);
    auto picker = window->rootViewController()->presentedViewController();
    ASSERT_NE(picker, nullptr);
    std::function<bool(ui::Label&)> zoom = [](ui::Label& label) { return label.text() == "Zoom"; };
    auto option = findView<ui::Label>(picker->view(), zoom);
    ASSERT_NE(option, nullptr);
    click(*option);
    click(*window, {352, 94});  // the sheet's confirm button, at its top right

    auto file = base::PropertyList::readFile(root.path() / "var/mobile/Library/Preferences" /
                                             (std::string(kID) + ".plist"));
    ASSERT_TRUE(file.ok());
    const base::Value& stored = file.value();
    EXPECT_TRUE(stored["HideLabels"].boolValue());
    EXPECT_EQ(stored["CornerRadius"].longLongValue(), 30);
    EXPECT_EQ(stored["Layout"].longLongValue(), 1);
    EXPECT_EQ(stored["Columns"].longLongValue(), 5);
    EXPECT_EQ(stored["Greeting"].asString() ? *stored["Greeting"].asString() : "",
              "Hello there, good evening");
    EXPECT_EQ(stored["AccentColour"].asString() ? *stored["AccentColour"].asString() : "", "FF2D55");
    EXPECT_EQ(stored["AnimationStyle"].longLongValue(), 4);

    // The watcher prints each notice and then the entries that changed with it. A text row
    // posts nothing, so its entry rides along with the next notice (the colour's).
    settle();
    watcher.signal(SIGTERM);
    EXPECT_EQ(watcher.readAllOutput(),
              std::string(kID) + "/PrefsChanged\n  HideLabels = true\n" +  //
                  kID + "/PrefsChanged\n  CornerRadius = 30\n" +           //
                  kID + "/PrefsChanged\n  Layout = 1\n" +                  //
                  kID + "/PrefsChanged\n  Columns = 5\n" +                 //
                  kID + "/PrefsChanged\n  AccentColour = FF2D55\n  Greeting = Hello there, good evening\n" +
                  kID + "/PrefsChanged\n  AnimationStyle = 4\n");
}

// The host lists the installed tweaks; the example opens on its home screen, a category pushes
// its list, a switch there is stored, and the list's back button returns to the home screen.
TEST_F(ExampleTweakWindowTest, TheHostOpensATweaksHomeScreenAndACategoryList) {
    auto listed = label("ExampleTweak");
    ASSERT_NE(listed, nullptr);
    EXPECT_NE(label("com.example.exampletweak"), nullptr);
    click(*listed);
    auto home = topOfTweaksTab();
    ASSERT_NE(home, nullptr);
    EXPECT_NE(std::dynamic_pointer_cast<VLFreePrefsHomeViewController>(home), nullptr);

    auto category = label("Settings");
    ASSERT_NE(category, nullptr);
    click(*category);
    screen = std::dynamic_pointer_cast<VLPreferencesListViewController>(topOfTweaksTab());
    ASSERT_NE(screen, nullptr);
    auto toggle = control<ui::Switch>("Hide Labels");
    ASSERT_NE(toggle, nullptr);
    click(*toggle);
    auto file = base::PropertyList::readFile(root.path() / "var/mobile/Library/Preferences" /
                                             (std::string(kID) + ".plist"));
    ASSERT_TRUE(file.ok());
    EXPECT_TRUE(file.value()["HideLabels"].boolValue());

    click(*window, {30, 56});  // the list's back button, at the top left of its header
    EXPECT_EQ(topOfTweaksTab(), home);
}

// The second example has no categories: its home screen's one settings row pushes its list.
TEST_F(ExampleTweakWindowTest, ASingleSettingsRowHomeScreenPushesItsList) {
    auto listed = label("QuietTweak");
    ASSERT_NE(listed, nullptr);
    click(*listed);
    auto home = std::dynamic_pointer_cast<VLFreePrefsHomeViewController>(topOfTweaksTab());
    ASSERT_NE(home, nullptr);
    ASSERT_NE(home->prefsView(), nullptr);
    click(*home->prefsView());
    screen = std::dynamic_pointer_cast<VLPreferencesListViewController>(topOfTweaksTab());
    ASSERT_NE(screen, nullptr);
    EXPECT_NE(row("Start Hour"), nullptr);
}

}  // namespace
