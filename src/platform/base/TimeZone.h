#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/Date.h"

namespace base {

// A time zone with its rules (ICU's zone database). Copies share one immutable zone.
class TimeZone {
public:
    // The system's zone as a C program sees it: the TZ variable when set (a zone name, a POSIX
    // rule such as "CET-1CEST,M3.5.0,M10.5.0/3", empty for UTC), else /etc/localtime. Read
    // afresh on every call, so a changed TZ applies to zones made afterwards.
    static TimeZone local();
    static TimeZone utc();
    // A zone by identifier: an Olson name ("Europe/Berlin"), "UTC", or a custom offset
    // ("GMT+05:30"). Nothing for an identifier the zone database does not know.
    static std::optional<TimeZone> named(std::string_view identifier);

    std::string identifier() const;
    // The offset from UTC in effect at the given moment (daylight saving included).
    int secondsFromGMT(Date date) const;

    struct Impl;
    const Impl& impl() const { return *impl_; }

private:
    explicit TimeZone(std::shared_ptr<const Impl> impl) : impl_(std::move(impl)) {}
    std::shared_ptr<const Impl> impl_;
};

}  // namespace base
