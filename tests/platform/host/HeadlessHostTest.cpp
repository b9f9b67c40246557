#include <gtest/gtest.h>

#include "gfx/SymbolImage.h"
#include "host/HeadlessHost.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/LayoutConstraint.h"
#include "ui/Window.h"

namespace {

using ui::View;

bool near(const gfx::Color& actual, const gfx::Color& expected, double tolerance = 2.0 / 255) {
    return actual.isApproximately(expected, tolerance);
}

// A white 200 x 200 window with a red card whose corners are rounded (radius 20) and clipped.
struct Scene {
    std::shared_ptr<ui::Window> window = ui::Window::create({200, 200}, 2);
    std::shared_ptr<View> card = View::create();
    std::shared_ptr<ui::Label> label = ui::Label::create("Hello");
    Scene() {
        window->setBackgroundColor(gfx::Color::whiteColor());
        card->setFrame({20, 20, 100, 100});
        card->setBackgroundColor(gfx::Color(1, 0, 0));
        card->layer().setCornerRadius(20);
        card->setClipsToBounds(true);
        window->addSubview(card);
        label->setTextColor(gfx::Color::blackColor());
        label->setFrame({20, 150, 100, 30});
        window->addSubview(label);
    }
};

int darkPixels(const gfx::Image& image, int x0, int y0, int x1, int y1) {
    int count = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            if (image.colorAt(x, y).red() < 0.5) ++count;
        }
    }
    return count;
}

TEST(HeadlessHost, RendersBackgroundsRoundedCornersAndText) {
    Scene scene;
    gfx::Image image = host::HeadlessHost::render(*scene.window, 2);
    ASSERT_EQ(image.pixelWidth(), 400);
    ASSERT_EQ(image.pixelHeight(), 400);
    EXPECT_TRUE(near(image.colorAt(2, 2), gfx::Color::whiteColor()));
    EXPECT_TRUE(near(image.colorAt(140, 140), gfx::Color(1, 0, 0)));     // the card's centre
    EXPECT_TRUE(near(image.colorAt(42, 42), gfx::Color::whiteColor()));  // cut off by the corner
    EXPECT_TRUE(near(image.colorAt(140, 42), gfx::Color(1, 0, 0)));      // a straight edge is not
    EXPECT_GT(darkPixels(image, 40, 300, 240, 360), 50);                 // the label's glyphs

    // Alone, the card's corners are transparent.
    gfx::Image card = host::HeadlessHost::render(*scene.card, 2);
    ASSERT_EQ(card.pixelWidth(), 200);
    EXPECT_EQ(card.pixelAt(1, 1).alpha, 0);
    EXPECT_EQ(card.pixelAt(198, 198).alpha, 0);
    EXPECT_EQ(card.pixelAt(100, 1).alpha, 255);

    // Only the masked corners round.
    scene.card->layer().setMaskedCorners(gfx::TopLeftCorner);
    card = host::HeadlessHost::render(*scene.card, 2);
    EXPECT_EQ(card.pixelAt(1, 1).alpha, 0);
    EXPECT_EQ(card.pixelAt(198, 198).alpha, 255);
}

TEST(HeadlessHost, HiddenAndTransparentViewsDrawNothing) {
    Scene scene;
    scene.card->setHidden(true);
    scene.label->setAlpha(0.005);
    gfx::Image image = host::HeadlessHost::render(*scene.window, 1);
    EXPECT_TRUE(near(image.colorAt(70, 70), gfx::Color::whiteColor()));
    EXPECT_EQ(darkPixels(image, 20, 150, 120, 180), 0);
}

TEST(HeadlessHost, ClippingAndBorders) {
    auto parent = View::create();
    parent->setFrame({0, 0, 40, 40});
    auto inner = View::create();
    inner->setFrame({10, 10, 20, 20});
    inner->layer().setBorderWidth(2);
    inner->layer().setBorderColor(gfx::Color(0, 0, 1));
    auto overhang = View::create();
    overhang->setFrame({15, 15, 20, 20});  // sticks out of `inner` by 15 points
    overhang->setBackgroundColor(gfx::Color(0, 1, 0));
    parent->addSubview(inner);
    inner->addSubview(overhang);

    gfx::Image image = host::HeadlessHost::render(*parent, 1);
    EXPECT_TRUE(near(image.colorAt(35, 35), gfx::Color(0, 1, 0)));  // unclipped: it shows outside
    EXPECT_TRUE(near(image.colorAt(10, 20), gfx::Color(0, 0, 1)));  // the border, inside the bounds
    EXPECT_TRUE(near(image.colorAt(29, 29), gfx::Color(0, 0, 1)));  // and above the subviews
    EXPECT_EQ(image.pixelAt(20, 20).alpha, 0);

    inner->setClipsToBounds(true);
    image = host::HeadlessHost::render(*parent, 1);
    EXPECT_EQ(image.pixelAt(35, 35).alpha, 0);
    EXPECT_TRUE(near(image.colorAt(26, 26), gfx::Color(0, 1, 0)));
}

TEST(HeadlessHost, TranslucentViewsCompositeAsOneGroup) {
    // A red view fully covered by a blue child at alpha 0.5: the red must not show through.
    auto parent = View::create();
    parent->setFrame({0, 0, 10, 10});
    parent->setBackgroundColor(gfx::Color(1, 0, 0));
    auto child = View::create();
    child->setFrame({0, 0, 10, 10});
    child->setBackgroundColor(gfx::Color(0, 0, 1));
    parent->addSubview(child);
    parent->setAlpha(0.5);
    gfx::Image image = host::HeadlessHost::render(*parent, 1);
    gfx::PremultipliedPixel pixel = image.pixelAt(5, 5);
    EXPECT_LE(pixel.red, 1);
    EXPECT_NEAR(pixel.blue, 128, 2);
    EXPECT_NEAR(pixel.alpha, 128, 2);
}

TEST(HeadlessHost, DynamicColoursFollowTheWindowsAppearance) {
    auto window = ui::Window::create({10, 10}, 1);
    window->setBackgroundColor(gfx::Color::dynamic(gfx::Color::whiteColor(), gfx::Color::blackColor()));
    EXPECT_TRUE(near(host::HeadlessHost::render(*window, 1).colorAt(5, 5), gfx::Color::whiteColor()));
    window->setTraitCollection(gfx::TraitCollection::dark());
    EXPECT_TRUE(near(host::HeadlessHost::render(*window, 1).colorAt(5, 5), gfx::Color::blackColor()));
}

TEST(HeadlessHost, TemplateImagesDrawInTheInheritedTint) {
    auto window = ui::Window::create({40, 40}, 2);
    auto icon = ui::ImageView::create(gfx::SymbolImage::named("checkmark", 30, 2), "checkmark");
    ASSERT_FALSE(icon->image().isNull());
    icon->setFrame({0, 0, 40, 40});
    icon->setContentMode(gfx::ContentMode::ScaleAspectFit);
    window->setTintColor(gfx::Color(0, 1, 0));
    window->addSubview(icon);
    gfx::Image image = host::HeadlessHost::render(*window, 2);
    int green = 0, other = 0;
    for (int y = 0; y < image.pixelHeight(); ++y) {
        for (int x = 0; x < image.pixelWidth(); ++x) {
            gfx::PremultipliedPixel pixel = image.pixelAt(x, y);
            if (pixel.alpha < 200) continue;
            (pixel.green > 200 && pixel.red < 30 && pixel.blue < 30 ? green : other)++;
        }
    }
    EXPECT_GT(green, 100);
    EXPECT_EQ(other, 0);
}

TEST(HeadlessHost, LabelShadowIsDrawnUnderTheTextAtItsOffset) {
    auto countRed = [](bool withShadow) {
        Scene scene;
        scene.card->setHidden(true);
        if (withShadow) {
            scene.label->setShadowColor(gfx::Color(1, 0, 0));
            scene.label->setShadowOffset({0, 4});
        }
        gfx::Image image = host::HeadlessHost::render(*scene.window, 2);
        int red = 0;
        for (int y = 290; y < 380; ++y) {
            for (int x = 40; x < 240; ++x) {
                auto c = image.colorAt(x, y);
                if (c.red() > 0.8 && c.green() < 0.3) ++red;
            }
        }
        return red;
    };
    EXPECT_EQ(countRed(false), 0);
    EXPECT_GT(countRed(true), 50);
}

TEST(HeadlessHost, DumpsTheTreeAsStableJson) {
    auto window = ui::Window::create({320, 200}, 2);
    auto card = View::create();
    card->setFrame({16, 20.5, 288, 100});
    card->setBackgroundColor(gfx::Color::dynamic(gfx::Color::whiteColor(), gfx::Color(0.11, 0.11, 0.118)));
    card->layer().setCornerRadius(10);
    window->addSubview(card);
    auto title = ui::Label::create("Say \"hi\"");
    title->setTranslatesAutoresizingMaskIntoConstraints(false);
    card->addSubview(title);
    ui::LayoutConstraint::activate({title->leadingAnchor().equalTo(card->leadingAnchor(), 12),
                                    title->topAnchor().equalTo(card->topAnchor(), 8),
                                    title->widthAnchor().equalToConstant(100),
                                    title->heightAnchor().equalToConstant(21)});
    auto icon = ui::ImageView::create(gfx::SymbolImage::named("checkmark"), "checkmark");
    icon->setFrame({250, 30, 29, 29});
    icon->setHidden(true);
    icon->setAlpha(0.5);
    card->addSubview(icon);
    window->setTraitCollection(gfx::TraitCollection::dark());

    EXPECT_EQ(host::HeadlessHost::dumpJson(*window), R"({
  "class": "Window",
  "frame": [0, 0, 320, 200],
  "alpha": 1,
  "hidden": false,
  "subviews": [
    {
      "class": "View",
      "frame": [16, 20.5, 288, 100],
      "alpha": 1,
      "hidden": false,
      "backgroundColor": "#1C1C1EFF",
      "cornerRadius": 10,
      "subviews": [
        {
          "class": "Label",
          "frame": [28, 28.5, 100, 21],
          "alpha": 1,
          "hidden": false,
          "text": "Say \"hi\"",
          "textColor": "#FFFFFFFF"
        },
        {
          "class": "ImageView",
          "frame": [266, 50.5, 29, 29],
          "alpha": 0.5,
          "hidden": true,
          "image": "checkmark"
        }
      ]
    }
  ]
}
)");
}

}  // namespace
