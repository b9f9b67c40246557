#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/TargetActionTable.h"
#include "ui/View.h"

namespace ui {

// A control's state: an option set (the platform's values); normal is the empty set.
enum ControlState : unsigned {
    ControlStateNormal = 0,
    ControlStateHighlighted = 1u << 0,
    ControlStateDisabled = 1u << 1,
    ControlStateSelected = 1u << 2,
};

// What a control reports to its targets: an option set (the platform's values).
enum ControlEvents : unsigned {
    ControlEventTouchDown = 1u << 0,
    ControlEventTouchUpInside = 1u << 6,
    ControlEventTouchUpOutside = 1u << 7,
    ControlEventTouchCancel = 1u << 8,
    ControlEventValueChanged = 1u << 12,
    ControlEventPrimaryActionTriggered = 1u << 13,
    ControlEventEditingDidBegin = 1u << 16,
    ControlEventEditingChanged = 1u << 17,
    ControlEventEditingDidEnd = 1u << 18,
    ControlEventAllEvents = 0xFFFFFFFFu,
};

// A view that turns touches into events and reports them to handlers (`addAction`) and to
// targets by named action (target–action, for commands). A target is held weakly; a null
// target means "the responder chain": the action goes to the nearest responder from the
// control up that handles it.
//
// Touch tracking: a touch that begins on an enabled control highlights it and sends touch
// down; while it moves the highlight follows whether it is inside the bounds; when it ends
// the control sends touch up inside or outside. A cancelled touch sends touch cancel.
class Control : public View {
public:
    static std::shared_ptr<Control> create();
    const char* className() const override { return "Control"; }

    unsigned state() const;
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled);
    bool isSelected() const { return selected_; }
    void setSelected(bool selected);
    bool isHighlighted() const { return highlighted_; }
    void setHighlighted(bool highlighted);
    bool isTracking() const { return tracking_; }

    // Adds `events` to what `action` is sent to `target` for; the same target and action
    // is registered once, with the union of its events.
    void addTarget(const std::weak_ptr<Responder>& target, const std::string& action, unsigned events);
    // Removes `events` from the registrations of `target` and `action` (an empty action
    // means every action of that target); a registration left with no events is dropped.
    void removeTarget(const std::weak_ptr<Responder>& target, const std::string& action, unsigned events);
    // The events registered for `target` and `action` (0 when none).
    unsigned eventsForTarget(const std::weak_ptr<Responder>& target, const std::string& action) const;
    // Runs `handler` for `events`: screen-local wiring that no other registration, named or
    // not, replaces. The token takes it off again.
    ActionToken addAction(unsigned events, std::function<void()> handler);
    // Sends the action of every registration that includes one of `events`, in the order
    // they were added. The control and each target are kept alive while their action runs.
    void sendActionsForControlEvents(unsigned events);

    void touchesBegan(const Touches& touches) override;
    void touchesMoved(const Touches& touches) override;
    void touchesEnded(const Touches& touches) override;
    void touchesCancelled(const Touches& touches) override;
    // A control keeps its taps: the tap recognisers of its ancestors do not begin on it
    // (unless it is disabled, when the tap goes through to them).
    bool gestureRecognizerShouldBegin(GestureRecognizer& recognizer) override;

protected:
    Control() = default;
    // Called after `state()` changed.
    virtual void stateDidChange() {}

private:
    void setStateFlag(bool& flag, bool value);
    bool touchIsInside(const Touches& touches) const;

    bool enabled_ = true;
    bool selected_ = false;
    bool highlighted_ = false;
    bool tracking_ = false;
    TargetActionTable targets_;
};

}  // namespace ui
