#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <vector>

#include "base/Clock.h"
#include "base/ManualClock.h"
#include "base/RunLoop.h"
#include "host/HeadlessHost.h"
#include "ui/LayoutConstraint.h"
#include "ui/PropertyAnimator.h"
#include "ui/Transaction.h"
#include "ui/View.h"
#include "ui/Window.h"

namespace {

using namespace std::chrono_literals;
using ui::View;

class AnimationTest : public ::testing::Test {
protected:
    void SetUp() override { base::Clock::setCurrent(clock); }
    void TearDown() override {
        base::RunLoop::main().runFor(5s);
        base::Clock::setCurrent(nullptr);
    }
    // Lets clock time pass on the main loop, ticks and completions included.
    void run(std::chrono::milliseconds time) { base::RunLoop::main().runFor(time); }
    // Alpha to `to` over one second on the linear curve.
    static void fade(const std::shared_ptr<View>& target, double to,
                     std::function<void(bool)> completion = {}) {
        auto change = [target, to] { target->setAlpha(to); };
        View::animate(1.0, 0, ui::AnimationOptionCurveLinear, change, std::move(completion));
    }
    std::function<void(bool)> record(std::optional<bool>& into) {
        return [&into](bool finished) { into = finished; };
    }

    std::shared_ptr<base::ManualClock> clock = std::make_shared<base::ManualClock>();
    std::shared_ptr<View> view = View::create();
};

TEST_F(AnimationTest, ModelChangesAtOnceDrawnValueFollowsTheCurveAndCompletionReportsTheEnd) {
    auto linear = View::create(), easeOut = View::create();
    std::optional<bool> finished;
    fade(linear, 0, record(finished));
    View::animate(1.0, 0, ui::AnimationOptionCurveEaseOut, [&] { easeOut->setAlpha(0); });
    EXPECT_EQ(linear->alpha(), 0);
    EXPECT_EQ(linear->presentationAlpha(), 1);

    run(500ms);
    EXPECT_NEAR(linear->presentationAlpha(), 0.5, 1e-9);
    EXPECT_LT(easeOut->presentationAlpha(), 0.4) << "ease-out is ahead of linear halfway";
    EXPECT_FALSE(finished);

    run(520ms);
    EXPECT_EQ(linear->presentationAlpha(), 0);
    EXPECT_EQ(finished, true);
    EXPECT_FALSE(linear->layer().hasAnimations());
}

TEST_F(AnimationTest, ReplacedAndRemovedAnimationsCompleteWithFalse) {
    std::optional<bool> first, second;
    fade(view, 0, record(first));
    run(500ms);
    // The newer animation starts from what is drawn (0.5), not from the old model value.
    fade(view, 1, record(second));
    EXPECT_NEAR(view->presentationAlpha(), 0.5, 1e-9);
    run(250ms);
    EXPECT_NEAR(view->presentationAlpha(), 0.625, 1e-9);
    EXPECT_EQ(first, false);

    view->layer().removeAllAnimations();
    EXPECT_EQ(view->presentationAlpha(), 1) << "the model value shows at once";
    EXPECT_FALSE(second) << "completions never run inside the removal";
    run(1ms);
    EXPECT_EQ(second, false);
}

TEST_F(AnimationTest, DelayZeroDurationAndDestroyedViews) {
    std::optional<bool> delayed, instant, nothing, destroyed, endless;
    auto moveRight = [&] { view->setCenter({100, 0}); };
    View::animate(1.0, 0.5, ui::AnimationOptionCurveLinear, moveRight, record(delayed));
    auto paintBlack = [&] { view->setBackgroundColor(gfx::Color::blackColor()); };
    View::animate(0, paintBlack, record(instant));
    View::animate(1.0, {}, record(nothing));
    // An endless time (a speed of zero) would tick for ever: it counts as none.
    auto halfFade = [&] { view->setAlpha(0.5); };
    View::animate(1.0 / 0.0, halfFade, record(endless));
    EXPECT_EQ(view->presentationAlpha(), 0.5);
    auto doomed = View::create();
    auto fadeDoomed = [&] { doomed->setAlpha(0); };
    View::animate(1.0, fadeDoomed, record(destroyed));
    EXPECT_EQ(view->backgroundColor(), gfx::Color::blackColor());
    EXPECT_FALSE(view->layer().animation(ui::AnimatableProperty::BackgroundColor));
    EXPECT_FALSE(instant) << "runs on a later turn, not inside animate";
    doomed.reset();

    run(400ms);
    EXPECT_EQ(view->presentation().center.x, 0) << "still waiting";
    EXPECT_EQ(instant, true);
    EXPECT_EQ(nothing, true);
    EXPECT_EQ(endless, true);
    EXPECT_EQ(destroyed, false);
    run(600ms);
    EXPECT_NEAR(view->presentation().center.x, 50, 1e-9);
    run(520ms);
    EXPECT_EQ(delayed, true);
}

TEST_F(AnimationTest, ConstraintChangeAnimatesThroughLayoutIfNeeded) {
    auto window = ui::Window::create({390, 844});
    window->addSubview(view);
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
    auto width = view->widthAnchor().equalToConstant(100);
    ui::LayoutConstraint::activate({width, view->heightAnchor().equalToConstant(50),
                                    view->leftAnchor().equalTo(window->leftAnchor(), 0),
                                    view->topAnchor().equalTo(window->topAnchor(), 0)});
    window->layoutIfNeeded();

    width->setConstant(300);
    View::animate(1.0, 0, ui::AnimationOptionCurveLinear, [&] { window->layoutIfNeeded(); });
    EXPECT_EQ(view->frame(), gfx::Rect(0, 0, 300, 50));
    run(500ms);
    View::Presentation shown = view->presentation();
    EXPECT_NEAR(shown.size.width, 200, 1e-9);
    EXPECT_NEAR(shown.center.x - shown.size.width / 2, 0, 1e-9) << "the left edge stays";
}

TEST_F(AnimationTest, DisabledActionsAndPlainChangesAreNotAnimated) {
    View::animate(1.0, [&] {
        ui::Transaction::Scope transaction;
        ui::Transaction::setDisableActions(true);
        view->setAlpha(0.2);
    });
    EXPECT_EQ(view->presentationAlpha(), 0.2);

    View::animate(1.0, [&] { view->setAlpha(1); });
    view->setAlpha(0.4);  // outside a block: the running animation gives way
    EXPECT_EQ(view->presentationAlpha(), 0.4);
}

TEST_F(AnimationTest, SpringsSettleAtTheTargetAndOnlyLowDampingOvershoots) {
    auto stiff = View::create(), bouncy = View::create();
    std::optional<bool> finished;
    ui::PropertyAnimator overdamped(1.0, 2.0, [&] { stiff->setCenter({100, 0}); });
    overdamped.addCompletion(record(finished));
    ui::PropertyAnimator underdamped(1.0, 0.3, [&] { bouncy->setCenter({100, 0}); });
    overdamped.startAnimation();
    underdamped.startAnimation();
    EXPECT_EQ(overdamped.state(), ui::PropertyAnimator::State::Active);

    double stiffMax = 0, bouncyMax = 0, previous = 0;
    bool monotonic = true;
    for (int i = 0; i < 100; ++i) {
        run(10ms);
        double x = stiff->presentation().center.x;
        monotonic = monotonic && x >= previous;
        previous = x;
        stiffMax = std::max(stiffMax, x);
        bouncyMax = std::max(bouncyMax, bouncy->presentation().center.x);
    }
    EXPECT_TRUE(monotonic);
    EXPECT_LE(stiffMax, 100);
    EXPECT_GT(bouncyMax, 110);
    run(20ms);
    EXPECT_EQ(stiff->presentation().center.x, 100);
    EXPECT_EQ(finished, true);
    EXPECT_EQ(overdamped.state(), ui::PropertyAnimator::State::Inactive);
}

TEST_F(AnimationTest, StoppingAPropertyAnimatorKeepsWhatIsShown) {
    std::optional<bool> finished;
    ui::PropertyAnimator animator(1.0, 1.0, [&] { view->setAlpha(0); });
    animator.addCompletion(record(finished));
    animator.startAnimation();
    run(300ms);
    double shown = view->presentationAlpha();
    animator.stopAnimation();
    EXPECT_GT(shown, 0);
    EXPECT_EQ(view->alpha(), shown);
    run(1ms);
    EXPECT_EQ(finished, false);
}

TEST_F(AnimationTest, AnimatingViewIsHitOnlyWhenTheOptionsAllowInteraction) {
    auto window = ui::Window::create({100, 100});
    view->setFrame({0, 0, 100, 100});
    window->addSubview(view);
    View::animate(1.0, [&] { view->setAlpha(0.5); });
    EXPECT_EQ(window->hitTest({50, 50}), window);
    View::animate(1.0, 0, ui::AnimationOptionAllowUserInteraction, [&] { view->setAlpha(0.6); });
    EXPECT_EQ(window->hitTest({50, 50}), view);
}

TEST_F(AnimationTest, HalfFadedViewIsDrawnAtHalfAlpha) {
    auto root = View::create();
    root->setFrame({0, 0, 10, 10});
    root->setBackgroundColor(gfx::Color::whiteColor());
    view->setFrame({0, 0, 10, 10});
    view->setBackgroundColor(gfx::Color::blackColor());
    root->addSubview(view);
    fade(view, 0);
    run(500ms);
    gfx::Image image = host::HeadlessHost::render(*root, 1.0);
    EXPECT_NEAR(image.pixelAt(5, 5).red, 128, 2);
}

}  // namespace
