#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace base {

// A counting semaphore: `wait` blocks until a `signal` has made the count positive.
class Semaphore {
public:
    explicit Semaphore(long initial = 0) : count_(initial) {}

    void signal();
    void wait();
    // False when the time ran out before a signal arrived.
    bool waitFor(std::chrono::nanoseconds timeout);

private:
    std::mutex mutex_;
    std::condition_variable available_;
    long count_;
};

}  // namespace base
