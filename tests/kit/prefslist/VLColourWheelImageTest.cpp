#include <gtest/gtest.h>

#include <cmath>

#include "prefslist/cells/VLColourWheelImage.h"

namespace {

TEST(VLColourWheelImage, HuesGoRoundTheRimOverAWhiteCentreInsideATransparentCorner) {
    gfx::Image wheel = VLColourWheelImage(4.0);
    ASSERT_EQ(wheel.pixelWidth(), 140);
    EXPECT_EQ(wheel.size(), gfx::Size(35, 35));

    // Near the rim: red at the right, green a third of the way round (upper left), blue two
    // thirds round (lower left).
    auto rim = [&](double degrees) {
        double radians = degrees * 3.14159265358979 / 180;
        return wheel.colorAt(static_cast<int>(70 + 62 * std::cos(radians)),
                             static_cast<int>(70 - 62 * std::sin(radians)));
    };
    const auto channel = [](const gfx::Color& c, int i) {
        return i == 0 ? c.red() : i == 1 ? c.green() : c.blue();
    };
    for (int hue = 0; hue < 3; ++hue) {  // each hue strong, the one before it weak
        EXPECT_GT(channel(rim(120 * hue), hue), 0.9) << hue;
        EXPECT_LT(channel(rim(120 * hue), (hue + 2) % 3), 0.2) << hue;
    }

    gfx::Color centre = wheel.colorAt(70, 70);
    EXPECT_GT(std::min({centre.red(), centre.green(), centre.blue()}), 0.95);
    EXPECT_EQ(wheel.colorAt(1, 1).alpha(), 0);
    // The same scale gives the same (shared) image; a bad scale still gives a wheel.
    EXPECT_EQ(VLColourWheelImage(4.0).data(), wheel.data());
    EXPECT_FALSE(VLColourWheelImage(std::nan("")).isNull());
}

}  // namespace
