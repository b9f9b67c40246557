#pragma once

#include <functional>
#include <memory>
#include <string>

#include "base/Notification.h"
#include "base/Observation.h"

namespace base {

// In-process notifications. Observers register for a name (or every name) and optionally
// for one object; `post` calls every matching observer synchronously, on the posting
// thread, in the order they were added.
//
// Objects are `std::shared_ptr<void>` and are matched by identity (the address they point
// at). An observer's object filter does not keep the object alive; once the object is
// destroyed the filter matches nothing, so a new object at the same address is never
// mistaken for it.
//
// During a delivery an observer may add or remove observers, itself included: a removed
// observer that has not been called yet is not called; an added one first hears the next
// post. Adding, removing and posting are safe from any thread; a removal from another
// thread does not wait for a callback already in progress.
class NotificationCenter {
public:
    using Callback = std::function<void(const Notification&)>;

    static NotificationCenter& defaultCenter();

    NotificationCenter();
    ~NotificationCenter();
    NotificationCenter(const NotificationCenter&) = delete;
    NotificationCenter& operator=(const NotificationCenter&) = delete;

    // Observes notifications named `name` (every notification when `name` is empty), from
    // any object, or only from `object` when it is not empty. The observer is registered
    // while the returned Observation lives.
    [[nodiscard]] Observation addObserver(std::string name, Callback callback);
    [[nodiscard]] Observation addObserver(std::string name, const std::shared_ptr<void>& object,
                                          Callback callback);

    void post(const Notification& notification);
    void post(std::string name, std::shared_ptr<void> object = nullptr, Value userInfo = Value());

private:
    struct State;
    std::shared_ptr<State> state_;
};

}  // namespace base
