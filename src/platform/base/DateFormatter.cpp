#include "base/DateFormatter.h"

#include <unicode/smpdtfmt.h>

#include <cmath>

#include "base/IcuSupport.h"

namespace base {

struct DateFormatter::Cache {
    std::unique_ptr<icu::SimpleDateFormat> format;  // empty when ICU rejected the settings
};

DateFormatter::DateFormatter(std::string pattern)
    : DateFormatter(std::move(pattern), Locale::current(Locale::Category::Time), TimeZone::local()) {}

DateFormatter::DateFormatter(std::string pattern, Locale locale, TimeZone timeZone)
    : pattern_(std::move(pattern)), locale_(std::move(locale)), timeZone_(std::move(timeZone)) {}

DateFormatter::DateFormatter(const DateFormatter& other)
    : pattern_(other.pattern_), locale_(other.locale_), timeZone_(other.timeZone_) {}

DateFormatter& DateFormatter::operator=(const DateFormatter& other) {
    if (this != &other) *this = DateFormatter(other);
    return *this;
}

DateFormatter::DateFormatter(DateFormatter&& other) noexcept
    : pattern_(std::move(other.pattern_)),
      locale_(std::move(other.locale_)),
      timeZone_(std::move(other.timeZone_)),
      cache_(std::move(other.cache_)) {}

DateFormatter& DateFormatter::operator=(DateFormatter&& other) noexcept {
    pattern_ = std::move(other.pattern_);
    locale_ = std::move(other.locale_);
    timeZone_ = std::move(other.timeZone_);
    cache_ = std::move(other.cache_);
    return *this;
}
DateFormatter::~DateFormatter() = default;

void DateFormatter::setDateFormat(std::string pattern) {
    pattern_ = std::move(pattern);
    cache_.reset();
}

void DateFormatter::setLocale(Locale locale) {
    locale_ = std::move(locale);
    cache_.reset();
}

void DateFormatter::setTimeZone(TimeZone timeZone) {
    timeZone_ = std::move(timeZone);
    cache_.reset();
}

std::string DateFormatter::stringFromDate(Date date) const {
    if (!std::isfinite(date.timeIntervalSinceReferenceDate())) return {};
    std::lock_guard lock(cacheMutex_);
    if (!cache_) {
        cache_ = std::make_unique<Cache>();
        UErrorCode status = U_ZERO_ERROR;
        auto format = std::make_unique<icu::SimpleDateFormat>(
            toUnicode(pattern_), icu::Locale::createFromName(locale_.identifier().c_str()), status);
        if (U_FAILURE(status)) return {};
        format->setTimeZone(*timeZone_.impl().zone);
        cache_->format = std::move(format);
    }
    if (!cache_->format) return {};
    icu::UnicodeString text;
    cache_->format->format(toIcuDate(date), text);
    return toUtf8(text);
}

}  // namespace base
