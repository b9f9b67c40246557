#include <gtest/gtest.h>

#include "base/Clock.h"
#include "base/ManualClock.h"
#include "gfx/Image.h"
#include "host/HeadlessHost.h"
#include "host/WindowHost.h"
#include "support/TemporaryDirectory.h"
#include "ui/FrameScheduler.h"
#include "ui/Press.h"
#include "ui/ScrollView.h"
#include "ui/Switch.h"
#include "ui/TextField.h"
#include "ui/ViewController.h"
#include "ui/Window.h"

// Drives a real SDL window (xvfb under the test runner) through events pushed into SDL's
// queue. The window is 200 x 400 points at scale 2: pixel positions are points times two.
namespace {

using Key = host::WindowHost::Key;

gfx::Point pixels(gfx::Point points) { return {points.x * 2, points.y * 2}; }

class WindowHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        base::Clock::setCurrent(clock);
        root->view()->setBackgroundColor(gfx::Color::whiteColor());
        toggle->setFrame({20, 20, 51, 31});
        field->setFrame({20, 60, 160, 34});
        scroll->setFrame({0, 110, 200, 200});
        scroll->setContentSize({200, 1000});
        root->view()->addSubview(toggle);
        root->view()->addSubview(field);
        root->view()->addSubview(scroll);
        window->setRootViewController(root);
        options.screenshotDirectory = directory.path();
        options.visible = false;
        auto opened = host::WindowHost::open(window, options);
        ASSERT_TRUE(opened.ok()) << opened.error().description;
        host = std::move(opened.value());
    }
    void TearDown() override {
        host.reset();
        base::Clock::setCurrent(base::Clock::system());
    }

    void click(gfx::Point points) {
        host->injectMouseButton(pixels(points), true);
        host->injectMouseButton(pixels(points), false);
        host->processEvents();
    }
    void key(Key k, bool control = false) {
        host->injectKey(k, control);
        host->processEvents();
    }

    std::shared_ptr<base::ManualClock> clock = std::make_shared<base::ManualClock>();
    testsupport::TemporaryDirectory directory;
    std::shared_ptr<ui::Window> window = ui::Window::create({200, 400}, 2);
    std::shared_ptr<ui::ViewController> root = ui::ViewController::create();
    std::shared_ptr<ui::Switch> toggle = ui::Switch::create();
    std::shared_ptr<ui::TextField> field = ui::TextField::create();
    std::shared_ptr<ui::ScrollView> scroll = ui::ScrollView::create();
    host::WindowHostOptions options;
    std::unique_ptr<host::WindowHost> host;
};

TEST_F(WindowHostTest, ClicksAndDragsBecomeTouchesInPoints) {
    EXPECT_EQ(host->pixelSize().width, 400);
    click({45, 35});
    EXPECT_TRUE(toggle->isOn());
    // Where the switch would be if pixels were taken for points: nothing there to toggle.
    host->injectMouseButton({45, 35}, true);
    host->injectMouseButton({45, 35}, false);
    host->processEvents();
    EXPECT_TRUE(toggle->isOn());

    // A press that loses the window's focus is cancelled: no toggle, and the next click works.
    host->injectMouseButton(pixels({45, 35}), true);
    host->injectFocusLost();
    host->injectMouseButton(pixels({45, 35}), false);
    host->processEvents();
    EXPECT_TRUE(toggle->isOn());
    click({45, 35});
    EXPECT_FALSE(toggle->isOn());

    // A drag upwards scrolls the content up; a release without a press is ignored.
    host->injectMouseButton(pixels({100, 280}), true);
    for (int step = 1; step <= 8; ++step) {
        clock->advance(std::chrono::milliseconds(16));
        host->injectMouseMotion(pixels({100, 280.0 - step * 15}), true);
        host->processEvents();
    }
    host->injectMouseButton(pixels({100, 160}), false);
    host->injectMouseButton(pixels({100, 160}), false);
    host->processEvents();
    EXPECT_GT(scroll->contentOffset().y, 60);
}

TEST_F(WindowHostTest, WheelScrollsTheViewUnderThePointerWithinItsContent) {
    host->injectWheel(pixels({100, 200}), -2);
    host->processEvents();
    EXPECT_DOUBLE_EQ(scroll->contentOffset().y, 2 * host::WindowHost::kWheelStep);
    host->injectWheel(pixels({100, 200}), 10);  // far past the top
    host->processEvents();
    EXPECT_DOUBLE_EQ(scroll->contentOffset().y, 0);
    host->injectWheel(pixels({100, 200}), -100);  // far past the bottom
    host->processEvents();
    EXPECT_DOUBLE_EQ(scroll->contentOffset().y, 800);
    host->injectWheel(pixels({100, 40}), 1);  // over the switch: no scroll view there
    host->processEvents();
    EXPECT_DOUBLE_EQ(scroll->contentOffset().y, 800);
}

TEST_F(WindowHostTest, KeyboardTypesIntoTheFocusedInputOnly) {
    host->injectText("ignored");
    host->processEvents();
    EXPECT_EQ(field->text(), "");

    click({100, 77});
    ASSERT_EQ(window->firstResponder().get(), field.get());
    host->injectText("héllo");
    key(Key::Backspace);
    key(Key::Left);
    host->injectText("X");
    host->processEvents();
    EXPECT_EQ(field->text(), "hélXl");
}

TEST_F(WindowHostTest, KeysToggleAppearanceAndSaveScreenshots) {
    key(Key::F2);
    EXPECT_TRUE(window->windowTraitCollection().isDark());
    key(Key::D);  // without Ctrl: nothing
    EXPECT_TRUE(window->windowTraitCollection().isDark());
    key(Key::D, true);
    EXPECT_FALSE(window->windowTraitCollection().isDark());

    key(Key::F12);
    auto first = host->lastScreenshot();
    key(Key::F12);
    ASSERT_FALSE(first.empty());
    EXPECT_NE(host->lastScreenshot(), first);  // the second does not replace the first
    auto image = gfx::Image::fromFile(first);
    ASSERT_TRUE(image.ok());
    EXPECT_EQ(image.value().pixelWidth(), 400);
    EXPECT_EQ(image.value().pixelHeight(), 800);
}

TEST_F(WindowHostTest, EscapeDismissesWhatIsPresentedBeforeQuitting) {
    root->present(ui::ViewController::create(), false);
    key(Key::Escape);
    EXPECT_FALSE(host->quitRequested());
    clock->advance(std::chrono::seconds(1));
    base::RunLoop::main().runFor(std::chrono::seconds(1));
    EXPECT_EQ(root->presentedViewController(), nullptr);
    key(Key::Escape);
    EXPECT_TRUE(host->quitRequested());
}

// What the window shows is the tree as the headless host draws it, also on the reused canvas
// of a later frame.
TEST_F(WindowHostTest, TheWindowShowsTheTreeAsDrawnHeadless) {
    for (bool on : {true, false}) {
        toggle->setOn(on);
        toggle->setNeedsDisplay();  // changed from outside the loop
        ASSERT_TRUE(host->drawIfNeeded());
        gfx::Image shown = host->shownImage(), drawn = host::HeadlessHost::render(*window, 2);
        ASSERT_EQ(shown.pixelWidth(), drawn.pixelWidth());
        ASSERT_EQ(shown.pixelHeight(), drawn.pixelHeight());
        int differing = 0;
        for (int y = 0; y < drawn.pixelHeight(); y += 3) {
            for (int x = 0; x < drawn.pixelWidth(); x += 3)
                differing += shown.pixelAt(x, y) != drawn.pixelAt(x, y);
        }
        EXPECT_EQ(differing, 0) << "switch " << (on ? "on" : "off");
    }
}

TEST_F(WindowHostTest, DrawsOnlyWhenSomethingMayHaveChangedAndStopsOnClose) {
    EXPECT_TRUE(host->drawIfNeeded());  // the first frame
    EXPECT_FALSE(host->drawIfNeeded());
    base::RunLoop::main().post([this] { field->setText("changed by a task"); });
    base::RunLoop::main().runUntilIdle();
    EXPECT_TRUE(host->drawIfNeeded());
    EXPECT_FALSE(host->drawIfNeeded());
    field->setNeedsDisplay();
    EXPECT_TRUE(host->drawIfNeeded());
    EXPECT_FALSE(host->drawIfNeeded());
    click({100, 300});
    EXPECT_TRUE(host->drawIfNeeded());

    host->attach();
    host->injectClose();
    base::RunLoop::main().runFor(std::chrono::seconds(1));
    EXPECT_TRUE(host->quitRequested());
}

// What the host draws while something moves with no input: the offset at every frame, and
// whether any tick came at the idle rate meanwhile.
struct MotionRecord {
    std::vector<double> offsets;
    int slowTicks = 0;
    int framesDrawn = 0;
    std::uint64_t framesRun = 0;
};

MotionRecord recordMotion(host::WindowHost& host, ui::ScrollView& scroll) {
    auto& frames = ui::FrameScheduler::main();
    MotionRecord record;
    int drawnBefore = host.framesDrawn();
    std::uint64_t runBefore = frames.framesRun();
    // Registered after the scroll view's own step, so it sees each frame's new offset.
    auto probe = frames.add(
        [&](ui::FrameScheduler::TimePoint) { record.offsets.push_back(scroll.contentOffset().y); });
    for (int tick = 0; tick < 1000 && (scroll.isDecelerating() || scroll.isAnimatingOffset()); ++tick) {
        base::RunLoop::main().runFor(host::WindowHost::kFrameInterval);
        if (host.tickInterval() != host::WindowHost::kFrameInterval) ++record.slowTicks;
    }
    frames.remove(probe);
    record.framesDrawn = host.framesDrawn() - drawnBefore;
    record.framesRun = frames.framesRun() - runBefore;
    return record;
}

TEST_F(WindowHostTest, AFlickAndAnAnimatedScrollAreDrawnAtEveryFrameUntilTheyRest) {
    scroll->setContentSize({200, 20000});
    host->attach();
    base::RunLoop::main().runFor(std::chrono::milliseconds(300));
    EXPECT_EQ(host->tickInterval(), host::WindowHost::kIdleInterval);

    // 64 points every 16 ms: a flick at 4,000 points a second.
    host->injectMouseButton(pixels({100, 300}), true);
    host->processEvents();
    for (int step = 1; step <= 3; ++step) {
        clock->advance(std::chrono::milliseconds(16));
        host->injectMouseMotion(pixels({100, 300.0 - 64 * step}), true);
        host->processEvents();
    }
    host->injectMouseButton(pixels({100, 108}), false);
    host->processEvents();
    ASSERT_TRUE(scroll->isDecelerating());
    MotionRecord flick = recordMotion(*host, *scroll);
    EXPECT_FALSE(scroll->isDecelerating());
    EXPECT_EQ(flick.slowTicks, 0);
    EXPECT_EQ(static_cast<std::uint64_t>(flick.framesDrawn), flick.framesRun);  // no step undrawn
    // About 3.3 s of deceleration at 60 frames a second, each step shorter than the one before.
    EXPECT_GT(flick.offsets.size(), 180u);
    for (std::size_t i = 2; i < flick.offsets.size(); ++i) {
        double step = flick.offsets[i] - flick.offsets[i - 1];
        EXPECT_LE(step, flick.offsets[i - 1] - flick.offsets[i - 2] + 1e-6) << "frame " << i;
    }
    RecordProperty("flickFrames", static_cast<int>(flick.offsets.size()));

    // Idle again, then an animated scroll started by a task, with no input.
    base::RunLoop::main().runFor(std::chrono::milliseconds(300));
    ASSERT_EQ(host->tickInterval(), host::WindowHost::kIdleInterval);
    base::RunLoop::main().post([this] { scroll->setContentOffset({0, 100}, true); });
    base::RunLoop::main().runUntilIdle();
    EXPECT_EQ(host->tickInterval(), host::WindowHost::kFrameInterval);  // woken at once
    MotionRecord animation = recordMotion(*host, *scroll);
    EXPECT_EQ(animation.slowTicks, 0);
    EXPECT_EQ(static_cast<std::uint64_t>(animation.framesDrawn), animation.framesRun);
    EXPECT_GT(animation.offsets.size(), 10u);
    EXPECT_DOUBLE_EQ(scroll->contentOffset().y, 100);
}

// A view that wants the arrow keys and Space (as a video player does).
class KeyCatcher : public ui::View {
public:
    static std::shared_ptr<KeyCatcher> create() { return std::shared_ptr<KeyCatcher>(new KeyCatcher()); }
    bool canBecomeFirstResponder() const override { return true; }
    bool pressesBegan(const ui::Press& press) override {
        keys.push_back(press.key);
        return true;
    }
    std::vector<ui::Press::Key> keys;

private:
    KeyCatcher() = default;
};

TEST_F(WindowHostTest, KeysReachACustomFirstResponder) {
    auto catcher = KeyCatcher::create();
    root->view()->addSubview(catcher);
    ASSERT_TRUE(catcher->becomeFirstResponder());
    for (Key k : {Key::Up, Key::Space, Key::Down, Key::Escape}) key(k);
    using Pressed = ui::Press::Key;
    EXPECT_EQ(catcher->keys, (std::vector{Pressed::Up, Pressed::Space, Pressed::Down, Pressed::Escape}));
    EXPECT_FALSE(host->quitRequested());  // it took Escape too
}

}  // namespace
