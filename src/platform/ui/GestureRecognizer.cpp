#include "ui/GestureRecognizer.h"

#include "ui/View.h"

namespace ui {

namespace {

// The event bit every registration of a recogniser uses: it reports every state change.
constexpr unsigned kStateChanged = 1;

}  // namespace

void GestureRecognizer::setEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (enabled) return;
    if (isActive()) setState(State::Cancelled);
    touches_.clear();
    reset();
}

void GestureRecognizer::addTarget(const std::weak_ptr<Responder>& target, const std::string& action) {
    targets_.add(target, action, kStateChanged);
}

ActionToken GestureRecognizer::addAction(std::function<void()> handler) {
    return targets_.addHandler(kStateChanged, std::move(handler));
}

void GestureRecognizer::removeTarget(const std::weak_ptr<Responder>& target, const std::string& action) {
    targets_.remove(target, action, kStateChanged);
}

gfx::Point GestureRecognizer::locationInView(const View* view) const {
    gfx::Point location = lastLocation_;
    if (!touches_.empty()) {
        location = {0, 0};
        for (const auto& [identifier, touch] : touches_) {
            location.x += touch.locationInWindow().x / static_cast<double>(touches_.size());
            location.y += touch.locationInWindow().y / static_cast<double>(touches_.size());
        }
    }
    return view ? view->convertPointFrom(location, nullptr) : location;
}

void GestureRecognizer::receiveTouch(const Touch& touch, Arbiter* arbiter) {
    auto self = shared_from_this();
    // 1. Bookkeeping, whatever the state: which touches are down and where.
    bool lifted = touch.phase() == TouchPhase::Ended || touch.phase() == TouchPhase::Cancelled;
    bool known = touches_.count(touch.identifier()) != 0;
    if (!known && touch.phase() != TouchPhase::Began) return;
    lastLocation_ = touch.locationInWindow();
    touches_.insert_or_assign(touch.identifier(), touch);
    // 2. The gesture, while it can still change.
    if (enabled_ && (state_ == State::Possible || isActive())) {
        arbiter_ = arbiter;
        switch (touch.phase()) {
            case TouchPhase::Began:
                touchBegan(touch);
                break;
            case TouchPhase::Moved:
                touchMoved(touch);
                break;
            case TouchPhase::Stationary:
                break;
            case TouchPhase::Ended:
                touchEnded(touch);
                break;
            case TouchPhase::Cancelled:
                touchCancelled(touch);
                break;
        }
        arbiter_ = nullptr;
    }
    if (lifted) touches_.erase(touch.identifier());
}

void GestureRecognizer::touchCancelled(const Touch&) {
    if (isActive()) {
        setState(State::Cancelled);
    } else {
        fail();
    }
}

bool GestureRecognizer::isFinished() const {
    bool over = state_ == State::Ended || state_ == State::Cancelled || state_ == State::Failed;
    return over && touches_.empty();
}

void GestureRecognizer::reset() {
    state_ = State::Possible;
    resetGesture();
}

void GestureRecognizer::fail() {
    if (state_ == State::Possible) state_ = State::Failed;
}

bool GestureRecognizer::shouldBegin() {
    auto delegate = delegate_.lock();
    if (delegate && !delegate->gestureRecognizerShouldBegin(*this)) return false;
    return !arbiter_ || arbiter_->mayBegin(*this);
}

bool GestureRecognizer::setState(State state) {
    bool begins = state_ == State::Possible && (state == State::Began || state == Recognized);
    if (begins && !shouldBegin()) {
        state_ = State::Failed;
        return false;
    }
    state_ = state;
    if (begins && arbiter_) arbiter_->didBegin(*this);
    if (state != State::Possible && state != State::Failed) sendActions();
    return true;
}

void GestureRecognizer::sendActions() {
    auto self = shared_from_this();
    auto view = view_.lock();
    targets_.send(kStateChanged, view.get());
}

}  // namespace ui
