#include "base/LikePattern.h"

#include <cstddef>
#include <vector>

#include "base/Utf8.h"

namespace base {

namespace {

// The text cut into characters, so "?" takes a whole code point.
std::vector<std::string_view> characters(std::string_view text) {
    std::vector<std::string_view> out;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t length = Utf8::sequenceLength(text, at);
        if (length == 0) length = 1;
        out.push_back(text.substr(at, length));
        at += length;
    }
    return out;
}

struct PatternElement {
    enum class Kind { Literal, AnyOne, AnyRun } kind;
    std::string_view character;
};

std::vector<PatternElement> compile(std::string_view pattern) {
    auto chars = characters(pattern);
    std::vector<PatternElement> out;
    for (std::size_t i = 0; i < chars.size(); ++i) {
        if (chars[i] == "\\") {
            // A trailing backslash escapes nothing and can match nothing.
            if (i + 1 == chars.size()) return {{PatternElement::Kind::Literal, {}}};
            out.push_back({PatternElement::Kind::Literal, chars[++i]});
        } else if (chars[i] == "*") {
            out.push_back({PatternElement::Kind::AnyRun, {}});
        } else if (chars[i] == "?") {
            out.push_back({PatternElement::Kind::AnyOne, {}});
        } else {
            out.push_back({PatternElement::Kind::Literal, chars[i]});
        }
    }
    return out;
}

}  // namespace

// The greedy wildcard walk with one back-track point (the last "*"): linear in practice and
// never worse than text length times pattern length, so hostile patterns cannot hang it.
bool LikePattern::matches(std::string_view text, std::string_view pattern) {
    // Without wildcards or escapes every character is a literal, so the match is equality.
    if (pattern.find_first_of("*?\\") == std::string_view::npos) return text == pattern;
    const auto chars = characters(text);
    const auto elements = compile(pattern);
    std::size_t t = 0, p = 0;
    std::size_t starP = elements.size(), starT = 0;
    while (t < chars.size()) {
        if (p < elements.size() && elements[p].kind == PatternElement::Kind::AnyRun) {
            starP = p++;
            starT = t;
        } else if (p < elements.size() &&
                   (elements[p].kind == PatternElement::Kind::AnyOne ||
                    (!elements[p].character.empty() && elements[p].character == chars[t]))) {
            ++p;
            ++t;
        } else if (starP != elements.size()) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < elements.size() && elements[p].kind == PatternElement::Kind::AnyRun) ++p;
    return p == elements.size();
}

}  // namespace base
