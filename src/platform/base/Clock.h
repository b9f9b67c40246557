#pragma once

#include <chrono>
#include <memory>

#include "base/Date.h"

namespace base {

// Where time comes from. A clock tells two times: a monotonic one (`now`) that run loops
// and animations measure delays with, and the wall-clock date (`currentDate`) that is
// shown to people. Programs use the system clock; tests install a `ManualClock` whose time
// moves only when told, so that timers, animations and dates are tested without sleeping.
//
// The process has one current clock (`Clock::current()`), the system clock unless a test
// installs another with `setCurrent`. `RunLoop::main()` follows it.
class Clock {
public:
    using Duration = std::chrono::nanoseconds;
    using TimePoint = std::chrono::time_point<std::chrono::steady_clock, Duration>;

    virtual ~Clock() = default;

    virtual TimePoint now() const = 0;
    virtual Date currentDate() const = 0;

    static std::shared_ptr<Clock> system();
    static std::shared_ptr<Clock> current();
    // Installs `clock` as the current clock; an empty pointer restores the system clock.
    static void setCurrent(std::shared_ptr<Clock> clock);
};

}  // namespace base
