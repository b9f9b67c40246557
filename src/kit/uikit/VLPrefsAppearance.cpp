#include "uikit/VLPrefsAppearance.h"

namespace {

struct Components {
    double red, green, blue;
};

// The dark member is used exactly for the dark style; light and unspecified get the light one.
gfx::Color pair(Components light, Components dark) {
    return gfx::Color::dynamic([light, dark](const gfx::TraitCollection& traits) {
        const Components& c = traits.userInterfaceStyle == gfx::UserInterfaceStyle::Dark ? dark : light;
        return gfx::Color(c.red, c.green, c.blue, 1.0);
    });
}

}  // namespace

gfx::Color VLPrefsAppearance::primaryColour() { return pair({0.95, 0.95, 0.96}, {0.11, 0.11, 0.12}); }
gfx::Color VLPrefsAppearance::secondaryColour() { return pair({1.0, 1.0, 1.0}, {0.17, 0.17, 0.18}); }
gfx::Color VLPrefsAppearance::tertiaryColour() { return pair({0.93, 0.93, 0.94}, {0.24, 0.24, 0.25}); }
gfx::Color VLPrefsAppearance::lineColour() { return pair({0.85, 0.85, 0.86}, {0.21, 0.21, 0.22}); }
gfx::Color VLPrefsAppearance::cellSecondaryColour() { return pair({0.91, 0.91, 0.91}, {0.2, 0.2, 0.22}); }
gfx::Color VLPrefsAppearance::enabledColour() { return pair({0.33, 0.91, 0.49}, {0.33, 0.91, 0.49}); }
gfx::Color VLPrefsAppearance::enabledBorderColour() { return pair({0.3, 0.92, 0.48}, {0.29, 0.87, 0.45}); }
gfx::Color VLPrefsAppearance::enabledShadowColour() { return pair({0.3, 0.81, 0.42}, {0.24, 0.96, 0.4}); }
gfx::Color VLPrefsAppearance::disabledColour() { return pair({1.0, 0.27, 0.23}, {1.0, 0.27, 0.23}); }
gfx::Color VLPrefsAppearance::disabledBorderColour() { return pair({0.97, 0.3, 0.25}, {0.97, 0.3, 0.26}); }
gfx::Color VLPrefsAppearance::disabledShadowColour() { return pair({0.87, 0.19, 0.15}, {0.76, 0.13, 0.09}); }
gfx::Color VLPrefsAppearance::velliumAccentColour() { return gfx::Color::systemTeal(); }
