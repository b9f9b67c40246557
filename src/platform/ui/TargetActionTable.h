#pragma once

#include <memory>
#include <string>
#include <vector>

namespace ui {

class Responder;

// The target–action registrations of a sender (a control, a gesture recogniser): which named
// action goes to which target for which events (an option set the sender defines).
//
// A target is held weakly. A null target means "the responder chain": the action goes to the
// nearest responder from the sender's chain start up that handles it. The same target and
// action is registered once, with the union of its events, so it is sent once per event.
class TargetActionTable {
public:
    void add(const std::weak_ptr<Responder>& target, const std::string& action, unsigned events);
    // Removes `events` from the registrations of `target` and `action` (an empty action means
    // every action of that target); a registration left with no events is dropped.
    void remove(const std::weak_ptr<Responder>& target, const std::string& action, unsigned events);
    // The events registered for `target` and `action` (0 when none).
    unsigned eventsFor(const std::weak_ptr<Responder>& target, const std::string& action) const;
    // Sends the action of every registration that includes one of `events`, in the order they
    // were added; chain registrations start at `chainStart` (skipped when it is null). Each
    // target is kept alive while its action runs, and an action may edit the table.
    void send(unsigned events, Responder* chainStart) const;
    bool empty() const { return registrations_.empty(); }

private:
    struct Registration {
        std::weak_ptr<Responder> target;
        bool usesResponderChain;
        std::string action;
        unsigned events;
    };
    static bool sameTarget(const Registration& registration, const std::weak_ptr<Responder>& target);

    std::vector<Registration> registrations_;
};

}  // namespace ui
