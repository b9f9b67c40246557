#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "gfx/ImageContext.h"
#include "gfx/Painter.h"

namespace {

using gfx::BlurStyle;
using gfx::Color;
using gfx::ContentMode;
using gfx::CornerStyle;
using gfx::Image;
using gfx::Painter;
using gfx::Rect;

double alphaAt(const Image& image, int x, int y) { return image.pixelAt(x, y).alpha / 255.0; }

TEST(Painter, RoundedClipLeavesCornersTransparent) {
    for (auto style : {CornerStyle::circular(20), CornerStyle::continuous(20)}) {
        Painter painter({100, 80}, 2);
        painter.clipToRoundedRect({0, 0, 100, 80}, style);
        painter.fillRect({0, 0, 100, 80}, Color::blackColor());
        Image image = painter.makeImage();
        for (auto [x, y] : {std::pair{0, 0}, {199, 0}, {0, 159}, {199, 159}, {4, 4}}) {
            EXPECT_EQ(image.pixelAt(x, y).alpha, 0) << x << "," << y;
        }
        EXPECT_EQ(image.pixelAt(100, 80).alpha, 255);
        EXPECT_EQ(image.pixelAt(100, 0).alpha, 255);  // straight edge is filled
        EXPECT_EQ(image.pixelAt(0, 80).alpha, 255);
    }
}

TEST(Painter, OnlyTheChosenCornersAreRounded) {
    Painter painter({100, 100});
    painter.fillRoundedRect({0, 0, 100, 100},
                            CornerStyle::circular(30, gfx::TopLeftCorner | gfx::BottomRightCorner),
                            Color::blackColor());
    Image image = painter.makeImage();
    EXPECT_EQ(image.pixelAt(1, 1).alpha, 0);
    EXPECT_EQ(image.pixelAt(98, 98).alpha, 0);
    EXPECT_EQ(image.pixelAt(98, 1).alpha, 255);
    EXPECT_EQ(image.pixelAt(1, 98).alpha, 255);
}

TEST(Painter, ContinuousCornersLeaveTheEdgeEarlierThanCircularOnes) {
    struct Shape {
        int firstOpaqueOnTopEdge = -1;
        double area = 0;
    };
    auto measure = [](CornerStyle style) {
        Painter painter({200, 200});
        painter.fillRoundedRect({0, 0, 200, 200}, style, Color::blackColor());
        Image image = painter.makeImage();
        Shape shape;
        for (int x = 0; x < 100 && shape.firstOpaqueOnTopEdge < 0; ++x) {
            if (image.pixelAt(x, 0).alpha == 255) shape.firstOpaqueOnTopEdge = x;
        }
        for (int y = 0; y < 200; ++y) {
            for (int x = 0; x < 200; ++x) shape.area += alphaAt(image, x, y);
        }
        return shape;
    };
    Shape circular = measure(CornerStyle::circular(40));
    Shape continuous = measure(CornerStyle::continuous(40));
    // A quarter circle of radius 40 meets the edge 40 from the corner; the continuous curve
    // eases in over about 1.5 radii.
    EXPECT_NEAR(circular.firstOpaqueOnTopEdge, 38, 3);
    EXPECT_GE(continuous.firstOpaqueOnTopEdge, 50);
    EXPECT_NEAR(circular.area, 200 * 200 - 4 * (1 - M_PI / 4) * 40 * 40, 20);
    // Both take off about the same area; the continuous curve spreads it along the edges.
    EXPECT_NEAR(continuous.area, circular.area, 100);
    // A radius beyond what the rectangle allows is capped, not drawn inside out.
    Painter painter({40, 20});
    painter.fillRoundedRect({0, 0, 40, 20}, CornerStyle::continuous(500), Color::blackColor());
    EXPECT_EQ(painter.makeImage().pixelAt(20, 10).alpha, 255);
}

TEST(Painter, OpacityLayerCompositesOnceNotPerShape) {
    Painter painter({20, 10});
    painter.beginLayer();
    painter.fillRect({0, 0, 15, 10}, Color::blackColor());
    painter.fillRect({5, 0, 15, 10}, Color::blackColor());
    painter.endLayer(0.5);
    Image image = painter.makeImage();
    EXPECT_NEAR(alphaAt(image, 2, 5), 0.5, 0.01);
    EXPECT_NEAR(alphaAt(image, 10, 5), 0.5, 0.01);  // overlap is not darker
}

TEST(Painter, GradientMaskAlphaFollowsItsStops) {
    Painter painter({100, 10});
    painter.beginLayer();
    painter.fillRect({0, 0, 100, 10}, Color::blackColor());
    // The fade of a scrolling label: clear, black, black, clear at 0, 0.2, 0.8, 1.
    gfx::LinearGradient fade{
        {0, 0},
        {100, 0},
        {{0, Color::clear()}, {0.2, Color::blackColor()}, {0.8, Color::blackColor()}, {1, Color::clear()}}};
    painter.endLayerWithMask(fade);
    Image image = painter.makeImage();
    EXPECT_LT(alphaAt(image, 0, 5), 0.05);
    EXPECT_NEAR(alphaAt(image, 10, 5), 0.525, 0.05);
    EXPECT_NEAR(alphaAt(image, 50, 5), 1.0, 0.01);
    EXPECT_NEAR(alphaAt(image, 90, 5), 0.475, 0.05);
    EXPECT_LT(alphaAt(image, 99, 5), 0.05);
}

TEST(Painter, TransformsMoveDrawing) {
    Painter painter({40, 40});
    painter.save();
    painter.translate(20, 20);
    painter.rotate(M_PI / 2);  // +x now points down
    painter.fillRect({0, -2, 15, 4}, Color::blackColor());
    painter.restore();
    painter.concat(gfx::AffineTransform::scale(2, 2));
    painter.fillRect({0, 0, 2, 2}, Color(1, 0, 0));
    Image image = painter.makeImage();
    EXPECT_EQ(image.pixelAt(20, 30).alpha, 255);
    EXPECT_EQ(image.pixelAt(30, 20).alpha, 0);
    EXPECT_EQ(image.pixelAt(3, 3).red, 255);
    EXPECT_EQ(image.pixelAt(5, 5).alpha, 0);
}

TEST(Painter, DynamicColoursResolveAgainstTheTraitsInForce) {
    Painter painter({4, 4});
    painter.setTraitCollection(gfx::TraitCollection::dark());
    painter.fillRect({0, 0, 4, 4}, Color::label());
    painter.setTraitCollection(gfx::TraitCollection::light());  // changed halfway through a picture
    painter.fillRect({2, 0, 2, 4}, Color::label());
    EXPECT_EQ(painter.makeImage().pixelAt(1, 1), (gfx::PremultipliedPixel{255, 255, 255, 255}));
    EXPECT_EQ(painter.makeImage().pixelAt(3, 1), (gfx::PremultipliedPixel{0, 0, 0, 255}));
}

Image checkerboard() {
    gfx::ImageContext context({4, 2}, 1);
    context.painter().fillRect({0, 0, 2, 2}, Color(1, 0, 0));
    context.painter().fillRect({2, 0, 2, 2}, Color(0, 0, 1));
    return context.image();
}

TEST(Painter, ImagesHonourTheirContentMode) {
    Image image = checkerboard();  // 4 x 2, red then blue
    auto render = [&](ContentMode mode) {
        Painter painter({40, 40});
        painter.drawImage(image, {0, 0, 40, 40}, mode);
        return painter.makeImage();
    };
    Image fit = render(ContentMode::ScaleAspectFit);  // 40 x 20 band in the middle
    EXPECT_EQ(fit.pixelAt(20, 5).alpha, 0);
    EXPECT_EQ(fit.pixelAt(5, 20).red, 255);
    EXPECT_EQ(fit.pixelAt(35, 20).blue, 255);
    Image fill = render(ContentMode::ScaleAspectFill);  // 80 x 40, only the middle shows
    EXPECT_EQ(fill.pixelAt(20, 2).alpha, 255);
    EXPECT_EQ(fill.pixelAt(5, 20).red, 255);
    Image stretched = render(ContentMode::ScaleToFill);
    EXPECT_EQ(stretched.pixelAt(5, 2).red, 255);
    Image centred = render(ContentMode::Center);  // 4 x 2 at the centre
    EXPECT_EQ(centred.pixelAt(0, 0).alpha, 0);
    EXPECT_EQ(centred.pixelAt(18, 19).red, 255);
    EXPECT_EQ(centred.pixelAt(21, 20).blue, 255);
}

TEST(Painter, TemplateImagesTakeTheTint) {
    Image mask = checkerboard().withTemplate(true);
    Painter painter({4, 2});
    painter.drawImage(mask, {0, 0, 4, 2}, ContentMode::ScaleToFill, Color(0, 1, 0));
    Image tinted = painter.makeImage();
    EXPECT_EQ(tinted.pixelAt(0, 0), (gfx::PremultipliedPixel{0, 255, 0, 255}));
    EXPECT_EQ(tinted.pixelAt(3, 1), (gfx::PremultipliedPixel{0, 255, 0, 255}));
}

// A backdrop of black on the left and white on the right, then a blur over all of it.
Image blurredEdge(BlurStyle style, gfx::TraitCollection traits = {}) {
    Painter painter({100, 40}, 2);
    painter.setTraitCollection(traits);
    painter.fillRect({0, 0, 50, 40}, Color::blackColor());
    painter.fillRect({50, 0, 50, 40}, Color::whiteColor());
    painter.drawBlur({0, 0, 100, 40}, style);
    return painter.makeImage();
}

TEST(Painter, BlurSpreadsASharpEdgeIntoAGradientSeveralPointsWide) {
    Image image = blurredEdge(BlurStyle::Light);
    int y = 40;
    // Brightness rises monotonically across the edge...
    int previous = -1, first = -1, last = -1;
    for (int x = 40; x < 160; ++x) {
        int red = image.pixelAt(x, y).red;
        EXPECT_GE(red, previous - 1) << x;
        previous = red;
        if (first < 0 && red > image.pixelAt(40, y).red + 10) first = x;
        if (red < image.pixelAt(159, y).red - 10) last = x;
    }
    // ...over more than eight points (16 pixels at scale 2), where the backdrop jumped in one.
    EXPECT_GT(last - first, 16);
    EXPECT_LT(image.pixelAt(90, y).red, image.pixelAt(110, y).red);
}

double meanDifference(const Image& a, const Image& b) {
    double total = 0;
    for (int y = 0; y < a.pixelHeight(); ++y) {
        for (int x = 0; x < a.pixelWidth(); ++x) total += std::abs(a.pixelAt(x, y).red - b.pixelAt(x, y).red);
    }
    return total / (a.pixelWidth() * a.pixelHeight());
}

TEST(Painter, BlurMaterialsDifferFromEachOtherAndFromAFlatTint) {
    Image light = blurredEdge(BlurStyle::Light);
    Image dark = blurredEdge(BlurStyle::Dark);
    Image systemLight = blurredEdge(BlurStyle::SystemMaterial, gfx::TraitCollection::light());
    Image systemDark = blurredEdge(BlurStyle::SystemMaterial, gfx::TraitCollection::dark());
    EXPECT_GT(meanDifference(light, dark), 40);
    EXPECT_GT(meanDifference(light, systemLight), 10);
    EXPECT_GT(meanDifference(dark, systemDark), 10);
    EXPECT_GT(meanDifference(systemLight, systemDark), 40);
    // The backdrop shows through: not one flat colour from edge to edge.
    for (const Image* image : {&light, &dark, &systemLight, &systemDark}) {
        EXPECT_GT(image->pixelAt(190, 40).red - image->pixelAt(10, 40).red, 20);
    }
}

TEST(Painter, BlurStaysInsideTheCurrentClip) {
    Painter painter({100, 40});
    painter.fillRect({0, 0, 100, 40}, Color::blackColor());
    painter.save();
    painter.clipToRoundedRect({20, 0, 60, 40}, CornerStyle::continuous(10));
    painter.drawBlur({0, 0, 100, 40}, BlurStyle::Light);
    painter.restore();
    Image image = painter.makeImage();
    EXPECT_EQ(image.pixelAt(10, 20).red, 0);
    EXPECT_GT(image.pixelAt(50, 20).red, 60);
    EXPECT_EQ(image.pixelAt(21, 0).red, 0);  // the rounded corner was not painted
}

TEST(Painter, WritesAPngFile) {
    Painter painter({30, 20}, 2);
    painter.clear(Color(0, 0.5, 1));
    auto path =
        std::filesystem::temp_directory_path() / ("vk-painter-" + std::to_string(::getpid()) + ".png");
    ASSERT_TRUE(painter.writePng(path).ok());
    auto image = Image::fromFile(path, 2);
    std::filesystem::remove(path);
    ASSERT_TRUE(image.ok());
    EXPECT_EQ(image.value().pixelWidth(), 60);
    EXPECT_EQ(image.value().size().width, 30);
    EXPECT_EQ(image.value().pixelAt(59, 39), (gfx::PremultipliedPixel{0, 128, 255, 255}));
    EXPECT_FALSE(painter.writePng("/nonexistent-dir/x.png").ok());
}

}  // namespace
