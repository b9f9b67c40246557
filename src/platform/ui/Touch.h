#pragma once

#include <memory>

#include "base/Clock.h"
#include "gfx/Geometry.h"

namespace ui {

class View;

enum class TouchPhase { Began, Moved, Stationary, Ended, Cancelled };

// One finger on the screen at one moment of its sequence: where it is in window coordinates,
// its phase, how many taps in quick succession it is part of, and the view that the sequence
// is delivered to (the view hit when it began). The timestamp is when the finger was there,
// on the main run loop's clock; recognisers measure speeds and delays with it.
class Touch {
public:
    using TimePoint = base::Clock::TimePoint;

    // Stamped with the main run loop's current time.
    Touch(int identifier, TouchPhase phase, gfx::Point locationInWindow, int tapCount = 1);
    Touch(int identifier, TouchPhase phase, gfx::Point locationInWindow, TimePoint timestamp,
          int tapCount = 1)
        : identifier_(identifier),
          phase_(phase),
          location_(locationInWindow),
          timestamp_(timestamp),
          tapCount_(tapCount) {}

    // The same for every phase of one finger's sequence.
    int identifier() const { return identifier_; }
    TouchPhase phase() const { return phase_; }
    gfx::Point locationInWindow() const { return location_; }
    // The location in `view`'s bounds coordinates; a null view means the window's.
    gfx::Point locationInView(const View* view) const;
    TimePoint timestamp() const { return timestamp_; }
    int tapCount() const { return tapCount_; }
    std::shared_ptr<View> view() const { return view_.lock(); }
    void setView(const std::shared_ptr<View>& view) { view_ = view; }
    // The same touch at another phase (the window cancels a view's touches with it).
    Touch withPhase(TouchPhase phase) const;

private:
    int identifier_;
    TouchPhase phase_;
    gfx::Point location_;
    TimePoint timestamp_;
    int tapCount_;
    std::weak_ptr<View> view_;
};

}  // namespace ui
