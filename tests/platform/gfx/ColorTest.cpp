#include <gtest/gtest.h>

#include "gfx/Color.h"
#include "gfx/SystemColor.h"

namespace {

using gfx::Color;
using gfx::SystemColor;
using gfx::TraitCollection;

TEST(Color, NamedColoursHaveTheirPublishedLightAndDarkValues) {
    EXPECT_TRUE(
        Color::systemRed().isApproximately({1, 59 / 255.0, 48 / 255.0, 1}, 1e-9, TraitCollection::light()));
    EXPECT_TRUE(
        Color::systemRed().isApproximately({1, 69 / 255.0, 58 / 255.0, 1}, 1e-9, TraitCollection::dark()));
    EXPECT_TRUE(Color::systemTeal().isApproximately({90 / 255.0, 200 / 255.0, 250 / 255.0, 1}, 1e-9));
    EXPECT_TRUE(Color::label().isApproximately({0, 0, 0, 1}, 1e-9, TraitCollection::light()));
    EXPECT_TRUE(Color::label().isApproximately({1, 1, 1, 1}, 1e-9, TraitCollection::dark()));
    EXPECT_NEAR(Color::tertiaryLabel().resolved(TraitCollection::dark()).alpha(), 0.3, 1e-9);
    EXPECT_NEAR(Color::tertiarySystemFill().resolved(TraitCollection::dark()).alpha(), 0.24, 1e-9);
    EXPECT_TRUE(Color::systemBackground().isApproximately({0, 0, 0, 1}, 1e-9, TraitCollection::dark()));
    // Grey is white 0.5 in both appearances, and needs no provider.
    EXPECT_FALSE(Color::gray().isDynamic());
    EXPECT_EQ(Color::gray(), Color::white(0.5));
    EXPECT_EQ(Color::clear().alpha(), 0.0);
}

TEST(Color, NamedColoursAreFoundByTheirPlatformNames) {
    EXPECT_EQ(gfx::systemColorNamed("systemTealColor"), SystemColor::Teal);
    EXPECT_EQ(gfx::systemColorNamed("tertiaryLabelColor"), SystemColor::TertiaryLabel);
    EXPECT_FALSE(gfx::systemColorNamed("systemTeal").has_value());
}

TEST(Color, AlphaComponentKeepsHueAndDynamism) {
    Color half = Color::systemBlue().withAlphaComponent(0.4);
    ASSERT_TRUE(half.isDynamic());
    Color dark = half.resolved(TraitCollection::dark());
    EXPECT_NEAR(dark.alpha(), 0.4, 1e-12);
    EXPECT_NEAR(dark.red(), 10 / 255.0, 1e-12);
    Color plain = Color(0.2, 0.3, 0.4).withAlphaComponent(0);
    EXPECT_EQ(plain, Color(0.2, 0.3, 0.4, 0));
}

TEST(Color, PlainColoursResolveToThemselvesAndProvidersNest) {
    Color plain(0.1, 0.2, 0.3, 0.5);
    EXPECT_EQ(plain.resolved(TraitCollection::dark()), plain);
    Color nested = Color::dynamic([](const TraitCollection&) { return Color::label(); });
    EXPECT_TRUE(nested.resolved(TraitCollection::dark()).isApproximately({1, 1, 1, 1}));
    EXPECT_FALSE(nested.resolved(TraitCollection::dark()).isDynamic());
}

TEST(Color, DescriptionIsStableAndTellsDynamicColoursApart) {
    EXPECT_EQ(Color(0.784, 0.776, 0.8).description(), "rgba(0.784000 0.776000 0.800000 1.000000)");
    EXPECT_NE(Color(0.5, 0.5, 0.5, 1).description(), Color(0.5, 0.5, 0.5, 0.99).description());
    EXPECT_EQ(Color::label().description(),
              "dynamic(light: rgba(0.000000 0.000000 0.000000 1.000000), "
              "dark: rgba(1.000000 1.000000 1.000000 1.000000))");
}

}  // namespace
