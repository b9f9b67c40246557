#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "uikit/VLPrefsAppearance.h"

namespace {

using gfx::Color;
using gfx::TraitCollection;
using gfx::UserInterfaceStyle;

struct PaletteRow {
    const char* name;
    std::function<Color()> entry;
    Color light;
    Color dark;
};

const std::vector<PaletteRow>& palette() {
    static const std::vector<PaletteRow> rows{
        {"primary", VLPrefsAppearance::primaryColour, {0.95, 0.95, 0.96}, {0.11, 0.11, 0.12}},
        {"secondary", VLPrefsAppearance::secondaryColour, {1.0, 1.0, 1.0}, {0.17, 0.17, 0.18}},
        {"tertiary", VLPrefsAppearance::tertiaryColour, {0.93, 0.93, 0.94}, {0.24, 0.24, 0.25}},
        {"line", VLPrefsAppearance::lineColour, {0.85, 0.85, 0.86}, {0.21, 0.21, 0.22}},
        {"cellSecondary", VLPrefsAppearance::cellSecondaryColour, {0.91, 0.91, 0.91}, {0.2, 0.2, 0.22}},
        {"enabled", VLPrefsAppearance::enabledColour, {0.33, 0.91, 0.49}, {0.33, 0.91, 0.49}},
        {"enabledBorder", VLPrefsAppearance::enabledBorderColour, {0.3, 0.92, 0.48}, {0.29, 0.87, 0.45}},
        {"enabledShadow", VLPrefsAppearance::enabledShadowColour, {0.3, 0.81, 0.42}, {0.24, 0.96, 0.4}},
        {"disabled", VLPrefsAppearance::disabledColour, {1.0, 0.27, 0.23}, {1.0, 0.27, 0.23}},
        {"disabledBorder", VLPrefsAppearance::disabledBorderColour, {0.97, 0.3, 0.25}, {0.97, 0.3, 0.26}},
        {"disabledShadow", VLPrefsAppearance::disabledShadowColour, {0.87, 0.19, 0.15}, {0.76, 0.13, 0.09}},
    };
    return rows;
}

TEST(VLPrefsAppearance, EveryEntryResolvesToItsPairAndUnspecifiedMeansLight) {
    for (const PaletteRow& row : palette()) {
        SCOPED_TRACE(row.name);
        Color colour = row.entry();
        EXPECT_TRUE(colour.isDynamic());
        EXPECT_TRUE(colour.resolved(TraitCollection::light()).isApproximately(row.light));
        EXPECT_TRUE(colour.resolved(TraitCollection::dark()).isApproximately(row.dark));
        EXPECT_TRUE(colour.resolved(TraitCollection{}).isApproximately(row.light));
        EXPECT_EQ(colour.resolved(TraitCollection::dark()).alpha(), 1.0);
    }
}

TEST(VLPrefsAppearance, AccentIsTheSystemTealInEachAppearance) {
    for (auto style :
         {UserInterfaceStyle::Unspecified, UserInterfaceStyle::Light, UserInterfaceStyle::Dark}) {
        TraitCollection traits{style};
        EXPECT_TRUE(
            VLPrefsAppearance::velliumAccentColour().isApproximately(Color::systemTeal(), 1e-9, traits));
    }
    EXPECT_FALSE(
        VLPrefsAppearance::velliumAccentColour()
            .resolved(TraitCollection::light())
            .isApproximately(VLPrefsAppearance::velliumAccentColour().resolved(TraitCollection::dark())));
}

}  // namespace
