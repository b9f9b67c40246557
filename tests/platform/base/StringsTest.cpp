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
    EXPECT_EQ(firstComposedCharacter(kFamily + "x"), kFamily);
    EXPECT_EQ(firstComposedCharacter("e\u0301tude"), "e\u0301");
    EXPECT_EQ(firstComposedCharacter("\U0001F1E9\U0001F1EA\U0001F1EB\U0001F1F7"), "\U0001F1E9\U0001F1EA");
    EXPECT_EQ(firstComposedCharacter("\U0001F44D\U0001F3FD!"), "\U0001F44D\U0001F3FD");  // skin tone
    EXPECT_EQ(firstComposedCharacter("\r\nx"), "\r\n");
    EXPECT_EQ(firstComposedCharacter("\u1100\u1161\u11A8x"), "\u1100\u1161\u11A8");  // Hangul jamo
    EXPECT_EQ(firstComposedCharacter("A"), "A");
    EXPECT_EQ(firstComposedCharacter(""), "");
    EXPECT_EQ(firstComposedCharacter("\xFF\xFE"), kReplacement);
}

TEST(Strings, Utf16LengthCountsSurrogatePairs) {
    EXPECT_EQ(utf16Length(""), 0u);
    EXPECT_EQ(utf16Length("aé€"), 3u);
    EXPECT_EQ(utf16Length("\U0001F600"), 2u);
    EXPECT_EQ(utf16Length(kFamily), 8u);
    EXPECT_EQ(utf16Length("e\u0301"), 2u);
    EXPECT_EQ(utf16Length("\xF0\x9F"), 1u);      // a truncated sequence is one replacement character
    EXPECT_EQ(utf16Length("\xC0\xAF"), 2u);      // an overlong form is two
    EXPECT_EQ(utf16Length("\xED\xA0\x80"), 3u);  // an encoded surrogate is not a character
    EXPECT_EQ(sanitized(std::string("a\0b\x80", 4)), std::string("a\0b\uFFFD", 6));
}

}  // namespace
