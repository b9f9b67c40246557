#include "base/Semaphore.h"

namespace base {

// Notifies under the lock: a waiter that returns may destroy the semaphore at once, so the
// notification must not come after the count was raised and the lock released.
void Semaphore::signal() {
    std::lock_guard lock(mutex_);
    ++count_;
    available_.notify_one();
}

void Semaphore::wait() {
    std::unique_lock lock(mutex_);
    available_.wait(lock, [this] { return count_ > 0; });
    --count_;
}

bool Semaphore::waitFor(std::chrono::nanoseconds timeout) {
    std::unique_lock lock(mutex_);
    if (!available_.wait_for(lock, timeout, [this] { return count_ > 0; })) return false;
    --count_;
    return true;
}

}  // namespace base
