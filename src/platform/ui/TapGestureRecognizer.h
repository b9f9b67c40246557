#pragma once

#include <chrono>
#include <optional>

#include "ui/GestureRecognizer.h"

namespace ui {

// A discrete recogniser: one finger tapping `numberOfTapsRequired` times in the same place.
// It is recognised when the last tap lifts. It fails when the finger moves more than 10 points
// from where that tap began, when a second finger comes down, when a later tap begins more
// than 45 points from the first, or when the touch sequence is cancelled. A tap that begins
// more than 0.35 seconds after the previous one lifted starts the count again.
class TapGestureRecognizer : public GestureRecognizer {
public:
    static constexpr double kAllowableMovement = 10;
    static constexpr double kMaximumTapSpread = 45;
    static constexpr std::chrono::milliseconds kMaximumTapInterval{350};

    static std::shared_ptr<TapGestureRecognizer> create();
    const char* className() const override { return "TapGestureRecognizer"; }

    int numberOfTapsRequired() const { return tapsRequired_; }
    // At least 1.
    void setNumberOfTapsRequired(int taps) { tapsRequired_ = taps < 1 ? 1 : taps; }

protected:
    TapGestureRecognizer() = default;
    void touchBegan(const Touch& touch) override;
    void touchMoved(const Touch& touch) override;
    void touchEnded(const Touch& touch) override;
    void resetGesture() override;

private:
    int tapsRequired_ = 1;
    int tapsCounted_ = 0;
    gfx::Point firstTapLocation_;
    gfx::Point tapStart_;
    std::optional<Touch::TimePoint> lastLift_;
};

}  // namespace ui
