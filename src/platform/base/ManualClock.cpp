#include "base/ManualClock.h"

namespace base {

ManualClock::ManualClock(Date currentDate) : dateAtNow_(currentDate) {}

Clock::TimePoint ManualClock::now() const {
    std::lock_guard lock(mutex_);
    return now_;
}

Date ManualClock::currentDate() const {
    std::lock_guard lock(mutex_);
    return dateAtNow_;
}

void ManualClock::advance(Duration duration) {
    std::lock_guard lock(mutex_);
    advanceLocked(duration);
}

void ManualClock::advanceTo(TimePoint time) {
    std::lock_guard lock(mutex_);
    advanceLocked(time - now_);
}

void ManualClock::advanceLocked(Duration duration) {
    if (duration <= Duration::zero()) return;
    now_ += duration;
    dateAtNow_ = dateAtNow_.addingTimeInterval(std::chrono::duration<double>(duration).count());
}

void ManualClock::setCurrentDate(Date date) {
    std::lock_guard lock(mutex_);
    dateAtNow_ = date;
}

}  // namespace base
