#include <gtest/gtest.h>

#include <algorithm>

#include "gfx/Font.h"

namespace {

using gfx::Font;
using gfx::FontWeight;

TEST(Font, TheKitsFontSetHoldsExactlyItsOwnFamilies) {
    auto families = Font::familyNames();
    EXPECT_EQ(families, (std::vector<std::string>{"Inter", "Material Icons", "Noto Color Emoji"}));
    EXPECT_TRUE(Font::named("Inter", 12).has_value());
    // Whatever else the machine has installed is not reachable.
    EXPECT_FALSE(Font::named("DejaVu Sans", 12).has_value());
    EXPECT_FALSE(Font::named("", 12).has_value());
}

TEST(Font, SystemFontMetricsAreSaneAndGrowWithSize) {
    double previousLine = 0;
    for (double size : {8.0, 12.0, 17.0, 24.0, 40.0}) {
        auto metrics = Font::system(size).metrics();
        EXPECT_GT(metrics.ascent, size * 0.6) << size;
        EXPECT_LT(metrics.ascent, size * 1.3) << size;
        EXPECT_GT(metrics.descent, 0) << size;
        EXPECT_GE(metrics.lineHeight, metrics.ascent + metrics.descent - 0.01) << size;
        EXPECT_LT(metrics.lineHeight, size * 2) << size;
        EXPECT_GT(metrics.lineHeight, previousLine);
        previousLine = metrics.lineHeight;
    }
}

TEST(Font, AttributesAndCopies) {
    Font font = Font::system(17, FontWeight::Semibold);
    EXPECT_EQ(font.family(), "Inter");
    Font bigger = font.withSize(20);
    EXPECT_EQ(bigger.pointSize(), 20);
    EXPECT_EQ(bigger.weight(), FontWeight::Semibold);
    EXPECT_EQ(font, Font::system(17, FontWeight::Semibold));
    EXPECT_FALSE(font == bigger);
}

}  // namespace
