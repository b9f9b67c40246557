#include <gtest/gtest.h>

#include "gfx/Painter.h"
#include "gfx/SymbolImage.h"
#include "support/PixelCounts.h"

namespace {

using gfx::Image;
using gfx::SymbolImage;

// Every symbol name the kit's screens use.
// clang-format off
const char* const kKitSymbols[] = {
    "ant.fill", "apps.iphone", "checkmark.square.fill", "chevron.left", "ellipsis.circle",
    "face.smiling.fill", "hands.sparkles.fill", "keyboard.chevron.compact.down",
    "list.bullet.below.rectangle", "note.text", "paintpalette.fill",
    "person.crop.circle.fill.badge.checkmark", "photo.fill.on.rectangle.fill", "photo.on.rectangle.angled",
    "play.fill", "plusminus.circle.fill", "questionmark.circle.fill", "rectangle.grid.1x2.fill",
    "shippingbox.fill", "slider.horizontal.below.square.fill.and.square", "switch.2", "wand.and.stars",
    "xmark.square.fill", "xmark", "checkmark", "link", "textformat", "magnifyingglass"};
// clang-format on

int opaquePixels(const Image& image) {
    return testsupport::countPixels(image, [](auto p) { return p.alpha > 128; });
}

TEST(SymbolImage, EveryKitSymbolResolvesToOneIconGlyph) {
    for (const char* name : kKitSymbols) {
        auto ligature = SymbolImage::ligatureFor(name);
        ASSERT_TRUE(ligature.has_value()) << name;
        EXPECT_TRUE(SymbolImage::ligatureShapesToOneGlyph(*ligature)) << name << " -> " << *ligature;
        Image image = SymbolImage::named(name, 20, 2);
        ASSERT_FALSE(image.isNull()) << name;
        EXPECT_TRUE(image.isTemplate());
        EXPECT_NEAR(image.size().width, 20, 1) << name;
        // Something is drawn, and it is a shape, not a filled box.
        int opaque = opaquePixels(image);
        EXPECT_GT(opaque, 20) << name;
        EXPECT_LT(opaque, image.pixelWidth() * image.pixelHeight() * 0.9) << name;
    }
}

TEST(SymbolImage, UnknownNamesGiveNoImage) {
    EXPECT_TRUE(SymbolImage::named("no.such.symbol").isNull());
    EXPECT_TRUE(SymbolImage::named("").isNull());
    EXPECT_FALSE(SymbolImage::ligatureShapesToOneGlyph("no_such_icon_name"));
    EXPECT_FALSE(SymbolImage::ligatureShapesToOneGlyph("checkcheck"));
    EXPECT_FALSE(SymbolImage::registerName("tweak.bogus", "no_such_icon_name"));
    EXPECT_TRUE(SymbolImage::named("tweak.bogus").isNull());
}

TEST(SymbolImage, TweaksCanAddTheirOwnNames) {
    ASSERT_TRUE(SymbolImage::registerName("tweak.star", "star"));
    EXPECT_FALSE(SymbolImage::named("tweak.star").isNull());
    EXPECT_EQ(SymbolImage::ligatureFor("tweak.star"), "star");
}

TEST(SymbolImage, DrawsInTheTintColourAndScalesWithPointSize) {
    Image small = SymbolImage::named("checkmark", 10, 2);
    Image large = SymbolImage::named("checkmark", 30, 2);
    EXPECT_GT(opaquePixels(large), 4 * opaquePixels(small));
    gfx::Painter painter(large.size(), 2);
    painter.drawImage(large, {{0, 0}, large.size()}, gfx::ContentMode::ScaleToFill, gfx::Color(1, 0, 0));
    Image tinted = painter.makeImage();
    const gfx::PremultipliedPixel red{255, 0, 0, 255};
    EXPECT_GT(testsupport::countPixels(tinted, [&](auto p) { return p == red; }), 50);
    EXPECT_EQ(testsupport::countPixels(tinted, [&](auto p) { return p.alpha == 255 && p != red; }), 0);
}

}  // namespace
