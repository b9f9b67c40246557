#include "ui/PanGestureRecognizer.h"

#include <chrono>
#include <cmath>

namespace ui {

namespace {

constexpr std::size_t kMaximumSamples = 64;

}  // namespace

std::shared_ptr<PanGestureRecognizer> PanGestureRecognizer::create() {
    return std::shared_ptr<PanGestureRecognizer>(new PanGestureRecognizer());
}

gfx::Point PanGestureRecognizer::translationInView(const View*) const {
    return {current_.x - start_.x + translationOffset_.x, current_.y - start_.y + translationOffset_.y};
}

void PanGestureRecognizer::setTranslation(gfx::Point translation, const View*) {
    translationOffset_ = {translation.x - (current_.x - start_.x), translation.y - (current_.y - start_.y)};
}

gfx::Point PanGestureRecognizer::velocityInView(const View*) const { return velocity_; }

void PanGestureRecognizer::touchBegan(const Touch& touch) {
    if (trackedTouch_) return;  // one finger drives the pan
    if (!touchMayStartPan(touch)) return fail();
    trackedTouch_ = touch.identifier();
    start_ = current_ = touch.locationInWindow();
    addSample(touch);
}

void PanGestureRecognizer::touchMoved(const Touch& touch) {
    if (touch.identifier() != trackedTouch_) return;
    current_ = touch.locationInWindow();
    addSample(touch);
    if (isActive()) {
        setState(State::Changed);
    } else if (std::hypot(current_.x - start_.x, current_.y - start_.y) >= kHysteresis) {
        setState(State::Began);
    }
}

void PanGestureRecognizer::touchEnded(const Touch& touch) {
    if (touch.identifier() != trackedTouch_) return;
    current_ = touch.locationInWindow();
    addSample(touch);
    trackedTouch_.reset();
    if (isActive()) {
        setState(State::Ended);
    } else {
        fail();
    }
}

void PanGestureRecognizer::touchCancelled(const Touch& touch) {
    if (touch.identifier() != trackedTouch_) return;
    trackedTouch_.reset();
    GestureRecognizer::touchCancelled(touch);
}

void PanGestureRecognizer::resetGesture() {
    trackedTouch_.reset();
    start_ = current_ = translationOffset_ = velocity_ = {0, 0};
    samples_.clear();
}

// The velocity spans the samples of the last 100 ms (at least the previous one), so a jittery
// sample does not dominate and a finger that stopped before lifting ends with a slow pan.
void PanGestureRecognizer::addSample(const Touch& touch) {
    samples_.push_back({touch.timestamp(), touch.locationInWindow()});
    // Timestamps that run backwards (bad input) never age out: the cap bounds the history.
    while (samples_.size() > 2 && (samples_.back().time - samples_[1].time >= kVelocityWindow ||
                                   samples_.size() > kMaximumSamples)) {
        samples_.pop_front();
    }
    if (samples_.size() < 2) return;
    double seconds = std::chrono::duration<double>(samples_.back().time - samples_.front().time).count();
    if (seconds <= 0) return;
    velocity_ = {(samples_.back().location.x - samples_.front().location.x) / seconds,
                 (samples_.back().location.y - samples_.front().location.y) / seconds};
}

}  // namespace ui
