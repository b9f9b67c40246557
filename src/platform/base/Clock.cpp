#include "base/Clock.h"

#include <mutex>

#include "base/SystemClock.h"

namespace base {
namespace {

std::mutex& currentMutex() {
    static std::mutex mutex;
    return mutex;
}

std::shared_ptr<Clock>& installedClock() {
    static std::shared_ptr<Clock> clock;
    return clock;
}

}  // namespace

std::shared_ptr<Clock> Clock::system() {
    static const std::shared_ptr<Clock> systemClock = std::make_shared<SystemClock>();
    return systemClock;
}

std::shared_ptr<Clock> Clock::current() {
    {
        std::lock_guard lock(currentMutex());
        if (installedClock()) return installedClock();
    }
    return system();
}

void Clock::setCurrent(std::shared_ptr<Clock> clock) {
    std::lock_guard lock(currentMutex());
    installedClock() = std::move(clock);
}

}  // namespace base
