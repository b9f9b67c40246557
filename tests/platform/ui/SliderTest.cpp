#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "ControlTouches.h"
#include "host/HeadlessHost.h"
#include "ui/Slider.h"

namespace {

using testsupport::drag;
using ui::Slider;
using ui::TouchPhase;

// A slider 228 points wide at (20, 100): its thumb's centre travels 200 points, from x = 34.
struct SliderInWindow {
    std::shared_ptr<ui::Window> window = ui::Window::create({320, 480});
    std::shared_ptr<Slider> slider = Slider::create();
    std::vector<std::pair<TouchPhase, float>> sent;
    std::shared_ptr<testsupport::ActionRecorder> target = testsupport::ActionRecorder::create([this] {
        ASSERT_TRUE(slider->currentTouchPhase().has_value());
        sent.emplace_back(*slider->currentTouchPhase(), slider->value());
    });

    SliderInWindow() {
        slider->setFrame({{20, 100}, {228, Slider::kHeight}});
        slider->setMaximumValue(10);
        slider->setValue(2);
        window->addSubview(slider);
        slider->addTarget(target, "changed", ui::ControlEventValueChanged);
    }
    double thumbCentreX() const { return 34 + 20 * slider->value(); }
};

TEST(Slider, DraggingTheThumbReportsEachChangeOnceWithItsPhase) {
    SliderInWindow f;
    f.slider->addTarget(f.target, "changed", ui::ControlEventValueChanged);  // again: still once

    // Grabbed 5 points right of the thumb's centre, dragged far past the end.
    double grabX = f.thumbCentreX() + 5;
    drag(*f.window, {grabX, 115}, {grabX + 300, 140}, 12);

    ASSERT_GE(f.sent.size(), 4u);
    EXPECT_EQ(f.sent.front(), std::make_pair(TouchPhase::Began, 2.0f));
    EXPECT_EQ(f.sent.back(), std::make_pair(TouchPhase::Ended, 10.0f));
    for (std::size_t i = 1; i + 1 < f.sent.size(); ++i) {
        EXPECT_EQ(f.sent[i].first, TouchPhase::Moved);
        EXPECT_GT(f.sent[i].second, f.sent[i - 1].second) << "moves report only changes, upwards";
    }
    // 300 points in 25-point moves: the thumb reaches the end on the 7th of them (no jump at the grab).
    EXPECT_EQ(f.sent.size(), 2u + 7u);
    EXPECT_FLOAT_EQ(f.sent[1].second, 2 + 25 / 20.0f);
    EXPECT_FALSE(f.slider->currentTouchPhase().has_value());

    // Back below the minimum, then cancelled: clamped at 0, the last report is the cancel.
    f.sent.clear();
    drag(*f.window, {f.thumbCentreX(), 115}, {-100, 115}, 4, /*cancel=*/true);
    EXPECT_EQ(f.slider->value(), 0);
    EXPECT_EQ(f.sent.back(), std::make_pair(TouchPhase::Cancelled, 0.0f));
}

TEST(Slider, ATouchAwayFromTheThumbDoesNotMoveIt) {
    SliderInWindow f;
    testsupport::tap(*f.window, {200, 115});
    drag(*f.window, {200, 115}, {100, 115}, 4);
    EXPECT_EQ(f.slider->value(), 2);
    EXPECT_TRUE(f.sent.empty());
}

TEST(Slider, TheValueStaysWithinTheBounds) {
    auto slider = Slider::create();
    slider->setMaximumValue(10);
    slider->setValue(15);
    EXPECT_EQ(slider->value(), 10);
    slider->setValue(4);
    slider->setMinimumValue(6);
    EXPECT_EQ(slider->value(), 6);
    slider->setMinimumValue(20);  // past the maximum: drags it along
    EXPECT_EQ(slider->maximumValue(), 20);
    EXPECT_EQ(slider->value(), 20);
    slider->setMaximumValue(-1);
    EXPECT_EQ(slider->minimumValue(), -1);
    EXPECT_EQ(slider->value(), -1);
    slider->setValue(std::numeric_limits<float>::quiet_NaN());
    slider->setMinimumValue(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(slider->value(), -1);
    EXPECT_EQ(slider->minimumValue(), -1);
}

TEST(Slider, TheFilledTrackFollowsTheValueInPixels) {
    auto slider = Slider::create();
    slider->setFrame({{0, 0}, {228, Slider::kHeight}});
    slider->setTintColor(gfx::Color(1, 0, 0));
    slider->setMaximumValue(10);

    slider->setValue(10);
    gfx::Color full = host::HeadlessHost::render(*slider, 1.0).colorAt(100, 15);
    slider->setValue(0);
    gfx::Color empty = host::HeadlessHost::render(*slider, 1.0).colorAt(100, 15);
    EXPECT_GT(full.red(), 0.9);
    EXPECT_LT(full.green(), 0.1);
    EXPECT_LT(empty.alpha(), 0.5);
}

}  // namespace
