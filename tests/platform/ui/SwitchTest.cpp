#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "ControlTouches.h"
#include "base/Clock.h"
#include "base/ManualClock.h"
#include "base/RunLoop.h"
#include "host/HeadlessHost.h"
#include "ui/Switch.h"

namespace {

using testsupport::tap;
using ui::Switch;

struct SwitchInWindow {
    std::shared_ptr<ui::Window> window = ui::Window::create({320, 480});
    std::shared_ptr<Switch> toggle = Switch::create();
    std::vector<bool> sent;  // isOn() as each value-changed action saw it
    std::shared_ptr<testsupport::ActionRecorder> target =
        testsupport::ActionRecorder::create([this] { sent.push_back(toggle->isOn()); });

    SwitchInWindow() {
        toggle->setFrame({{100, 100}, Switch::kSize});
        window->addSubview(toggle);
        toggle->addTarget(target, "changed", ui::ControlEventValueChanged);
    }
};

TEST(Switch, ATapTogglesAndSendsOnceWhileSetOnSendsNothing) {
    SwitchInWindow f;
    tap(*f.window, {125, 115});
    EXPECT_TRUE(f.toggle->isOn());
    EXPECT_EQ(f.toggle->thumbFrame().x, 22) << "the thumb rests on the right at once";
    tap(*f.window, {110, 110});
    EXPECT_EQ(f.sent, (std::vector<bool>{true, false}));

    f.toggle->setOn(true, true);
    f.toggle->setOn(false);
    EXPECT_EQ(f.sent.size(), 2u);

    // Released outside, or disabled: no toggle.
    f.window->sendTouch(ui::Touch(1, ui::TouchPhase::Began, {125, 115}));
    f.window->sendTouch(ui::Touch(1, ui::TouchPhase::Ended, {250, 300}));
    f.toggle->setEnabled(false);
    tap(*f.window, {125, 115});
    EXPECT_FALSE(f.toggle->isOn());
    EXPECT_EQ(f.sent.size(), 2u);
}

TEST(Switch, ATapSlidesTheThumbOverAQuarterSecond) {
    auto clock = std::make_shared<base::ManualClock>();
    base::Clock::setCurrent(clock);
    SwitchInWindow f;
    tap(*f.window, {125, 115});
    const ui::View& thumb = *f.toggle->subviews().front()->subviews().back();
    base::RunLoop::main().runFor(std::chrono::milliseconds(125));
    double halfway = thumb.presentation().center.x;
    base::RunLoop::main().runFor(std::chrono::milliseconds(200));
    double resting = thumb.presentation().center.x;
    base::Clock::setCurrent(nullptr);

    EXPECT_GT(halfway, 2 + 13.5);
    EXPECT_LT(halfway, resting);
    EXPECT_EQ(resting, 22 + 13.5);
}

TEST(Switch, OnAndOffShowInPixels) {
    auto toggle = Switch::create();
    toggle->setFrame({{0, 0}, Switch::kSize});
    toggle->setOnTintColor(gfx::Color(0, 0, 1));

    gfx::Image off = host::HeadlessHost::render(*toggle, 1.0);
    toggle->setOn(true);
    gfx::Image on = host::HeadlessHost::render(*toggle, 1.0);

    // Left of centre: the white thumb when off, the blue track when on.
    gfx::Color leftOff = off.colorAt(12, 15), leftOn = on.colorAt(12, 15);
    EXPECT_GT(leftOff.red(), 0.9);
    EXPECT_GT(leftOn.blue(), 0.9);
    EXPECT_LT(leftOn.red(), 0.1);
    // Right of centre: the faint off track, then the thumb.
    EXPECT_LT(off.colorAt(40, 15).alpha(), 0.5);
    EXPECT_GT(on.colorAt(40, 15).red(), 0.9);
}

}  // namespace
