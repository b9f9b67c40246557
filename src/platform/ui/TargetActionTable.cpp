#include "ui/TargetActionTable.h"

#include <algorithm>

#include "ui/Responder.h"

namespace ui {

namespace {

struct Registration {
    std::uint64_t id;
    unsigned events;
    // A named action ...
    std::weak_ptr<Responder> target;
    bool usesResponderChain = false;
    std::string action;
    // ... or a handler.
    std::shared_ptr<TargetActionTable::Handler> handler;
};

bool sameTarget(const Registration& registration, const std::weak_ptr<Responder>& target) {
    if (registration.handler) return false;
    bool usesChain = !target.lock();
    if (usesChain || registration.usesResponderChain) return usesChain == registration.usesResponderChain;
    return !registration.target.owner_before(target) && !target.owner_before(registration.target);
}

}  // namespace

struct ActionToken::Registrations {
    std::vector<Registration> list;
    std::uint64_t nextId = 1;

    bool contains(std::uint64_t id) const {
        return std::any_of(list.begin(), list.end(), [id](const Registration& r) { return r.id == id; });
    }
};

void ActionToken::remove() {
    if (auto handlers = handlers_.lock()) {
        std::erase_if(handlers->list, [this](const Registration& r) { return r.id == id_; });
    }
    handlers_.reset();
}

bool ActionToken::isActive() const {
    auto handlers = handlers_.lock();
    return handlers && handlers->contains(id_);
}

TargetActionTable::TargetActionTable() : registrations_(std::make_shared<ActionToken::Registrations>()) {}

void TargetActionTable::add(const std::weak_ptr<Responder>& target, const std::string& action,
                            unsigned events) {
    if (events == 0 || action.empty()) return;
    for (auto& registration : registrations_->list) {
        if (registration.action == action && sameTarget(registration, target)) {
            registration.events |= events;
            return;
        }
    }
    registrations_->list.push_back(
        {registrations_->nextId++, events, target, !target.lock(), action, nullptr});
}

void TargetActionTable::remove(const std::weak_ptr<Responder>& target, const std::string& action,
                               unsigned events) {
    auto& list = registrations_->list;
    for (auto& registration : list) {
        if ((action.empty() || registration.action == action) && sameTarget(registration, target)) {
            registration.events &= ~events;
        }
    }
    std::erase_if(list, [](const Registration& registration) { return registration.events == 0; });
}

unsigned TargetActionTable::eventsFor(const std::weak_ptr<Responder>& target,
                                      const std::string& action) const {
    for (const auto& registration : registrations_->list) {
        if (registration.action == action && sameTarget(registration, target)) return registration.events;
    }
    return 0;
}

ActionToken TargetActionTable::addHandler(unsigned events, Handler handler) {
    if (events == 0 || !handler) return {};
    std::uint64_t id = registrations_->nextId++;
    registrations_->list.push_back(
        {id, events, {}, false, {}, std::make_shared<Handler>(std::move(handler))});
    return ActionToken(registrations_, id);
}

void TargetActionTable::send(unsigned events, Responder* chainStart) const {
    // An action may add or remove registrations, or release the sender: send from a snapshot,
    // holding the list alive.
    auto registrations = registrations_;
    const auto snapshot = registrations->list;
    for (const auto& registration : snapshot) {
        if ((registration.events & events) == 0 || !registrations->contains(registration.id)) continue;
        if (registration.handler) {
            (*registration.handler)();
        } else if (registration.usesResponderChain) {
            if (chainStart) chainStart->sendAction(registration.action);
        } else if (auto target = registration.target.lock()) {
            target->performAction(registration.action);
        }
    }
}

bool TargetActionTable::empty() const { return registrations_->list.empty(); }

}  // namespace ui
