#pragma once

#include <string_view>

namespace base {

// The "LIKE" match of predicates: "*" stands for any run of characters (none included), "?"
// for exactly one character, and a backslash makes the character after it literal. Characters
// are Unicode code points and compare exactly (case-sensitive, no normalisation). Ill-formed
// UTF-8 bytes count as one character each. The whole text must match the whole pattern.
class LikePattern {
public:
    static bool matches(std::string_view text, std::string_view pattern);
};

}  // namespace base
