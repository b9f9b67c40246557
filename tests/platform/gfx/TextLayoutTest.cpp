#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <tuple>

#include "gfx/Painter.h"
#include "gfx/TextLayout.h"
#include "support/PixelCounts.h"

namespace {

using gfx::Color;
using gfx::Font;
using gfx::FontWeight;
using gfx::TextAlignment;
using gfx::TextLayout;
using testsupport::countPixels;

double widthOf(const std::string& text, const Font& font) { return TextLayout::measure(text, font).width; }

TEST(TextLayout, WidthGrowsWithTextAndSizeAndWeight) {
    Font font = Font::system(17);
    EXPECT_EQ(widthOf("", font), 0);
    EXPECT_LT(widthOf("Settings", font), widthOf("Settings and more", font));
    EXPECT_LT(widthOf("Settings", Font::system(12)), widthOf("Settings", font));
    EXPECT_LT(widthOf("Settings", font), widthOf("Settings", Font::system(17, FontWeight::Bold)));
    // Widths scale with the point size: glyph positions are not hinted to the pixel grid.
    EXPECT_NEAR(widthOf("Settings", Font::system(34)), 2 * widthOf("Settings", font), 0.5);
    auto line = TextLayout::measure("Settings", font);
    EXPECT_NEAR(line.height, font.metrics().lineHeight, 1.0);
}

TEST(TextLayout, LineBreaksAndWidthsWrap) {
    Font font = Font::system(15);
    TextLayout twoLines("First line\nSecond line", font);
    EXPECT_EQ(twoLines.lineCount(), 2);
    TextLayout single("First line", font);
    EXPECT_NEAR(twoLines.size().height, 2 * single.size().height, 1.0);

    std::string sentence = "The quick brown fox jumps over the lazy dog near the river bank";
    TextLayout wrapped(sentence, font);
    double natural = wrapped.size().width;
    wrapped.setWidth(natural / 3);
    EXPECT_GE(wrapped.lineCount(), 3);
    EXPECT_LE(wrapped.size().width, natural / 3 + 0.01);
    // A word longer than the width is broken inside rather than overflowing.
    TextLayout longWord("Supercalifragilisticexpialidocious", font);
    longWord.setWidth(60);
    EXPECT_GT(longWord.lineCount(), 1);
    EXPECT_LE(longWord.size().width, 60.01);
}

TEST(TextLayout, LineLimitTruncatesWithAnEllipsis) {
    Font font = Font::system(15);
    std::string sentence = "The quick brown fox jumps over the lazy dog near the river bank";
    auto full = TextLayout::measure(sentence, font, 100.0);
    auto two = TextLayout::measure(sentence, font, 100.0, 2);
    EXPECT_LT(two.height, full.height);
    TextLayout limited(sentence, font);
    limited.setWidth(100);
    limited.setMaximumLines(2);
    EXPECT_EQ(limited.lineCount(), 2);
    EXPECT_TRUE(limited.isTruncated());
    limited.setMaximumLines(0);
    EXPECT_GT(limited.lineCount(), 2);
    EXPECT_FALSE(limited.isTruncated());
}

TEST(TextLayout, RememberedMeasurementsMatchFreshOnes) {
    Font font = Font::system(15);
    std::string sentence = "The quick brown fox jumps over the lazy dog";
    // Same text with another font, width or line limit: not confused with a remembered answer.
    const std::tuple<Font, std::optional<double>, int> cases[] = {
        {font, std::nullopt, 0},
        {font, 90.0, 2},
        {Font::system(15, FontWeight::Bold), std::nullopt, 0},
        {font, 200.0, 0}};
    for (int pass = 0; pass < 2; ++pass) {
        for (const auto& [f, width, lines] : cases)
            EXPECT_EQ(TextLayout::measure(sentence, f, width, lines),
                      TextLayout::measureUncached(sentence, f, width, lines));
    }
}

TEST(TextLayout, InvalidUtf8IsRepairedNotRejected) {
    TextLayout layout(std::string("ok \xff\xfe bytes"), Font::system(12));
    EXPECT_GT(layout.size().width, widthOf("ok  bytes", Font::system(12)));
}

// Ink extent of a drawn layout: the first and last columns with any coverage.
std::pair<int, int> inkColumns(const gfx::Image& image) {
    int first = -1, last = -1;
    for (int x = 0; x < image.pixelWidth(); ++x) {
        for (int y = 0; y < image.pixelHeight(); ++y) {
            if (image.pixelAt(x, y).alpha > 60) {
                if (first < 0) first = x;
                last = x;
                break;
            }
        }
    }
    return {first, last};
}

TEST(TextLayout, DrawsInItsColourWithItsAlignment) {
    auto render = [](TextAlignment alignment) {
        TextLayout layout("Hi", Font::system(20, FontWeight::Bold));
        layout.setWidth(200);
        layout.setAlignment(alignment);
        gfx::Painter painter({200, 30});
        painter.drawText(layout, {0, 0}, Color(1, 0, 0));
        return painter.makeImage();
    };
    auto left = inkColumns(render(TextAlignment::Left));
    auto centre = inkColumns(render(TextAlignment::Center));
    auto right = inkColumns(render(TextAlignment::Right));
    auto natural = inkColumns(render(TextAlignment::Natural));
    EXPECT_LT(left.first, 5);
    EXPECT_GT(right.second, 193);
    EXPECT_NEAR((centre.first + centre.second) / 2.0, 100, 3);
    EXPECT_EQ(natural, left);
    gfx::Image image = render(TextAlignment::Left);
    const gfx::PremultipliedPixel red{255, 0, 0, 255};
    EXPECT_GT(countPixels(image, [&](auto p) { return p == red; }), 20);
    EXPECT_EQ(countPixels(image, [&](auto p) { return p.alpha == 255 && p != red; }), 0);
}

TEST(TextLayout, EmojiDrawInColour) {
    TextLayout layout("🍎🌊", Font::system(32));
    EXPECT_GT(layout.size().width, 40);
    gfx::Painter painter({100, 50}, 2);
    painter.drawText(layout, {0, 0}, Color::blackColor());  // the text colour does not apply
    gfx::Image image = painter.makeImage();
    EXPECT_GT(
        countPixels(image, [](auto p) { return p.alpha >= 200 && p.red > std::max(p.green, p.blue) + 60; }),
        100);
    EXPECT_GT(countPixels(image, [](auto p) { return p.alpha >= 200 && p.blue > p.red + 60; }), 100);
}

// A line measured without a width and drawn at its offset within a wider box must land where
// the same text laid out at that width is drawn, for every alignment.
TEST(TextLayout, LineOffsetWithinAWidthMatchesLayingOutAtThatWidth) {
    auto drawn = [](const TextLayout& layout, double x) {
        gfx::Painter painter({200, 30}, 2);
        painter.drawText(layout, {x, 0}, Color::blackColor());
        return painter.makeImage();
    };
    for (const char* text : {"Wi-Fi", "Bluetooth & more"}) {
        for (auto alignment :
             {TextAlignment::Left, TextAlignment::Center, TextAlignment::Right, TextAlignment::Natural}) {
            for (double width : {150.0, 151.3}) {
                TextLayout measured(text, Font::system(17));
                measured.setAlignment(alignment);
                measured.setMaximumLines(1);
                auto offset = measured.lineOffsetWithin(width);
                ASSERT_TRUE(offset.has_value()) << text;
                TextLayout atWidth(text, Font::system(17));
                atWidth.setAlignment(alignment);
                atWidth.setMaximumLines(1);
                atWidth.setWidth(width);
                EXPECT_LE(testsupport::largestDifference(drawn(atWidth, 0), drawn(measured, *offset)), 2)
                    << text << " alignment " << int(alignment) << " width " << width;
            }
        }
    }
    // A line that does not fit, more than one line, or a right-to-left line must be laid out
    // at the width.
    EXPECT_FALSE(TextLayout("שלום עולם", Font::system(17)).lineOffsetWithin(150).has_value());
    TextLayout wide("A line far too long for the box", Font::system(17));
    EXPECT_FALSE(wide.lineOffsetWithin(40).has_value());
    TextLayout twoLines("one\ntwo", Font::system(17));
    EXPECT_FALSE(twoLines.lineOffsetWithin(150).has_value());
    wide.setWidth(400);
    EXPECT_FALSE(wide.lineOffsetWithin(400).has_value());
}

}  // namespace
