#pragma once

#include <chrono>
#include <deque>
#include <optional>

#include "ui/GestureRecognizer.h"

namespace ui {

// A continuous recogniser that follows one finger dragging. It begins once the finger has
// moved 10 points from where it came down, changes with every movement after that, and ends
// when the finger lifts (or is cancelled with the touch). Further fingers are ignored.
//
// The translation is measured from where the finger came down (so dragged content stays under
// it), plus whatever `setTranslation` moved the origin by. The velocity is taken over the last
// 100 ms of movement, in points per second.
class PanGestureRecognizer : public GestureRecognizer {
public:
    static constexpr double kHysteresis = 10;
    static constexpr std::chrono::milliseconds kVelocityWindow{100};

    static std::shared_ptr<PanGestureRecognizer> create();
    const char* className() const override { return "PanGestureRecognizer"; }

    // Views are not scaled, so the translation is the same in every view's coordinates.
    gfx::Point translationInView(const View* view) const;
    void setTranslation(gfx::Point translation, const View* view);
    gfx::Point velocityInView(const View* view) const;

protected:
    PanGestureRecognizer() = default;
    // Whether a finger that comes down at `touch` may start a pan (an edge pan asks for an
    // edge); a refused touch makes the recogniser fail.
    virtual bool touchMayStartPan(const Touch&) { return true; }

    void touchBegan(const Touch& touch) override;
    void touchMoved(const Touch& touch) override;
    void touchEnded(const Touch& touch) override;
    void touchCancelled(const Touch& touch) override;
    void resetGesture() override;

private:
    struct Sample {
        Touch::TimePoint time;
        gfx::Point location;
    };
    void addSample(const Touch& touch);

    std::optional<int> trackedTouch_;
    gfx::Point start_;
    gfx::Point current_;
    gfx::Point translationOffset_;
    std::deque<Sample> samples_;
    gfx::Point velocity_;
};

}  // namespace ui
