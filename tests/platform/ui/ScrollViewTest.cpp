#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "base/ManualClock.h"
#include "base/RunLoop.h"
#include "ui/Button.h"
#include "ui/ScrollView.h"
#include "ui/Window.h"

namespace {

using namespace std::chrono_literals;
using ui::TouchPhase;

class Recorder : public ui::ScrollViewDelegate {
public:
    std::vector<double> offsets;
    int beganDragging = 0, endedDecelerating = 0, endedAnimation = 0;
    bool willDecelerate = false;
    void scrollViewDidScroll(ui::ScrollView& view) override { offsets.push_back(view.contentOffset().y); }
    void scrollViewWillBeginDragging(ui::ScrollView&) override { ++beganDragging; }
    void scrollViewDidEndDragging(ui::ScrollView&, bool decelerate) override { willDecelerate = decelerate; }
    void scrollViewDidEndDecelerating(ui::ScrollView&) override { ++endedDecelerating; }
    void scrollViewDidEndScrollingAnimation(ui::ScrollView&) override { ++endedAnimation; }
};

class ScrollViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        base::Clock::setCurrent(clock);
        window->addSubview(scroll);
        scroll->setFrame({0, 0, 320, 480});
        scroll->setContentSize({320, 2000});
        scroll->setDelegate(recorder);
    }
    void TearDown() override {
        base::RunLoop::main().runUntilIdle();
        base::Clock::setCurrent(nullptr);
    }
    // A vertical drag by `dy` in `steps` moves, 10 ms apart, on the manual clock.
    void drag(double y, double dy, int steps, double x = 160) {
        auto& loop = base::RunLoop::main();
        window->sendTouch(ui::Touch(1, TouchPhase::Began, {x, y}));
        for (int step = 1; step <= steps; ++step) {
            loop.runFor(10ms);
            window->sendTouch(ui::Touch(1, TouchPhase::Moved, {x, y + dy * step / steps}));
        }
        window->sendTouch(ui::Touch(1, TouchPhase::Ended, {x, y + dy}));
    }
    std::shared_ptr<base::ManualClock> clock = std::make_shared<base::ManualClock>();
    std::shared_ptr<ui::Window> window = ui::Window::create({320, 480});
    std::shared_ptr<ui::ScrollView> scroll = ui::ScrollView::create();
    std::shared_ptr<Recorder> recorder = std::make_shared<Recorder>();
};

TEST_F(ScrollViewTest, DragFollowsTheFingerAndReportsEveryOffset) {
    window->sendTouch(ui::Touch(1, TouchPhase::Began, {160, 400}));
    for (double y : {395.0, 380.0, 300.0}) {
        base::RunLoop::main().runFor(20ms);
        window->sendTouch(ui::Touch(1, TouchPhase::Moved, {160, y}));
    }
    EXPECT_EQ(recorder->beganDragging, 1);
    EXPECT_EQ(recorder->offsets,
              (std::vector<double>{20, 100}));  // a 5-point move stays below the pan threshold
    EXPECT_TRUE(scroll->isDragging());
    ASSERT_TRUE(scroll->verticalScrollIndicator());
    EXPECT_FALSE(scroll->verticalScrollIndicator()->isHidden());
}

TEST_F(ScrollViewTest, FlingDeceleratesAndSettlesWithinBounds) {
    drag(400, -300, 5);  // fast upward flick
    EXPECT_TRUE(recorder->willDecelerate);
    double released = scroll->contentOffset().y;
    base::RunLoop::main().runFor(10s);
    EXPECT_EQ(recorder->endedDecelerating, 1);
    EXPECT_FALSE(scroll->isDecelerating());
    EXPECT_GT(scroll->contentOffset().y, released + 100);  // momentum carried it on
    EXPECT_LE(scroll->contentOffset().y, 2000 - 480);
    EXPECT_TRUE(scroll->verticalScrollIndicator()->isHidden());
    // Every step was reported, and the offset never went back on itself before the end.
    ASSERT_GT(recorder->offsets.size(), 20u);
    EXPECT_EQ(recorder->offsets.back(), scroll->contentOffset().y);
}

TEST_F(ScrollViewTest, OverscrollRubberBandsAndBouncesBackToTheEdge) {
    drag(100, 300, 30);  // slow pull down past the top
    double pulled = recorder->offsets.back();
    EXPECT_LT(pulled, 0);
    EXPECT_GT(pulled, -300);  // resisted
    base::RunLoop::main().runFor(3s);
    EXPECT_EQ(scroll->contentOffset().y, 0);
    EXPECT_EQ(recorder->endedDecelerating, 1);

    // A fling past the bottom overshoots, then comes back to rest exactly on the edge.
    scroll->setContentOffset({0, 1500});
    drag(400, -200, 4);
    double deepest = 0;
    for (int i = 0; i < 300; ++i) {
        base::RunLoop::main().runFor(10ms);
        deepest = std::max(deepest, scroll->contentOffset().y);
    }
    EXPECT_GT(deepest, 1520);
    EXPECT_EQ(scroll->contentOffset().y, 1520);

    // Without bouncing, the offset never leaves its range.
    scroll->setBounces(false);
    recorder->offsets.clear();
    drag(100, 300, 10);
    base::RunLoop::main().runFor(3s);
    for (double offset : recorder->offsets) EXPECT_LE(offset, 1520);
}

TEST_F(ScrollViewTest, AnimatedOffsetReachesItsTargetAndADragCatchesIt) {
    scroll->setContentOffset({0, 600}, true);
    EXPECT_EQ(scroll->contentOffset().y, 0);
    base::RunLoop::main().runFor(1s);
    EXPECT_EQ(scroll->contentOffset().y, 600);
    EXPECT_EQ(recorder->endedAnimation, 1);
    EXPECT_GT(recorder->offsets.size(), 5u);

    scroll->setContentOffset({0, 0}, true);
    base::RunLoop::main().runFor(100ms);
    window->sendTouch(ui::Touch(1, TouchPhase::Began, {160, 200}));
    window->sendTouch(ui::Touch(1, TouchPhase::Moved, {160, 170}));  // a drag catches the content
    double caught = scroll->contentOffset().y;
    base::RunLoop::main().runFor(1s);
    EXPECT_GT(caught, 0);
    EXPECT_EQ(scroll->contentOffset().y, caught);
    EXPECT_EQ(recorder->endedAnimation, 1);
    window->sendTouch(ui::Touch(1, TouchPhase::Ended, {160, 170}));
}

TEST_F(ScrollViewTest, PanCancelsAButtonBeneathAndDisabledScrollingLeavesItAlone) {
    auto button = ui::Button::create();
    button->setFrame({100, 100, 120, 44});
    scroll->addSubview(button);
    int inside = 0, cancelled = 0;
    button->registerAction("inside", [&] { ++inside; });
    button->registerAction("cancel", [&] { ++cancelled; });
    button->addTarget(button, "inside", ui::ControlEventTouchUpInside);
    button->addTarget(button, "cancel", ui::ControlEventTouchCancel);

    drag(120, -40, 4, 150);
    EXPECT_EQ(cancelled, 1);
    EXPECT_EQ(inside, 0);
    EXPECT_GT(scroll->contentOffset().y, 0);

    scroll->setScrollEnabled(false);
    scroll->setContentOffset({0, 0});
    drag(120, 2, 2, 150);
    EXPECT_EQ(inside, 1);
    EXPECT_EQ(scroll->contentOffset().y, 0);
}

TEST(ScrollPhysicsTest, RubberBandAndBadInput) {
    EXPECT_EQ(ui::ScrollPhysics::rubberBand(50, 0, 100, 400), 50);
    double small = ui::ScrollPhysics::rubberBand(-50, 0, 100, 400);
    double large = ui::ScrollPhysics::rubberBand(-5000, 0, 100, 400);
    EXPECT_LT(small, 0);
    EXPECT_GT(small, -50);
    EXPECT_LT(large, small);
    EXPECT_GT(large, -400);  // never more than the visible length
    ui::ScrollPhysics physics;
    physics.decelerate({0, 10}, {0, std::nan("")}, {{0, 0}, {0, 100}}, true);
    EXPECT_FALSE(physics.isRunning());
    EXPECT_EQ(physics.advance(1).y, 10);
}

}  // namespace
