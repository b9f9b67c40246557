#pragma once

#include <mutex>

#include "base/Clock.h"

namespace base {

// A clock for tests: time stands still until `advance` (or a run loop letting time pass,
// see `RunLoop::runFor`) moves it. The wall-clock date moves together with `now`: after
// `setCurrentDate(d)` and `advance(5s)`, `currentDate()` is d + 5 s. Thread-safe.
class ManualClock final : public Clock {
public:
    // Starts at monotonic time zero and at `currentDate` (by default the reference date,
    // 2001-01-01 00:00:00 UTC).
    explicit ManualClock(Date currentDate = Date());

    TimePoint now() const override;
    Date currentDate() const override;

    // Moves time forward; a negative duration is ignored (monotonic time never goes back).
    void advance(Duration duration);
    // Moves time forward to `time`; a time in the past is ignored.
    void advanceTo(TimePoint time);
    // Sets the wall-clock date without moving monotonic time.
    void setCurrentDate(Date date);

private:
    void advanceLocked(Duration duration);

    mutable std::mutex mutex_;
    TimePoint now_{};
    Date dateAtNow_;
};

}  // namespace base
