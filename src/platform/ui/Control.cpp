#include "ui/Control.h"

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

bool Control::sameTarget(const Registration& registration, const std::weak_ptr<Responder>& target) {
    bool usesChain = !target.lock();
    if (usesChain || registration.usesResponderChain) return usesChain == registration.usesResponderChain;
    return !registration.target.owner_before(target) && !target.owner_before(registration.target);
}

void Control::addTarget(const std::weak_ptr<Responder>& target, const std::string& action, unsigned events) {
    if (events == 0 || action.empty()) return;
    for (auto& registration : registrations_) {
        if (registration.action == action && sameTarget(registration, target)) {
            registration.events |= events;
            return;
        }
    }
    registrations_.push_back({target, !target.lock(), action, events});
}

void Control::removeTarget(const std::weak_ptr<Responder>& target, const std::string& action,
                           unsigned events) {
    for (auto& registration : registrations_) {
        if ((action.empty() || registration.action == action) && sameTarget(registration, target)) {
            registration.events &= ~events;
        }
    }
    std::erase_if(registrations_, [](const Registration& registration) { return registration.events == 0; });
}

unsigned Control::eventsForTarget(const std::weak_ptr<Responder>& target, const std::string& action) const {
    for (const auto& registration : registrations_) {
        if (registration.action == action && sameTarget(registration, target)) return registration.events;
    }
    return 0;
}

void Control::sendActionsForControlEvents(unsigned events) {
    auto self = shared_from_this();
    // A target's action may add or remove registrations: send from a snapshot.
    const auto registrations = registrations_;
    for (const auto& registration : registrations) {
        if ((registration.events & events) == 0) continue;
        if (registration.usesResponderChain) {
            sendAction(registration.action);
        } else if (auto target = registration.target.lock()) {
            target->performAction(registration.action);
        }
    }
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

}  // namespace ui
