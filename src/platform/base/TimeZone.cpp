#include "base/TimeZone.h"

#include "base/IcuSupport.h"

namespace base {
namespace {

TimeZone::Impl* makeImpl(icu::TimeZone* zone) {
    return new TimeZone::Impl{std::unique_ptr<const icu::TimeZone>(zone)};
}

}  // namespace

TimeZone TimeZone::local() {
    return TimeZone(std::shared_ptr<const Impl>(makeImpl(icu::TimeZone::detectHostTimeZone())));
}

TimeZone TimeZone::utc() {
    return TimeZone(std::shared_ptr<const Impl>(makeImpl(icu::TimeZone::getGMT()->clone())));
}

std::optional<TimeZone> TimeZone::named(std::string_view identifier) {
    std::unique_ptr<icu::TimeZone> zone(icu::TimeZone::createTimeZone(toUnicode(identifier)));
    if (!zone || *zone == icu::TimeZone::getUnknown()) return std::nullopt;
    return TimeZone(std::shared_ptr<const Impl>(makeImpl(zone.release())));
}

std::string TimeZone::identifier() const {
    icu::UnicodeString id;
    return toUtf8(impl_->zone->getID(id));
}

int TimeZone::secondsFromGMT(Date date) const {
    std::int32_t rawOffset = 0, dstOffset = 0;
    UErrorCode status = U_ZERO_ERROR;
    impl_->zone->getOffset(toIcuDate(date), false, rawOffset, dstOffset, status);
    return U_SUCCESS(status) ? (rawOffset + dstOffset) / 1000 : 0;
}

}  // namespace base
