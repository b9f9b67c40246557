#pragma once

#include <compare>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Locale.h"

// Text helpers on UTF-8 strings, through ICU.
//
// Ill-formed UTF-8 never fails: each maximal ill-formed subsequence is read as one U+FFFD
// REPLACEMENT CHARACTER, so every string returned here is well-formed UTF-8 and every
// length or comparison treats such a sequence as that one character.
namespace base::strings {

// Well-formed UTF-8 with every ill-formed sequence replaced by U+FFFD (Utf8::isValid tells
// whether there is any).
std::string sanitized(std::string_view text);

// Without the white space and line breaks at either end: space separators (Zs), line and
// paragraph separators, U+0009 to U+000D and U+0085.
std::string trimmed(std::string_view text);

// Full Unicode case mapping ("ß" → "SS"), the same in every locale.
std::string uppercased(std::string_view text);
std::string lowercased(std::string_view text);
// Case mapping with the locale's rules (Turkish "i" → "İ", Lithuanian accents, …).
std::string localizedUppercased(std::string_view text, const Locale& locale);
std::string localizedLowercased(std::string_view text, const Locale& locale);

// Code-point order after full case folding, the same in every locale.
std::weak_ordering caseInsensitiveCompare(std::string_view a, std::string_view b);
// The locale's collation order, ignoring case but not accents. Collators are built once per
// locale and shared.
std::weak_ordering localizedCaseInsensitiveCompare(std::string_view a, std::string_view b,
                                                   const Locale& locale);
inline std::weak_ordering localizedCaseInsensitiveCompare(std::string_view a, std::string_view b) {
    return localizedCaseInsensitiveCompare(a, b, Locale::current(Locale::Category::Collation));
}

// Where a match lies in the searched string, in bytes.
struct ByteRange {
    std::size_t offset = 0;
    std::size_t length = 0;
    bool operator==(const ByteRange&) const = default;
};
// The first occurrence of `needle` in `haystack` after full case folding of both, as a range
// of whole characters of `haystack` ("STRASSE" is found in "Straße"). No normalisation: a
// precomposed "é" does not match "e" + U+0301. An empty needle is never found.
std::optional<ByteRange> findCaseInsensitive(std::string_view haystack, std::string_view needle);
inline bool containsCaseInsensitive(std::string_view haystack, std::string_view needle) {
    return findCaseInsensitive(haystack, needle).has_value();
}

// The first user-perceived character (extended grapheme cluster): "e" + U+0301 stays whole,
// as does a ZWJ emoji sequence or a flag. Empty for empty text.
std::string firstComposedCharacter(std::string_view text);

// The byte offsets where the user-perceived characters of well-formed UTF-8 `text` begin,
// followed by `text.size()`: {0} for empty text. Text editors move and delete by these.
std::vector<std::size_t> composedCharacterBoundaries(std::string_view text);

// The word that holds byte `offset` of well-formed UTF-8 `text`, as the word-break rules
// segment text: a word, a number, or a run of spaces or a punctuation mark between them. An
// offset at the end of the text means the segment before it. Empty for empty text.
ByteRange wordAt(std::string_view text, std::size_t offset);

// The length in UTF-16 code units: characters outside the Basic Multilingual Plane count two.
std::size_t utf16Length(std::string_view text);

}  // namespace base::strings
