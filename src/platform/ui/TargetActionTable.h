#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/ActionToken.h"

namespace ui {

class Responder;

// What a sender (a control, a gesture recogniser) runs for which of its events (an option set
// the sender defines): named actions sent to targets, and handlers.
//
// Named actions are commands: a target is held weakly, and a null target means "the responder
// chain", where the action goes to the nearest responder from the sender's chain start up that
// handles it. The same target and action is registered once, with the union of its events, so
// it is sent once per event.
//
// Handlers are screen-local wiring: each `addHandler` is its own registration, whatever else is
// registered, and its token takes it off again. Everything runs in the order it was added.
class TargetActionTable {
public:
    using Handler = std::function<void()>;

    TargetActionTable();

    void add(const std::weak_ptr<Responder>& target, const std::string& action, unsigned events);
    // Removes `events` from the registrations of `target` and `action` (an empty action means
    // every action of that target); a registration left with no events is dropped.
    void remove(const std::weak_ptr<Responder>& target, const std::string& action, unsigned events);
    // The events registered for `target` and `action` (0 when none).
    unsigned eventsFor(const std::weak_ptr<Responder>& target, const std::string& action) const;
    ActionToken addHandler(unsigned events, Handler handler);
    // Runs every registration that includes one of `events`, in the order they were added;
    // chain registrations start at `chainStart` (skipped when it is null). Each target is kept
    // alive while its action runs, and an action may edit the table: one taken off before its
    // turn does not run.
    void send(unsigned events, Responder* chainStart) const;
    bool empty() const;

private:
    std::shared_ptr<ActionToken::Registrations> registrations_;
};

}  // namespace ui
