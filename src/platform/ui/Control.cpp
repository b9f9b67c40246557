#include "ui/Control.h"

#include "ui/TapGestureRecognizer.h"
#include "ui/Touch.h"

namespace ui {

std::shared_ptr<Control> Control::create() { return std::shared_ptr<Control>(new Control()); }

unsigned Control::state() const {
    unsigned state = ControlStateNormal;
    if (highlighted_) state |= ControlStateHighlighted;
    if (!enabled_) state |= ControlStateDisabled;
    if (selected_) state |= ControlStateSelected;
    return state;
}

void Control::setEnabled(bool enabled) {
    if (!enabled) tracking_ = false;
    setStateFlag(enabled_, enabled);
    if (!enabled) setHighlighted(false);
}

void Control::setSelected(bool selected) { setStateFlag(selected_, selected); }

void Control::setHighlighted(bool highlighted) { setStateFlag(highlighted_, highlighted); }

void Control::setStateFlag(bool& flag, bool value) {
    if (flag == value) return;
    flag = value;
    stateDidChange();
}

void Control::addTarget(const std::weak_ptr<Responder>& target, const std::string& action, unsigned events) {
    targets_.add(target, action, events);
}

void Control::removeTarget(const std::weak_ptr<Responder>& target, const std::string& action,
                           unsigned events) {
    targets_.remove(target, action, events);
}

unsigned Control::eventsForTarget(const std::weak_ptr<Responder>& target, const std::string& action) const {
    return targets_.eventsFor(target, action);
}

ActionToken Control::addAction(unsigned events, std::function<void()> handler) {
    return targets_.addHandler(events, std::move(handler));
}

void Control::sendActionsForControlEvents(unsigned events) {
    auto self = shared_from_this();
    targets_.send(events, this);
}

bool Control::touchIsInside(const Touches& touches) const {
    return !touches.empty() && pointInside(touches.front().locationInView(this));
}

void Control::touchesBegan(const Touches& touches) {
    if (!enabled_) return View::touchesBegan(touches);
    tracking_ = true;
    setHighlighted(true);
    sendActionsForControlEvents(ControlEventTouchDown);
}

void Control::touchesMoved(const Touches& touches) {
    if (!tracking_) return View::touchesMoved(touches);
    setHighlighted(touchIsInside(touches));
}

void Control::touchesEnded(const Touches& touches) {
    if (!tracking_) return View::touchesEnded(touches);
    tracking_ = false;
    setHighlighted(false);
    // One send, so a registration for both touch up inside and the primary action runs once.
    sendActionsForControlEvents(touchIsInside(touches)
                                    ? ControlEventTouchUpInside | ControlEventPrimaryActionTriggered
                                    : ControlEventTouchUpOutside);
}

void Control::touchesCancelled(const Touches& touches) {
    if (!tracking_) return View::touchesCancelled(touches);
    tracking_ = false;
    setHighlighted(false);
    sendActionsForControlEvents(ControlEventTouchCancel);
}

bool Control::gestureRecognizerShouldBegin(GestureRecognizer& recognizer) {
    bool ancestorTap = dynamic_cast<TapGestureRecognizer*>(&recognizer) && recognizer.view().get() != this;
    return !(enabled_ && ancestorTap);
}

}  // namespace ui
