// Renders the sample card: a rounded card with an icon tile holding a symbol, a title with an
// emoji and a subtitle, in the light and the dark appearance, over a frosted strip. Set
// VK_SAMPLE_CARD_PNG to a path to keep the picture.
#include <gtest/gtest.h>

#include <cstdlib>

#include "gfx/Painter.h"
#include "gfx/SymbolImage.h"
#include "gfx/TextLayout.h"

namespace {

using gfx::Color;
using gfx::CornerStyle;
using gfx::Font;
using gfx::FontWeight;
using gfx::Painter;
using gfx::Rect;

const Color kBackground = Color::dynamic({0.95, 0.95, 0.96}, {0.11, 0.11, 0.12});
const Color kCard = Color::dynamic({1, 1, 1}, {0.17, 0.17, 0.18});

void drawCard(Painter& painter, const Rect& frame, const gfx::TraitCollection& traits) {
    painter.setTraitCollection(traits);
    painter.fillRoundedRect(frame, CornerStyle::continuous(20), kCard);
    Rect tile{frame.x + 15, frame.midY() - 22.5, 45, 45};
    Color accent = Color::systemTeal();
    painter.fillRoundedRect(tile, CornerStyle::continuous(12), accent.withAlphaComponent(0.4));
    gfx::Image symbol = gfx::SymbolImage::named("switch.2", 28, painter.scale());
    painter.drawImage(symbol, tile.insetBy(8, 8), gfx::ContentMode::ScaleAspectFit, accent);

    double textX = tile.maxX() + 15, textWidth = frame.maxX() - 15 - textX;
    gfx::TextLayout title("Enable Vellium 🚀", Font::system(17, FontWeight::Semibold));
    title.setWidth(textWidth);
    title.setMaximumLines(1);
    gfx::TextLayout subtitle("Turn the tweak on or off, then respring to apply",
                             Font::system(13, FontWeight::Regular));
    subtitle.setWidth(textWidth);
    subtitle.setMaximumLines(1);
    double top = frame.midY() - (title.size().height + 2 + subtitle.size().height) / 2;
    painter.drawText(title, {textX, top}, Color::label());
    painter.drawText(subtitle, {textX, top + title.size().height + 2}, Color::secondaryLabel());
}

gfx::Image renderSample() {
    Painter painter({390, 330}, 2);
    painter.fillRect({0, 0, 390, 165}, kBackground.resolved(gfx::TraitCollection::light()));
    painter.fillRect({0, 165, 390, 165}, kBackground.resolved(gfx::TraitCollection::dark()));
    // Colourful shapes behind a frosted strip, to show the blur.
    for (int i = 0; i < 6; ++i) {
        painter.fillEllipse({20.0 + i * 60, 10, 40, 40}, i % 2 ? Color::systemPink() : Color::systemIndigo());
    }
    painter.save();
    painter.clipToRoundedRect({20, 15, 350, 30}, CornerStyle::continuous(15));
    painter.drawBlur({20, 15, 350, 30}, gfx::BlurStyle::SystemMaterial);
    painter.restore();
    drawCard(painter, {20, 65, 350, 80}, gfx::TraitCollection::light());
    drawCard(painter, {20, 195, 350, 80}, gfx::TraitCollection::dark());
    if (const char* path = std::getenv("VK_SAMPLE_CARD_PNG")) {
        EXPECT_TRUE(painter.writePng(path).ok());
    }
    return painter.makeImage();
}

TEST(SampleCard, RendersCardTileSymbolTextAndEmoji) {
    gfx::Image image = renderSample();
    ASSERT_EQ(image.pixelWidth(), 780);
    // Card corners stay background; the card body is the card colour.
    EXPECT_TRUE(image.colorAt(42, 132).isApproximately({0.95, 0.95, 0.96}, 0.01));
    EXPECT_TRUE(image.colorAt(300, 136).isApproximately({1, 1, 1}, 0.01));
    EXPECT_TRUE(image.colorAt(300, 396).isApproximately({0.17, 0.17, 0.18}, 0.01));
    // The icon tile's edge is the accent at 0.4 over the card; the symbol inside is the accent.
    Color tileEdge = image.colorAt(2 * 39, 2 * 105);
    EXPECT_GT(tileEdge.blue(), tileEdge.red() + 0.15);
    int accentPixels = 0, emojiPixels = 0, darkTextPixels = 0;
    for (int y = 130; y < 290; ++y) {
        for (int x = 50; x < 760; ++x) {
            Color c = image.colorAt(x, y);
            if (x < 120 && c.isApproximately({90 / 255.0, 200 / 255.0, 250 / 255.0, 1}, 0.02)) ++accentPixels;
            if (x > 120 && c.red() > 0.8 && c.green() < 0.5 && c.blue() < 0.5) ++emojiPixels;
            if (x > 120 && c.red() < 0.2 && c.green() < 0.2) ++darkTextPixels;
        }
    }
    EXPECT_GT(accentPixels, 100);
    EXPECT_GT(emojiPixels, 30);
    EXPECT_GT(darkTextPixels, 300);
    // In the dark card the title is white.
    int lightTextPixels = 0;
    for (int y = 440; y < 465; ++y) {
        for (int x = 380; x < 700; ++x) lightTextPixels += image.colorAt(x, y).red() > 0.9;
    }
    EXPECT_GT(lightTextPixels, 100);
}

}  // namespace
