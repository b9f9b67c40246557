#include "base/TimeZone.h"

#include <unicode/simpletz.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "base/IcuSupport.h"

namespace base {
namespace {

TimeZone::Impl* makeImpl(icu::TimeZone* zone) {
    return new TimeZone::Impl{std::unique_ptr<const icu::TimeZone>(zone)};
}

int offsetAt(const icu::TimeZone& zone, double icuDate) {
    std::int32_t rawOffset = 0, dstOffset = 0;
    UErrorCode status = U_ZERO_ERROR;
    zone.getOffset(icuDate, false, rawOffset, dstOffset, status);
    return U_SUCCESS(status) ? (rawOffset + dstOffset) / 1000 : 0;
}

bool isKnown(const icu::TimeZone& zone) {
    icu::UnicodeString id;
    return zone.getID(id) != icu::UnicodeString(UCAL_UNKNOWN_ZONE_ID);
}

// ICU reads TZ only when it names a zone; the C library also reads POSIX rules
// ("CET-1CEST,M3.5.0,M10.5.0/3") and takes an empty TZ as UTC. Where the two disagree about
// the offset now, the C library's reading wins: the zone its abbreviation names when that
// has the same offset, else a fixed offset.
std::unique_ptr<icu::TimeZone> hostZoneAsTheCLibrarySeesIt() {
    std::unique_ptr<icu::TimeZone> detected(icu::TimeZone::detectHostTimeZone());
    tzset();
    const std::time_t now = std::time(nullptr);
    const double icuNow = double(now) * 1000.0;
    std::tm local{};
    if (!localtime_r(&now, &local)) return detected;
    const auto offset = int(local.tm_gmtoff);
    if (isKnown(*detected) && offsetAt(*detected, icuNow) == offset) return detected;
    if (local.tm_zone) {
        std::unique_ptr<icu::TimeZone> named(icu::TimeZone::createTimeZone(local.tm_zone));
        if (isKnown(*named) && offsetAt(*named, icuNow) == offset) return named;
    }
    if (offset == 0) return std::unique_ptr<icu::TimeZone>(icu::TimeZone::getGMT()->clone());
    const int minutes = std::abs(offset) / 60;
    char id[16];
    std::snprintf(id, sizeof id, "GMT%c%02d:%02d", offset < 0 ? '-' : '+', minutes / 60, minutes % 60);
    return std::make_unique<icu::SimpleTimeZone>(offset * 1000, icu::UnicodeString(id));
}

}  // namespace

TimeZone TimeZone::local() {
    return TimeZone(std::shared_ptr<const Impl>(makeImpl(hostZoneAsTheCLibrarySeesIt().release())));
}

TimeZone TimeZone::utc() {
    return TimeZone(std::shared_ptr<const Impl>(makeImpl(icu::TimeZone::getGMT()->clone())));
}

std::optional<TimeZone> TimeZone::named(std::string_view identifier) {
    std::unique_ptr<icu::TimeZone> zone(icu::TimeZone::createTimeZone(toUnicode(identifier)));
    if (!zone || !isKnown(*zone)) return std::nullopt;
    return TimeZone(std::shared_ptr<const Impl>(makeImpl(zone.release())));
}

std::string TimeZone::identifier() const {
    icu::UnicodeString id;
    return toUtf8(impl_->zone->getID(id));
}

int TimeZone::secondsFromGMT(Date date) const { return offsetAt(*impl_->zone, toIcuDate(date)); }

}  // namespace base
