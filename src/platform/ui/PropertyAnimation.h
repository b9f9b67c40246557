#pragma once

#include <memory>

#include "base/Clock.h"
#include "ui/AnimatableValue.h"
#include "ui/AnimationGroup.h"
#include "ui/TimingCurve.h"

namespace ui {

// One property of one layer moving from `from` to `to`. Before `begin` (a delay) it shows
// `from`; from `begin + duration` on it has ended and the layer shows its model value.
struct PropertyAnimation {
    AnimatableProperty property = AnimatableProperty::Alpha;
    AnimatableValue from;
    AnimatableValue to;
    base::Clock::TimePoint begin{};
    base::Clock::Duration duration{};
    TimingCurve curve = TimingCurve::linear();
    bool allowsUserInteraction = false;
    std::shared_ptr<AnimationGroup> group;

    bool hasEndedBy(base::Clock::TimePoint now) const { return now >= begin + duration; }
    double progressAt(base::Clock::TimePoint now) const {
        if (now <= begin) return 0;
        if (hasEndedBy(now)) return 1;
        return curve.progress(std::chrono::duration<double>(now - begin) /
                              std::chrono::duration<double>(duration));
    }
};

}  // namespace ui
