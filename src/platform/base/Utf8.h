#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace base {

// UTF-8 checks for text that comes from files or callers.
class Utf8 {
public:
    static bool isValid(std::string_view text);
    // `text` with each byte that does not belong to a well-formed sequence replaced by
    // U+FFFD (overlong forms, surrogates and code points above U+10FFFF are ill-formed).
    static std::string repaired(std::string_view text);
    // The length of the well-formed sequence starting at `text[at]`, or 0.
    static std::size_t sequenceLength(std::string_view text, std::size_t at);
};

}  // namespace base
