#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "ui/Control.h"
#include "ui/PanGestureRecognizer.h"
#include "ui/ScreenEdgePanGestureRecognizer.h"
#include "ui/TapGestureRecognizer.h"
#include "ui/Window.h"

namespace {

using State = ui::GestureRecognizer::State;
using ui::TouchPhase;

ui::Touch::TimePoint at(double seconds) {
    return ui::Touch::TimePoint{} +
           std::chrono::round<ui::Touch::TimePoint::duration>(std::chrono::duration<double>(seconds));
}

class Delegate : public ui::GestureRecognizerDelegate {
public:
    bool shouldBegin = true, simultaneous = false;
    bool gestureRecognizerShouldBegin(ui::GestureRecognizer&) override { return shouldBegin; }
    bool gestureRecognizerShouldRecognizeSimultaneously(ui::GestureRecognizer&,
                                                        ui::GestureRecognizer&) override {
        return simultaneous;
    }
};

class GestureTest : public ::testing::Test {
protected:
    void SetUp() override {
        window->addSubview(container);
        container->setFrame({0, 0, 300, 300});
        container->addSubview(control);
        control->setFrame({100, 100, 80, 40});
        for (const char* event : {"down", "inside", "cancel"})
            control->registerAction(event, [this, event] { log.push_back(std::string("control ") + event); });
        control->addTarget(control, "down", ui::ControlEventTouchDown);
        control->addTarget(control, "inside", ui::ControlEventTouchUpInside);
        control->addTarget(control, "cancel", ui::ControlEventTouchCancel);
    }
    // Records each action of `recognizer` as "<name> <state>".
    template <typename Recognizer>
    std::shared_ptr<Recognizer> attach(std::shared_ptr<Recognizer> recognizer, ui::View& view,
                                       std::string name) {
        view.addGestureRecognizer(recognizer);
        std::weak_ptr<Recognizer> weak = recognizer;
        view.registerAction(name, [this, weak, name] {
            log.push_back(name + " " + std::to_string(static_cast<int>(weak.lock()->state())));
        });
        recognizer->addTarget(view.weak_from_this(), name);
        return recognizer;
    }
    void send(TouchPhase phase, double x, double y, double seconds, int finger = 1) {
        window->sendTouch(ui::Touch(finger, phase, {x, y}, at(seconds)));
    }
    void tap(double x, double y, double seconds) {
        send(TouchPhase::Began, x, y, seconds);
        send(TouchPhase::Ended, x, y, seconds + 0.05);
    }
    void drag(double x, double y, double dx, double seconds) {
        send(TouchPhase::Began, x, y, seconds);
        for (int step = 1; step <= 3; ++step)
            send(TouchPhase::Moved, x + dx * step, y, seconds + 0.05 * step);
        send(TouchPhase::Ended, x + dx * 3, y, seconds + 0.2);
    }
    static std::string began(const std::string& name) { return name + " 1"; }
    static std::string ended(const std::string& name) { return name + " 3"; }

    std::shared_ptr<ui::Window> window = ui::Window::create({320, 480});
    std::shared_ptr<ui::View> container = ui::View::create();
    std::shared_ptr<ui::Control> control = ui::Control::create();
    std::vector<std::string> log;
};

TEST_F(GestureTest, TapsAreCountedAndFailOnMovementOrASecondFinger) {
    auto single = attach(ui::TapGestureRecognizer::create(), *container, "tap");
    tap(20, 20, 0);
    EXPECT_EQ(log, (std::vector<std::string>{ended("tap")}));
    EXPECT_EQ(single->state(), State::Possible);  // ready for the next tap

    log.clear();
    single->setNumberOfTapsRequired(2);
    tap(20, 20, 1.0);
    EXPECT_TRUE(log.empty());
    tap(22, 20, 1.2);
    EXPECT_EQ(log, (std::vector<std::string>{ended("tap")}));

    log.clear();
    tap(20, 20, 2.0);
    tap(20, 20, 3.0);  // too slow: counts as a first tap again
    EXPECT_TRUE(log.empty());
    tap(20, 20, 3.2);
    EXPECT_EQ(log, (std::vector<std::string>{ended("tap")}));

    log.clear();
    single->setNumberOfTapsRequired(1);
    send(TouchPhase::Began, 20, 20, 4.0);
    send(TouchPhase::Moved, 32, 20, 4.05);
    send(TouchPhase::Ended, 20, 20, 4.1);
    send(TouchPhase::Began, 20, 20, 5.0);
    send(TouchPhase::Began, 60, 60, 5.01, 2);
    send(TouchPhase::Ended, 20, 20, 5.05);
    send(TouchPhase::Ended, 60, 60, 5.06, 2);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(single->state(), State::Possible);

    // A finger that begins again without lifting cancels its old sequence, so the recogniser
    // is not left holding a touch that never ends.
    send(TouchPhase::Began, 20, 20, 6.0);
    send(TouchPhase::Began, 310, 400, 6.05);  // outside the container
    send(TouchPhase::Ended, 310, 400, 6.1);
    send(TouchPhase::Began, 20, 20, 6.2, 2);
    send(TouchPhase::Ended, 20, 20, 6.25, 2);
    EXPECT_EQ(log, (std::vector<std::string>{ended("tap")}));
}

TEST_F(GestureTest, PanReportsTranslationAndVelocity) {
    auto pan = ui::PanGestureRecognizer::create();
    container->addGestureRecognizer(pan);
    std::vector<std::pair<State, gfx::Point>> reports;
    gfx::Point endVelocity;
    container->registerAction("pan", [&] {
        reports.emplace_back(pan->state(), pan->translationInView(container.get()));
        if (pan->state() == State::Changed) pan->setTranslation({0, 0}, container.get());
        if (pan->state() == State::Ended) endVelocity = pan->velocityInView(container.get());
    });
    pan->addTarget(container, "pan");

    send(TouchPhase::Began, 20, 20, 0);
    send(TouchPhase::Moved, 26, 20, 0.05);  // under 10 points: not yet
    EXPECT_TRUE(reports.empty());
    send(TouchPhase::Moved, 40, 20, 0.10);
    send(TouchPhase::Moved, 60, 25, 0.15);
    send(TouchPhase::Ended, 80, 30, 0.20);

    ASSERT_EQ(reports.size(), 3u);
    EXPECT_EQ(reports[0].first, State::Began);
    EXPECT_EQ(reports[0].second, (gfx::Point{20, 0}));  // from where the finger came down
    EXPECT_EQ(reports[1].first, State::Changed);
    EXPECT_EQ(reports[1].second, (gfx::Point{40, 5}));
    EXPECT_EQ(reports[2].first, State::Ended);
    EXPECT_EQ(reports[2].second, (gfx::Point{20, 5}));  // since the translation was reset
    // 40 points across and 10 down over the last 100 ms.
    EXPECT_NEAR(endVelocity.x, 400, 1e-6);
    EXPECT_NEAR(endVelocity.y, 100, 1e-6);
    EXPECT_EQ(pan->state(), State::Possible);
}

TEST_F(GestureTest, APanThatStartsMovingCancelsTheControlAndTheTaps) {
    attach(ui::PanGestureRecognizer::create(), *container, "pan");
    attach(ui::TapGestureRecognizer::create(), *container, "tap");
    drag(110, 110, 10, 0);
    // The control loses the touch as the pan begins, before the pan's first action.
    EXPECT_EQ(log, (std::vector<std::string>{"control down", "control cancel", began("pan"), "pan 2", "pan 2",
                                             ended("pan")}));
    EXPECT_FALSE(control->isHighlighted());
}

TEST_F(GestureTest, ATapOnAControlStaysTheControls) {
    attach(ui::TapGestureRecognizer::create(), *container, "tap");
    tap(110, 110, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"control down", "control inside"}));

    log.clear();
    tap(20, 20, 1);
    EXPECT_EQ(log, (std::vector<std::string>{ended("tap")}));

    log.clear();  // a disabled control lets the tap through
    control->setEnabled(false);
    tap(110, 110, 2);
    EXPECT_EQ(log, (std::vector<std::string>{ended("tap")}));

    log.clear();  // a tap of the control's own is the control's to take
    control->setEnabled(true);
    attach(ui::TapGestureRecognizer::create(), *control, "own");
    tap(110, 110, 3);
    EXPECT_EQ(log, (std::vector<std::string>{"control down", "control cancel", ended("own")}));
}

TEST_F(GestureTest, TheNearestRecognizerWinsUnlessSimultaneousIsAllowed) {
    auto inner = ui::View::create();
    container->addSubview(inner);
    inner->setFrame({0, 0, 80, 80});
    auto innerPan = attach(ui::PanGestureRecognizer::create(), *inner, "inner");
    attach(ui::PanGestureRecognizer::create(), *container, "outer");
    drag(20, 20, 12, 0);
    EXPECT_EQ(log, (std::vector<std::string>{began("inner"), "inner 2", "inner 2", ended("inner")}));

    log.clear();
    auto delegate = std::make_shared<Delegate>();
    delegate->simultaneous = true;
    innerPan->setDelegate(delegate);
    send(TouchPhase::Began, 20, 20, 1);
    send(TouchPhase::Moved, 35, 20, 1.05);
    EXPECT_EQ(log, (std::vector<std::string>{began("inner"), began("outer")}));
    send(TouchPhase::Cancelled, 35, 20, 1.1);
    EXPECT_EQ(log.back(), "outer 4");

    log.clear();  // a delegate that refuses makes its recogniser fail, and the next one wins
    delegate->shouldBegin = false;
    drag(20, 20, 12, 2);
    EXPECT_EQ(log, (std::vector<std::string>{began("outer"), "outer 2", "outer 2", ended("outer")}));
}

TEST_F(GestureTest, AnEdgePanBeginsOnlyFromItsEdge) {
    attach(ui::ScreenEdgePanGestureRecognizer::create(ui::ScreenEdgeLeading), *container, "edge");
    drag(60, 200, 15, 0);
    EXPECT_TRUE(log.empty());
    drag(8, 200, 15, 1);
    EXPECT_EQ(log.front(), began("edge"));

    log.clear();  // right-to-left, the leading edge is the right one
    window->setLayoutDirection(ui::LayoutDirection::RightToLeft);
    container->setFrame({0, 0, 320, 300});
    drag(8, 200, 15, 2);
    EXPECT_TRUE(log.empty());
    drag(310, 200, -15, 3);
    EXPECT_EQ(log.front(), began("edge"));
}

}  // namespace
