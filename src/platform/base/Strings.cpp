#include "base/Strings.h"

#include <unicode/brkiter.h>
#include <unicode/coll.h>
#include <unicode/uchar.h>
#include <unicode/ustring.h>
#include <unicode/utext.h>
#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "base/IcuSupport.h"
#include "base/Utf8.h"

namespace base::strings {
namespace {

constexpr UChar32 kReplacementCharacter = 0xFFFD;

// Calls visit(codePoint, byteOffset, byteLength) for each character, ill-formed sequences as U+FFFD.
template <typename Visit>
void forEachCodePoint(std::string_view text, Visit&& visit) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const auto length = std::int32_t(text.size());
    std::int32_t index = 0;
    while (index < length) {
        const std::int32_t start = index;
        UChar32 c;
        U8_NEXT(bytes, index, length, c);
        visit(c < 0 ? kReplacementCharacter : c, std::size_t(start), std::size_t(index - start));
    }
}

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? char(c + 0x20) : c; }

bool isWhiteSpaceOrNewline(UChar32 c) {
    if ((c >= 0x09 && c <= 0x0D) || c == 0x85) return true;
    const auto type = u_charType(c);
    return type == U_SPACE_SEPARATOR || type == U_LINE_SEPARATOR || type == U_PARAGRAPH_SEPARATOR;
}

std::weak_ordering toOrdering(int comparison) {
    if (comparison < 0) return std::weak_ordering::less;
    if (comparison > 0) return std::weak_ordering::greater;
    return std::weak_ordering::equivalent;
}

// Full case folding of one code point, appended to `out`; returns how many code points it added.
std::size_t appendFolded(UChar32 c, std::u32string& out) {
    if (c < 0x80) {
        out += char32_t(asciiLower(char(c)));
        return 1;
    }
    UChar source[2];
    std::int32_t sourceLength = 0;
    U16_APPEND_UNSAFE(source, sourceLength, c);
    UChar folded[8];
    UErrorCode status = U_ZERO_ERROR;
    const auto foldedLength = u_strFoldCase(folded, 8, source, sourceLength, U_FOLD_CASE_DEFAULT, &status);
    if (U_FAILURE(status)) {
        out += char32_t(c);
        return 1;
    }
    std::size_t added = 0;
    for (std::int32_t i = 0; i < foldedLength;) {
        UChar32 unit;
        U16_NEXT(folded, i, foldedLength, unit);
        out += char32_t(unit);
        ++added;
    }
    return added;
}

std::optional<ByteRange> findAsciiCaseInsensitive(std::string_view haystack, std::string_view needle) {
    auto match = std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end(),
                             [](char a, char b) { return asciiLower(a) == asciiLower(b); });
    if (match == haystack.end()) return std::nullopt;
    return ByteRange{std::size_t(match - haystack.begin()), needle.size()};
}

std::shared_ptr<const icu::Collator> caseInsensitiveCollator(const Locale& locale) {
    static std::mutex mutex;
    static std::map<std::string, std::shared_ptr<const icu::Collator>, std::less<>> collators;
    std::lock_guard lock(mutex);
    auto& collator = collators[locale.identifier()];
    if (!collator) {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Collator> made(
            icu::Collator::createInstance(icu::Locale::createFromName(locale.identifier().c_str()), status));
        if (U_FAILURE(status) || !made) return nullptr;
        made->setStrength(icu::Collator::SECONDARY);  // accents count, case does not
        collator = std::move(made);
    }
    return collator;
}

}  // namespace

std::string sanitized(std::string_view text) {
    if (Utf8::isValid(text)) return std::string(text);
    std::string result;
    result.reserve(text.size() + 8);
    forEachCodePoint(text, [&](UChar32 c, std::size_t, std::size_t) {
        char buffer[U8_MAX_LENGTH];
        std::int32_t length = 0;
        U8_APPEND_UNSAFE(buffer, length, c);
        result.append(buffer, std::size_t(length));
    });
    return result;
}

std::string trimmed(std::string_view text) {
    std::size_t begin = text.size(), end = 0;
    forEachCodePoint(text, [&](UChar32 c, std::size_t offset, std::size_t length) {
        if (isWhiteSpaceOrNewline(c)) return;
        begin = std::min(begin, offset);
        end = offset + length;
    });
    return begin < end ? sanitized(text.substr(begin, end - begin)) : std::string();
}

std::string uppercased(std::string_view text) {
    return toUtf8(toUnicode(text).toUpper(icu::Locale::getRoot()));
}

std::string lowercased(std::string_view text) {
    return toUtf8(toUnicode(text).toLower(icu::Locale::getRoot()));
}

std::string localizedUppercased(std::string_view text, const Locale& locale) {
    return toUtf8(toUnicode(text).toUpper(icu::Locale::createFromName(locale.identifier().c_str())));
}

std::string localizedLowercased(std::string_view text, const Locale& locale) {
    return toUtf8(toUnicode(text).toLower(icu::Locale::createFromName(locale.identifier().c_str())));
}

std::weak_ordering caseInsensitiveCompare(std::string_view a, std::string_view b) {
    if (isAscii(a) && isAscii(b)) {
        const auto common = std::min(a.size(), b.size());
        for (std::size_t i = 0; i < common; ++i) {
            const char left = asciiLower(a[i]), right = asciiLower(b[i]);
            if (left != right) return left < right ? std::weak_ordering::less : std::weak_ordering::greater;
        }
        return a.size() <=> b.size();
    }
    return toOrdering(
        toUnicode(a).caseCompare(toUnicode(b), U_FOLD_CASE_DEFAULT | U_COMPARE_CODE_POINT_ORDER));
}

std::weak_ordering localizedCaseInsensitiveCompare(std::string_view a, std::string_view b,
                                                   const Locale& locale) {
    auto collator = caseInsensitiveCollator(locale);
    if (!collator) return caseInsensitiveCompare(a, b);
    UErrorCode status = U_ZERO_ERROR;
    const auto result = collator->compareUTF8(icu::StringPiece(a.data(), std::int32_t(a.size())),
                                              icu::StringPiece(b.data(), std::int32_t(b.size())), status);
    if (U_FAILURE(status)) return caseInsensitiveCompare(a, b);
    return toOrdering(result);
}

std::optional<ByteRange> findCaseInsensitive(std::string_view haystack, std::string_view needle) {
    if (needle.empty()) return std::nullopt;
    if (isAscii(haystack) && isAscii(needle)) return findAsciiCaseInsensitive(haystack, needle);

    std::u32string foldedNeedle;
    forEachCodePoint(needle, [&](UChar32 c, std::size_t, std::size_t) { appendFolded(c, foldedNeedle); });

    // Fold the haystack character by character, remembering where in the original each
    // folded code point came from, so that a match maps back onto whole characters.
    std::u32string folded;
    std::vector<std::size_t> sourceOffset;  // per folded code point
    std::vector<bool> startsCharacter;      // the first code point of its character's folding
    forEachCodePoint(haystack, [&](UChar32 c, std::size_t offset, std::size_t) {
        const auto added = appendFolded(c, folded);
        for (std::size_t i = 0; i < added; ++i) {
            sourceOffset.push_back(offset);
            startsCharacter.push_back(i == 0);
        }
    });

    const std::u32string_view view(folded);
    for (auto at = view.find(foldedNeedle); at != std::u32string_view::npos;
         at = view.find(foldedNeedle, at + 1)) {
        const auto end = at + foldedNeedle.size();
        const bool endsOnCharacter = end == folded.size() || startsCharacter[end];
        if (!startsCharacter[at] || !endsOnCharacter) continue;
        const auto endOffset = end == folded.size() ? haystack.size() : sourceOffset[end];
        return ByteRange{sourceOffset[at], endOffset - sourceOffset[at]};
    }
    return std::nullopt;
}

std::string firstComposedCharacter(std::string_view text) {
    if (text.empty()) return {};
    std::string valid = sanitized(text);

    thread_local std::unique_ptr<icu::BreakIterator> characters;
    UErrorCode status = U_ZERO_ERROR;
    if (!characters)
        characters.reset(icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    if (U_FAILURE(status) || !characters) {  // no break rules: fall back to the first code point
        characters.reset();
        std::int32_t end = 0;
        U8_FWD_1(valid.data(), end, std::int32_t(valid.size()));
        return valid.substr(0, std::size_t(end));
    }
    UText utext = UTEXT_INITIALIZER;
    utext_openUTF8(&utext, valid.data(), std::int64_t(valid.size()), &status);
    characters->setText(&utext, status);
    const auto end = U_SUCCESS(status) ? characters->following(0) : icu::BreakIterator::DONE;
    utext_close(&utext);
    if (end == icu::BreakIterator::DONE || end <= 0) return valid;
    return valid.substr(0, std::size_t(end));
}

std::vector<std::size_t> composedCharacterBoundaries(std::string_view text) {
    std::vector<std::size_t> boundaries{0};
    if (text.empty()) return boundaries;
    thread_local std::unique_ptr<icu::BreakIterator> characters;
    UErrorCode status = U_ZERO_ERROR;
    if (!characters)
        characters.reset(icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    if (U_FAILURE(status) || !characters) {  // no break rules: one code point at a time
        characters.reset();
        forEachCodePoint(
            text, [&](UChar32, std::size_t at, std::size_t length) { boundaries.push_back(at + length); });
        return boundaries;
    }
    UText utext = UTEXT_INITIALIZER;
    utext_openUTF8(&utext, text.data(), std::int64_t(text.size()), &status);
    characters->setText(&utext, status);
    if (U_SUCCESS(status)) {
        for (auto end = characters->following(0); end != icu::BreakIterator::DONE; end = characters->next())
            if (std::size_t(end) <= text.size()) boundaries.push_back(std::size_t(end));
    }
    utext_close(&utext);
    if (boundaries.back() != text.size()) boundaries.push_back(text.size());
    return boundaries;
}

ByteRange wordAt(std::string_view text, std::size_t offset) {
    if (text.empty()) return {};
    offset = std::min(offset, text.size() - 1);
    thread_local std::unique_ptr<icu::BreakIterator> words;
    UErrorCode status = U_ZERO_ERROR;
    if (!words) words.reset(icu::BreakIterator::createWordInstance(icu::Locale::getRoot(), status));
    if (U_FAILURE(status) || !words) {
        words.reset();
        return {offset, 0};
    }
    UText utext = UTEXT_INITIALIZER;
    utext_openUTF8(&utext, text.data(), std::int64_t(text.size()), &status);
    words->setText(&utext, status);
    ByteRange range{offset, 0};
    if (U_SUCCESS(status)) {
        // The boundary after the offset, then the one before that: the segment holding it.
        std::int32_t end = words->following(std::int32_t(offset));
        std::int32_t start = end == icu::BreakIterator::DONE ? icu::BreakIterator::DONE : words->previous();
        if (start != icu::BreakIterator::DONE && start >= 0 && end > start)
            range = {std::size_t(start),
                     std::size_t(std::min<std::int32_t>(end, std::int32_t(text.size())) - start)};
    }
    utext_close(&utext);
    return range;
}

std::size_t utf16Length(std::string_view text) {
    std::size_t length = 0;
    forEachCodePoint(text, [&](UChar32 c, std::size_t, std::size_t) { length += U16_LENGTH(c); });
    return length;
}

}  // namespace base::strings
