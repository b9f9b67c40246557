#pragma once

// ICU glue shared by the text and date classes; included by .cpp files only, so that ICU's
// headers stay out of the public ones.
#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include <memory>
#include <string>
#include <string_view>

#include "base/TimeZone.h"

namespace base {

struct TimeZone::Impl {
    std::unique_ptr<const icu::TimeZone> zone;
};

// Ill-formed UTF-8 sequences become U+FFFD, one per maximal ill-formed subpart.
inline icu::UnicodeString toUnicode(std::string_view utf8) {
    return icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), std::int32_t(utf8.size())));
}

inline std::string toUtf8(const icu::UnicodeString& text) {
    std::string utf8;
    text.toUTF8String(utf8);
    return utf8;
}

// ICU dates are milliseconds since 1970.
inline double toIcuDate(Date date) { return date.unixTime() * 1000.0; }

}  // namespace base
