#pragma once

#include <memory>

#include "gfx/Geometry.h"

namespace ui {

class View;

enum class TouchPhase { Began, Moved, Stationary, Ended, Cancelled };

// One finger on the screen at one moment of its sequence: where it is in window coordinates,
// its phase, how many taps in quick succession it is part of, and the view that the sequence
// is delivered to (the view hit when it began).
class Touch {
public:
    Touch(int identifier, TouchPhase phase, gfx::Point locationInWindow, int tapCount = 1)
        : identifier_(identifier), phase_(phase), location_(locationInWindow), tapCount_(tapCount) {}

    // The same for every phase of one finger's sequence.
    int identifier() const { return identifier_; }
    TouchPhase phase() const { return phase_; }
    gfx::Point locationInWindow() const { return location_; }
    // The location in `view`'s bounds coordinates; a null view means the window's.
    gfx::Point locationInView(const View* view) const;
    int tapCount() const { return tapCount_; }
    std::shared_ptr<View> view() const { return view_.lock(); }
    void setView(const std::shared_ptr<View>& view) { view_ = view; }

private:
    int identifier_;
    TouchPhase phase_;
    gfx::Point location_;
    int tapCount_;
    std::weak_ptr<View> view_;
};

}  // namespace ui
