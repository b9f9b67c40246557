#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "base/Date.h"
#include "base/Locale.h"
#include "base/TimeZone.h"

namespace base {

// Formats dates with a Unicode date pattern ("E, d MMM HH:mm", "h:mm a"), a locale and a
// time zone. A new formatter uses the user's locale (LC_TIME) and the local time zone, read
// when it is made. The ICU formatter behind it is built on first use and kept until a
// setting changes, so reuse one formatter for many dates. Several threads may format with
// one formatter at once (they take turns on the ICU formatter); changing a setting, copying
// or moving must not overlap any other use.
class DateFormatter {
public:
    explicit DateFormatter(std::string pattern = {});
    DateFormatter(std::string pattern, Locale locale, TimeZone timeZone);
    DateFormatter(const DateFormatter& other);
    DateFormatter& operator=(const DateFormatter& other);
    DateFormatter(DateFormatter&&) noexcept;
    DateFormatter& operator=(DateFormatter&&) noexcept;
    ~DateFormatter();

    const std::string& dateFormat() const { return pattern_; }
    const Locale& locale() const { return locale_; }
    const TimeZone& timeZone() const { return timeZone_; }
    void setDateFormat(std::string pattern);
    void setLocale(Locale locale);
    void setTimeZone(TimeZone timeZone);

    // The date as text; empty for a date that is not finite. Patterns are read leniently: an
    // unterminated quote runs to the end, a letter that names no field produces nothing.
    std::string stringFromDate(Date date) const;

private:
    struct Cache;
    std::string pattern_;
    Locale locale_;
    TimeZone timeZone_;
    mutable std::mutex cacheMutex_;  // guards cache_ and the ICU formatter in it
    mutable std::unique_ptr<Cache> cache_;
};

}  // namespace base
