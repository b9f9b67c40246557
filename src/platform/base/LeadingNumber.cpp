#include "base/LeadingNumber.h"

#include <locale.h>

#include <clocale>
#include <cstdlib>
#include <limits>
#include <string>

namespace base {
namespace {

// ASCII white space: space, tab, line feed, vertical tab, form feed, carriage return.
bool isSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view skipSpace(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && isSpace(text[start])) ++start;
    return text.substr(start);
}

// Removes an optional "+" or "-" and tells whether it was "-".
bool takeSign(std::string_view& text) {
    if (text.empty() || (text.front() != '+' && text.front() != '-')) return false;
    bool negative = text.front() == '-';
    text.remove_prefix(1);
    return negative;
}

std::size_t countDigits(std::string_view text, std::size_t from) {
    std::size_t end = from;
    while (end < text.size() && isDigit(text[end])) ++end;
    return end - from;
}

// The length of the decimal number at the start of `text` (sign already taken): digits,
// an optional fraction, and an exponent only when digits follow its "e". 0 when there is
// no digit in the mantissa.
std::size_t decimalNumberLength(std::string_view text) {
    std::size_t integerDigits = countDigits(text, 0);
    std::size_t end = integerDigits;
    std::size_t fractionDigits = 0;
    if (end < text.size() && text[end] == '.') {
        fractionDigits = countDigits(text, end + 1);
        if (integerDigits > 0 || fractionDigits > 0) end += 1 + fractionDigits;
    }
    if (integerDigits == 0 && fractionDigits == 0) return 0;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
        std::size_t exponentDigits = countDigits(text, exponent);
        if (exponentDigits > 0) end = exponent + exponentDigits;
    }
    return end;
}

locale_t cLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return locale;
}

}  // namespace

std::int64_t LeadingNumber::integer64(std::string_view text) {
    text = skipSpace(text);
    const bool negative = takeSign(text);
    // The magnitude may reach 2^63 only for a negative number.
    const std::uint64_t limit = std::uint64_t(std::numeric_limits<std::int64_t>::max()) + (negative ? 1 : 0);
    std::uint64_t magnitude = 0;
    for (char c : text) {
        if (!isDigit(c)) break;
        const unsigned digit = unsigned(c - '0');
        if (magnitude > (limit - digit) / 10) {
            return negative ? std::numeric_limits<std::int64_t>::min()
                            : std::numeric_limits<std::int64_t>::max();
        }
        magnitude = magnitude * 10 + digit;
    }
    if (!negative) return std::int64_t(magnitude);
    return magnitude == limit ? std::numeric_limits<std::int64_t>::min() : -std::int64_t(magnitude);
}

std::int32_t LeadingNumber::integer32(std::string_view text) {
    const std::int64_t wide = integer64(text);
    if (wide > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    if (wide < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    return std::int32_t(wide);
}

double LeadingNumber::real(std::string_view text) {
    text = skipSpace(text);
    const bool negative = takeSign(text);
    const std::size_t length = decimalNumberLength(text);
    if (length == 0) return 0;
    // The extent is plain decimal, so strtod sees no hexadecimal, "inf" or "nan" forms; the
    // C locale keeps "." the decimal separator whatever the process locale says.
    const std::string number(text.substr(0, length));
    const double magnitude = strtod_l(number.c_str(), nullptr, cLocale());
    return negative ? -magnitude : magnitude;
}

bool LeadingNumber::boolean(std::string_view text) {
    text = skipSpace(text);
    takeSign(text);
    std::size_t start = 0;
    while (start < text.size() && text[start] == '0') ++start;
    if (start == text.size()) return false;
    const char first = text[start];
    return first == 'Y' || first == 'y' || first == 'T' || first == 't' || (first >= '1' && first <= '9');
}

}  // namespace base
