#pragma once

#include <compare>

namespace base {

// An absolute point in time: seconds since 2001-01-01 00:00:00 UTC, the reference date of
// property lists. Time zones and calendars only matter when a date is shown.
class Date {
public:
    // Seconds between 1970-01-01 and 2001-01-01.
    static constexpr double kReferenceDateUnixTime = 978307200.0;

    constexpr Date() = default;
    constexpr explicit Date(double secondsSinceReferenceDate) : seconds_(secondsSinceReferenceDate) {}
    static constexpr Date fromUnixTime(double unixSeconds) {
        return Date(unixSeconds - kReferenceDateUnixTime);
    }

    constexpr double timeIntervalSinceReferenceDate() const { return seconds_; }
    constexpr double unixTime() const { return seconds_ + kReferenceDateUnixTime; }
    constexpr Date addingTimeInterval(double seconds) const { return Date(seconds_ + seconds); }

    constexpr auto operator<=>(const Date&) const = default;

private:
    double seconds_ = 0;
};

}  // namespace base
