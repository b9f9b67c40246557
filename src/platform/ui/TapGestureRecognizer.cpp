#include "ui/TapGestureRecognizer.h"

#include <cmath>

namespace ui {

namespace {

double distance(gfx::Point a, gfx::Point b) { return std::hypot(a.x - b.x, a.y - b.y); }

}  // namespace

std::shared_ptr<TapGestureRecognizer> TapGestureRecognizer::create() {
    return std::shared_ptr<TapGestureRecognizer>(new TapGestureRecognizer());
}

void TapGestureRecognizer::touchBegan(const Touch& touch) {
    if (numberOfTouches() > 1) return fail();
    if (lastLift_ && touch.timestamp() - *lastLift_ > kMaximumTapInterval) tapsCounted_ = 0;
    if (tapsCounted_ == 0) {
        firstTapLocation_ = touch.locationInWindow();
    } else if (distance(touch.locationInWindow(), firstTapLocation_) > kMaximumTapSpread) {
        return fail();
    }
    tapStart_ = touch.locationInWindow();
}

void TapGestureRecognizer::touchMoved(const Touch& touch) {
    if (distance(touch.locationInWindow(), tapStart_) > kAllowableMovement) fail();
}

void TapGestureRecognizer::touchEnded(const Touch& touch) {
    if (distance(touch.locationInWindow(), tapStart_) > kAllowableMovement) return fail();
    ++tapsCounted_;
    lastLift_ = touch.timestamp();
    if (tapsCounted_ >= tapsRequired_) setState(Recognized);
}

void TapGestureRecognizer::resetGesture() {
    tapsCounted_ = 0;
    lastLift_.reset();
}

}  // namespace ui
