#pragma once

#include <functional>
#include <memory>

namespace base {

// A callback that runs `body` on `object` while the object exists and does nothing after: for
// handlers an object's own views hold, which must neither keep it alive nor outlive it.
template <class T, class Body>
std::function<void()> whileAlive(const std::shared_ptr<T>& object, Body body) {
    return [weak = std::weak_ptr<T>(object), body = std::move(body)] {
        if (auto strong = weak.lock()) body(*strong);
    };
}

}  // namespace base
