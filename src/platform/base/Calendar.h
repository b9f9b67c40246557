#pragma once

#include <optional>

#include "base/Date.h"
#include "base/TimeZone.h"

namespace base {

// The fields of a moment on the Gregorian calendar in one time zone.
struct DateComponents {
    int year = 1;
    int month = 1;  // 1 = January … 12
    int day = 1;    // of the month, from 1
    int hour = 0;   // 0 … 23
    int minute = 0;
    int second = 0;
    int weekday = 1;  // 1 = Sunday … 7 = Saturday; ignored when making a date

    bool operator==(const DateComponents&) const = default;
};

// Gregorian calendar arithmetic through ICU.
class Calendar {
public:
    // The fields of `date` in `timeZone`; nothing for a date that is not finite.
    static std::optional<DateComponents> components(Date date, const TimeZone& timeZone);
    static std::optional<DateComponents> components(Date date) { return components(date, TimeZone::local()); }

    // The moment with the given wall-clock fields in `timeZone` (fields out of range roll
    // over, 25 March → 1 April of a later month etc.). A wall-clock time skipped by a
    // daylight-saving change is read with the offset in force before the change.
    static Date date(const DateComponents& components, const TimeZone& timeZone);
};

}  // namespace base
