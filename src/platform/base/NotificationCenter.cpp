#include "base/NotificationCenter.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <vector>

namespace base {

namespace {

struct Observer {
    std::string name;
    bool filtersObject = false;
    const void* objectAddress = nullptr;
    std::weak_ptr<void> object;
    NotificationCenter::Callback callback;
    std::atomic<bool> removed{false};

    bool matches(const Notification& notification) const {
        if (!name.empty() && name != notification.name) return false;
        if (!filtersObject) return true;
        return notification.object.get() == objectAddress && !object.expired();
    }
};

}  // namespace

struct NotificationCenter::State {
    std::mutex mutex;
    std::map<std::uint64_t, std::shared_ptr<Observer>> observers;  // in the order added
    std::uint64_t nextId = 1;
};

NotificationCenter& NotificationCenter::defaultCenter() {
    // Never destroyed, so that observers removed during exit find it.
    static NotificationCenter* const center = new NotificationCenter();
    return *center;
}

NotificationCenter::NotificationCenter() : state_(std::make_shared<State>()) {}

NotificationCenter::~NotificationCenter() = default;

Observation NotificationCenter::addObserver(std::string name, Callback callback) {
    return addObserver(std::move(name), nullptr, std::move(callback));
}

Observation NotificationCenter::addObserver(std::string name, const std::shared_ptr<void>& object,
                                            Callback callback) {
    auto observer = std::make_shared<Observer>();
    observer->name = std::move(name);
    observer->filtersObject = object != nullptr;
    observer->objectAddress = object.get();
    observer->object = object;
    observer->callback = std::move(callback);

    std::uint64_t id;
    {
        std::lock_guard lock(state_->mutex);
        id = state_->nextId++;
        state_->observers.emplace(id, observer);
    }
    return Observation(
        [weakState = std::weak_ptr<State>(state_), id, weakObserver = std::weak_ptr(observer)] {
            if (auto observer = weakObserver.lock()) observer->removed = true;
            if (auto state = weakState.lock()) {
                std::lock_guard lock(state->mutex);
                state->observers.erase(id);
            }
        });
}

void NotificationCenter::post(std::string name, std::shared_ptr<void> object, Value userInfo) {
    post(Notification{std::move(name), std::move(object), std::move(userInfo)});
}

void NotificationCenter::post(const Notification& notification) {
    // Call a snapshot, without the lock, so that callbacks may add and remove observers;
    // each observer's `removed` flag is checked just before it is called.
    std::vector<std::shared_ptr<Observer>> matching;
    {
        std::lock_guard lock(state_->mutex);
        for (const auto& [id, observer] : state_->observers) {
            if (observer->matches(notification)) matching.push_back(observer);
        }
    }
    for (const auto& observer : matching) {
        if (!observer->removed) observer->callback(notification);
    }
}

}  // namespace base
