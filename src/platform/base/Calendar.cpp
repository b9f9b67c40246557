#include "base/Calendar.h"

#include <unicode/gregocal.h>

#include <cmath>

#include "base/IcuSupport.h"

namespace base {
namespace {

std::unique_ptr<icu::GregorianCalendar> makeCalendar(const TimeZone& timeZone) {
    UErrorCode status = U_ZERO_ERROR;
    auto calendar = std::make_unique<icu::GregorianCalendar>(*timeZone.impl().zone, status);
    if (U_FAILURE(status)) return nullptr;
    return calendar;
}

}  // namespace

std::optional<DateComponents> Calendar::components(Date date, const TimeZone& timeZone) {
    if (!std::isfinite(date.timeIntervalSinceReferenceDate())) return std::nullopt;
    auto calendar = makeCalendar(timeZone);
    if (!calendar) return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    calendar->setTime(toIcuDate(date), status);
    DateComponents components;
    components.year = calendar->get(UCAL_EXTENDED_YEAR, status);
    components.month = calendar->get(UCAL_MONTH, status) + 1;
    components.day = calendar->get(UCAL_DATE, status);
    components.hour = calendar->get(UCAL_HOUR_OF_DAY, status);
    components.minute = calendar->get(UCAL_MINUTE, status);
    components.second = calendar->get(UCAL_SECOND, status);
    components.weekday = calendar->get(UCAL_DAY_OF_WEEK, status);
    if (U_FAILURE(status)) return std::nullopt;
    return components;
}

Date Calendar::date(const DateComponents& components, const TimeZone& timeZone) {
    auto calendar = makeCalendar(timeZone);
    if (!calendar) return Date();
    calendar->clear();
    calendar->set(UCAL_EXTENDED_YEAR, components.year);
    calendar->set(UCAL_MONTH, components.month - 1);
    calendar->set(UCAL_DATE, components.day);
    calendar->set(UCAL_HOUR_OF_DAY, components.hour);
    calendar->set(UCAL_MINUTE, components.minute);
    calendar->set(UCAL_SECOND, components.second);
    UErrorCode status = U_ZERO_ERROR;
    double milliseconds = calendar->getTime(status);
    if (U_FAILURE(status)) return Date();
    return Date::fromUnixTime(milliseconds / 1000.0);
}

}  // namespace base
