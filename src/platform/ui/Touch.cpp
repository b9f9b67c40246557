#include "ui/Touch.h"

#include "base/RunLoop.h"
#include "ui/View.h"

namespace ui {

Touch::Touch(int identifier, TouchPhase phase, gfx::Point locationInWindow, int tapCount)
    : Touch(identifier, phase, locationInWindow, base::RunLoop::main().now(), tapCount) {}

Touch Touch::withPhase(TouchPhase phase) const {
    Touch touch = *this;
    touch.phase_ = phase;
    return touch;
}

gfx::Point Touch::locationInView(const View* view) const {
    if (!view) return location_;
    return view->convertPointFrom(location_, nullptr);
}

}  // namespace ui
