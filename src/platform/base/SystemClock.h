#pragma once

#include "base/Clock.h"

namespace base {

// The machine's clocks: `now` from the monotonic clock (unaffected by changes to the
// date), `currentDate` from the real-time clock.
class SystemClock final : public Clock {
public:
    TimePoint now() const override;
    Date currentDate() const override;
};

}  // namespace base
