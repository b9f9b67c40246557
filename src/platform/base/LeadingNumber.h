#pragma once

#include <cstdint>
#include <string_view>

namespace base {

// Reads the number a text starts with, the way stored settings written as text are read:
// leading white space is skipped, an optional sign and the digits that follow are read, and
// whatever comes after them is ignored. A text with no digits there reads as 0.
class LeadingNumber {
public:
    // Decimal digits; a value beyond the type's range saturates at its minimum or maximum.
    static std::int64_t integer64(std::string_view text);
    static std::int32_t integer32(std::string_view text);
    // A decimal number with optional fraction and exponent ("-1.5e3"), read the same in
    // every locale; too large a magnitude reads as an infinity.
    static double real(std::string_view text);
    // True when, after white space, an optional sign and leading zeros, the text begins
    // with "Y", "y", "T", "t" or a digit 1 to 9.
    static bool boolean(std::string_view text);
};

}  // namespace base
