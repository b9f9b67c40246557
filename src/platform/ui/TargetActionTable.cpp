#include "ui/TargetActionTable.h"

#include "ui/Responder.h"

namespace ui {

bool TargetActionTable::sameTarget(const Registration& registration, const std::weak_ptr<Responder>& target) {
    bool usesChain = !target.lock();
    if (usesChain || registration.usesResponderChain) return usesChain == registration.usesResponderChain;
    return !registration.target.owner_before(target) && !target.owner_before(registration.target);
}

void TargetActionTable::add(const std::weak_ptr<Responder>& target, const std::string& action,
                            unsigned events) {
    if (events == 0 || action.empty()) return;
    for (auto& registration : registrations_) {
        if (registration.action == action && sameTarget(registration, target)) {
            registration.events |= events;
            return;
        }
    }
    registrations_.push_back({target, !target.lock(), action, events});
}

void TargetActionTable::remove(const std::weak_ptr<Responder>& target, const std::string& action,
                               unsigned events) {
    for (auto& registration : registrations_) {
        if ((action.empty() || registration.action == action) && sameTarget(registration, target)) {
            registration.events &= ~events;
        }
    }
    std::erase_if(registrations_, [](const Registration& registration) { return registration.events == 0; });
}

unsigned TargetActionTable::eventsFor(const std::weak_ptr<Responder>& target,
                                      const std::string& action) const {
    for (const auto& registration : registrations_) {
        if (registration.action == action && sameTarget(registration, target)) return registration.events;
    }
    return 0;
}

void TargetActionTable::send(unsigned events, Responder* chainStart) const {
    // An action may add or remove registrations: send from a snapshot.
    const auto registrations = registrations_;
    for (const auto& registration : registrations) {
        if ((registration.events & events) == 0) continue;
        if (registration.usesResponderChain) {
            if (chainStart) chainStart->sendAction(registration.action);
        } else if (auto target = registration.target.lock()) {
            target->performAction(registration.action);
        }
    }
}

}  // namespace ui
