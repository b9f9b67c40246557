#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ControlTouches.h"
#include "host/HeadlessHost.h"
#include "ui/Stepper.h"

namespace {

using testsupport::tap;
using ui::Stepper;

// A stepper at (100, 100): minus centred at x = 123.5, plus at x = 170.5.
struct StepperInWindow {
    std::shared_ptr<ui::Window> window = ui::Window::create({320, 480});
    std::shared_ptr<Stepper> stepper = Stepper::create();
    std::vector<double> sent;
    std::shared_ptr<testsupport::ActionRecorder> target =
        testsupport::ActionRecorder::create([this] { sent.push_back(stepper->value()); });
    static constexpr gfx::Point kMinus{123, 116}, kPlus{170, 116};

    StepperInWindow() {
        stepper->setFrame({{100, 100}, Stepper::kSize});
        window->addSubview(stepper);
        stepper->addTarget(target, "changed", ui::ControlEventValueChanged);
    }
};

TEST(Stepper, TapsStepClampAndSendOnlyOnChange) {
    StepperInWindow f;
    f.stepper->setMaximumValue(3);
    f.stepper->setStepValue(2);
    for (int i = 0; i < 3; ++i) tap(*f.window, StepperInWindow::kPlus);
    EXPECT_EQ(f.sent, (std::vector<double>{2, 3}));
    EXPECT_FALSE(f.stepper->canIncrement());
    for (int i = 0; i < 3; ++i) tap(*f.window, StepperInWindow::kMinus);
    EXPECT_EQ(f.sent, (std::vector<double>{2, 3, 1, 0}));

    // Down on plus, up on minus: no step. Setting the value: no event.
    f.window->sendTouch(ui::Touch(1, ui::TouchPhase::Began, StepperInWindow::kPlus));
    f.window->sendTouch(ui::Touch(1, ui::TouchPhase::Ended, StepperInWindow::kMinus));
    f.stepper->setValue(1);
    EXPECT_EQ(f.sent.size(), 4u);

    f.stepper->setWraps(true);
    f.stepper->setValue(0);
    tap(*f.window, StepperInWindow::kMinus);
    EXPECT_EQ(f.stepper->value(), 3);
}

TEST(Stepper, RefusesStepsAndBoundsThatCouldNotHold) {
    auto stepper = Stepper::create();
    for (double step : {0.0, -1.0, double(NAN), double(INFINITY)}) stepper->setStepValue(step);
    EXPECT_EQ(stepper->stepValue(), 1);
    stepper->setValue(50);
    stepper->setMinimumValue(200);
    EXPECT_EQ(stepper->maximumValue(), 200);
    EXPECT_EQ(stepper->value(), 200);
    stepper->setValue(NAN);
    EXPECT_EQ(stepper->value(), 200);
}

TEST(Stepper, TheHalfThatCannotMoveIsDrawnFainter) {
    auto stepper = Stepper::create();
    stepper->setFrame({{0, 0}, Stepper::kSize});
    gfx::Image atMinimum = host::HeadlessHost::render(*stepper, 1.0);
    // The middle of each glyph's horizontal bar.
    double minusInk = atMinimum.colorAt(23, 15).alpha();
    double plusInk = atMinimum.colorAt(66, 15).alpha();
    EXPECT_GT(plusInk, 0.9);
    EXPECT_LT(minusInk, plusInk - 0.3);

    stepper->setValue(50);
    EXPECT_GT(host::HeadlessHost::render(*stepper, 1.0).colorAt(23, 15).alpha(), 0.9);
}

}  // namespace
