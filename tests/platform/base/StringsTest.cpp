#include <gtest/gtest.h>

#include "base/Strings.h"

namespace {

using namespace base::strings;
using base::Locale;

const std::string kFamily = "\U0001F468\u200D\U0001F469\u200D\U0001F467";  // man ZWJ woman ZWJ girl
const std::string kReplacement = "\uFFFD";

TEST(Strings, TrimsUnicodeWhiteSpaceAndLineBreaks) {
    EXPECT_EQ(trimmed(" \t\n\u00A0\u2028\u3000 hello  world \r\u0085\u2029"), "hello  world");
    EXPECT_EQ(trimmed("\u200Bx\u200B"), "\u200Bx\u200B");  // zero-width space is a format character
    EXPECT_EQ(trimmed(" \n\t "), "");
    EXPECT_EQ(trimmed(""), "");
    EXPECT_EQ(trimmed(" \xFFok\xC3 "), kReplacement + "ok" + kReplacement);
}

TEST(Strings, CaseMappingIsFullAndLocaleAware) {
    EXPECT_EQ(uppercased("straße ǆ"), "STRASSE Ǆ");
    EXPECT_EQ(lowercased("ΣΟΦΟΣ"), "σοφος");  // final sigma
    EXPECT_EQ(uppercased("istanbul"), "ISTANBUL");
    EXPECT_EQ(localizedUppercased("istanbul", Locale("tr_TR")), "İSTANBUL");
    EXPECT_EQ(localizedLowercased("ISPARTA", Locale("tr_TR")), "ısparta");
    EXPECT_EQ(localizedLowercased("ISPARTA", Locale("en_US")), "isparta");
    EXPECT_EQ(uppercased("a\xFF"), "A" + kReplacement);
}

TEST(Strings, CaseInsensitiveCompareFoldsFully) {
    EXPECT_EQ(caseInsensitiveCompare("Apple", "aPPLE"), std::weak_ordering::equivalent);
    EXPECT_EQ(caseInsensitiveCompare("apple", "Banana"), std::weak_ordering::less);
    EXPECT_EQ(caseInsensitiveCompare("app", "Apple"), std::weak_ordering::less);
    EXPECT_EQ(caseInsensitiveCompare("[", "a"), std::weak_ordering::less);  // after folding, not before
    EXPECT_EQ(caseInsensitiveCompare("Straße", "STRASSE"), std::weak_ordering::equivalent);
    EXPECT_EQ(caseInsensitiveCompare("Éclair", "éCLAIR"), std::weak_ordering::equivalent);
    EXPECT_EQ(caseInsensitiveCompare("Éclair", "Eclair"), std::weak_ordering::greater);
    EXPECT_EQ(caseInsensitiveCompare("\U0001F600", "\uFFFF"),
              std::weak_ordering::greater);  // code point order
}

TEST(Strings, LocalizedCompareFollowsTheLocalesCollation) {
    const Locale german("de_DE"), swedish("sv_SE");
    EXPECT_EQ(localizedCaseInsensitiveCompare("Äpfel", "zebra", german), std::weak_ordering::less);
    EXPECT_EQ(localizedCaseInsensitiveCompare("Äpfel", "zebra", swedish), std::weak_ordering::greater);
    EXPECT_EQ(localizedCaseInsensitiveCompare("éclair", "Fig", german), std::weak_ordering::less);
    EXPECT_EQ(localizedCaseInsensitiveCompare("STICKER.png", "sticker.PNG", german),
              std::weak_ordering::equivalent);
    EXPECT_NE(localizedCaseInsensitiveCompare("resume", "résumé", german), std::weak_ordering::equivalent);
    EXPECT_EQ(localizedCaseInsensitiveCompare("a\xFF", "A\xFE", german), std::weak_ordering::equivalent);
}

TEST(Strings, FindsCaseInsensitivelyOnWholeCharacters) {
    EXPECT_EQ(findCaseInsensitive("Hello World", "WORLD"), (ByteRange{6, 5}));
    EXPECT_EQ(findCaseInsensitive("Die Straße", "STRASSE"), (ByteRange{4, 7}));
    EXPECT_EQ(findCaseInsensitive("Straße", "ss"), (ByteRange{4, 2}));
    EXPECT_FALSE(findCaseInsensitive("Straße", "s e"));
    EXPECT_FALSE(findCaseInsensitive("ß", "s"));  // half of a folded character is no match
    EXPECT_EQ(findCaseInsensitive("ÉCOLE école", "école"), (ByteRange{0, 6}));
    EXPECT_EQ(findCaseInsensitive("\u212Aelvin", "kel"), (ByteRange{0, 5}));  // Kelvin sign folds to k
    EXPECT_EQ(findCaseInsensitive(kFamily + "Photos", "PHOTOS"), (ByteRange{kFamily.size(), 6}));
    EXPECT_EQ(findCaseInsensitive("\xFF"
                                  "abc",
                                  "ABC"),
              (ByteRange{1, 3}));
    EXPECT_FALSE(findCaseInsensitive("abc", ""));
    EXPECT_FALSE(findCaseInsensitive("", "a"));
    EXPECT_FALSE(findCaseInsensitive("ab", "abc"));
    EXPECT_TRUE(containsCaseInsensitive("+49 30 1234", "+"));
}

TEST(Strings, FirstComposedCharacterKeepsGraphemeClustersWhole) {
    // Family, combining accent, flags, skin tone, CR LF, Hangul jamo, and ill-formed bytes.
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {kFamily + "x", kFamily}, {"e\u0301tude", "e\u0301"},
        {"\U0001F1E9\U0001F1EA\U0001F1EB\U0001F1F7", "\U0001F1E9\U0001F1EA"},
        {"\U0001F44D\U0001F3FD!", "\U0001F44D\U0001F3FD"}, {"\r\nx", "\r\n"},
        {"\u1100\u1161\u11A8x", "\u1100\u1161\u11A8"}, {"A", "A"}, {"", ""}, {"\xFF\xFE", kReplacement}};
    // clang-format on
    for (const auto& [text, first] : cases) EXPECT_EQ(firstComposedCharacter(text), first) << text;
}

TEST(Strings, Utf16LengthCountsSurrogatePairs) {
    // A truncated sequence is one replacement character, an overlong form two, and an encoded
    // surrogate is not a character.
    // clang-format off
    const std::pair<std::string, std::size_t> cases[] = {
        {"", 0}, {"aé€", 3}, {"\U0001F600", 2}, {kFamily, 8}, {"e\u0301", 2}, {"\xF0\x9F", 1},
        {"\xC0\xAF", 2}, {"\xED\xA0\x80", 3}};
    // clang-format on
    for (const auto& [text, length] : cases) EXPECT_EQ(utf16Length(text), length) << text;
    EXPECT_EQ(sanitized(std::string("a\0b\x80", 4)), std::string("a\0b\uFFFD", 6));
}

}  // namespace
