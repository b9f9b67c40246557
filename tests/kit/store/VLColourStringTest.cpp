#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "store/VLColourString.h"

namespace {

const gfx::Color kOrange(1.0, 128.0f / 255.0f, 0.0, 1.0);

// Dynamic colours are equal when they resolve alike in both appearances.
bool sameColour(const gfx::Color& a, const gfx::Color& b) {
    return a.isApproximately(b, 1e-9, gfx::TraitCollection::light()) &&
           a.isApproximately(b, 1e-9, gfx::TraitCollection::dark());
}

TEST(VLColourString, HexadecimalFormsDecodeToOneColour) {
    for (const char* text : {"ff8000", "FF8000", " FF8000\n", "0xff8000", "0XFF8000", "\t0xFf8000 \r\n",
                             "\xc2\xa0"
                             "FF8000\xe2\x80\xa8"}) {
        EXPECT_EQ(VLColourString::colorWithHexString(text), kOrange) << text;
    }
    EXPECT_EQ(VLColourString::colorWithHexString("000000"), gfx::Color(0, 0, 0, 1));
    EXPECT_EQ(VLColourString::colorWithHexString("FFFFFF"), gfx::Color(1, 1, 1, 1));
}

TEST(VLColourString, EverythingElseIsGrey) {
    for (const char* text : {"#FF8000", "FF800", "FF80000", "0XFF80", "", "      ", "red", "GG0000", "FF 000",
                             "\xff\xfe\xfd\xfc\xfb\xfa", "0x0xFF8000"}) {
        EXPECT_EQ(VLColourString::colorWithHexString(text), gfx::Color::gray()) << text;
        EXPECT_FALSE(VLColourString::parseHexString(text)) << text;
    }
}

TEST(VLColourString, APairIsReadByItsLeadingHexadecimalDigits) {
    // "FZ" reads as F (15); the pair "0X" of "0X0X0000" reads as 0 once the prefix is gone.
    EXPECT_EQ(VLColourString::colorWithHexString("FZ0000"), gfx::Color(15.0f / 255.0f, 0, 0, 1));
    EXPECT_EQ(VLColourString::colorWithHexString("0X0X0000"), gfx::Color(0, 0, 0, 1));
    // Six characters as the platform counts them: one non-ASCII character is one.
    EXPECT_EQ(VLColourString::colorWithHexString("F\xe2\x82\xac"
                                                 "FF00"),
              gfx::Color(15.0f / 255.0f, 1, 0, 1));
}

TEST(VLColourString, ListDecoderKnowsTheColourWordsExactly) {
    EXPECT_TRUE(sameColour(VLColourString::colorWithListString("red"), gfx::Color::systemRed()));
    EXPECT_TRUE(sameColour(VLColourString::colorWithListString("teal"), gfx::Color::systemTeal()));
    EXPECT_TRUE(sameColour(VLColourString::colorWithListString("pink"), gfx::Color::systemPink()));
    EXPECT_TRUE(sameColour(VLColourString::colorWithListString("default"), gfx::Color::label()));
    EXPECT_TRUE(sameColour(VLColourString::colorWithListString("tertiary"), gfx::Color::tertiaryLabel()));
    EXPECT_EQ(VLColourString::colorWithListString("Red"), gfx::Color::gray());
    EXPECT_EQ(VLColourString::colorWithListString(" red"), gfx::Color::gray());
    EXPECT_EQ(VLColourString::colorWithListString(" ff8000 "), kOrange);
}

TEST(VLColourString, EncoderRoundsHalvesUpAndRoundTripsEveryByte) {
    EXPECT_EQ(VLColourString::hexStringFromColor(gfx::Color(1, 0.5, 0, 1)), "FF8000");  // 127.5 -> 128
    EXPECT_EQ(VLColourString::hexStringFromColor(gfx::Color(0, 0, 0, 0)), "000000");
    for (int value = 0; value < 256; ++value) {
        char text[8];
        std::snprintf(text, sizeof text, "%02X%02X%02X", value, 255 - value, value / 2);
        EXPECT_EQ(VLColourString::hexStringFromColor(VLColourString::colorWithHexString(text)), text);
    }
}

TEST(VLColourString, OutOfRangeColoursAreClampedToDecodableStrings) {
    double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(VLColourString::hexStringFromColor(gfx::Color(-0.3, 1.7, nan, 2)), "00FF00");
    EXPECT_EQ(VLColourString::hexStringFromColor(gfx::Color(1e300, -1e300, 0.999, 1)), "FF00FF");
    auto dynamic = gfx::Color::dynamic(gfx::Color(1, 0, 0, 1), gfx::Color(0, 0, 1, 1));
    EXPECT_EQ(VLColourString::hexStringFromColor(dynamic), "FF0000");
}

}  // namespace
