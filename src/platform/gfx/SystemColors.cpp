// The platform's named colours and their published light and dark values, in one table.
#include <array>
#include <string_view>

#include "gfx/Color.h"
#include "gfx/SystemColor.h"

namespace gfx {
namespace {

struct Rgba {
    double red, green, blue, alpha;
};

struct Entry {
    SystemColor name;
    std::string_view platformName;
    Rgba light;
    Rgba dark;
};

constexpr Rgba bytes(int r, int g, int b, double alpha = 1.0) {
    return {r / 255.0, g / 255.0, b / 255.0, alpha};
}

constexpr std::array kTable{
    Entry{SystemColor::Red, "systemRedColor", bytes(255, 59, 48), bytes(255, 69, 58)},
    Entry{SystemColor::Orange, "systemOrangeColor", bytes(255, 149, 0), bytes(255, 159, 10)},
    Entry{SystemColor::Yellow, "systemYellowColor", bytes(255, 204, 0), bytes(255, 214, 10)},
    Entry{SystemColor::Green, "systemGreenColor", bytes(52, 199, 89), bytes(48, 209, 88)},
    Entry{SystemColor::Blue, "systemBlueColor", bytes(0, 122, 255), bytes(10, 132, 255)},
    Entry{SystemColor::Teal, "systemTealColor", bytes(90, 200, 250), bytes(100, 210, 255)},
    Entry{SystemColor::Indigo, "systemIndigoColor", bytes(88, 86, 214), bytes(94, 92, 230)},
    Entry{SystemColor::Purple, "systemPurpleColor", bytes(175, 82, 222), bytes(191, 90, 242)},
    Entry{SystemColor::Pink, "systemPinkColor", bytes(255, 45, 85), bytes(255, 55, 95)},
    Entry{SystemColor::Gray, "grayColor", {0.5, 0.5, 0.5, 1}, {0.5, 0.5, 0.5, 1}},
    Entry{SystemColor::Label, "labelColor", {0, 0, 0, 1}, {1, 1, 1, 1}},
    Entry{SystemColor::SecondaryLabel, "secondaryLabelColor", bytes(60, 60, 67, 0.6),
          bytes(235, 235, 245, 0.6)},
    Entry{SystemColor::TertiaryLabel, "tertiaryLabelColor", bytes(60, 60, 67, 0.3),
          bytes(235, 235, 245, 0.3)},
    Entry{SystemColor::TertiarySystemFill, "tertiarySystemFillColor", bytes(118, 118, 128, 0.12),
          bytes(118, 118, 128, 0.24)},
    Entry{SystemColor::SystemBackground, "systemBackgroundColor", {1, 1, 1, 1}, {0, 0, 0, 1}},
    Entry{SystemColor::SecondarySystemBackground, "secondarySystemBackgroundColor", bytes(242, 242, 247),
          bytes(28, 28, 30)},
    Entry{SystemColor::Separator, "separatorColor", bytes(60, 60, 67, 0.29), bytes(84, 84, 88, 0.6)},
    Entry{SystemColor::White, "whiteColor", {1, 1, 1, 1}, {1, 1, 1, 1}},
    Entry{SystemColor::Black, "blackColor", {0, 0, 0, 1}, {0, 0, 0, 1}},
    Entry{SystemColor::Clear, "clearColor", {0, 0, 0, 0}, {0, 0, 0, 0}},
};

const Entry& entryFor(SystemColor name) {
    for (const Entry& entry : kTable) {
        if (entry.name == name) return entry;
    }
    return kTable.back();  // unreachable: every enumerator has a row
}

Color toColor(Rgba c) { return {c.red, c.green, c.blue, c.alpha}; }

}  // namespace

Color Color::system(SystemColor name) {
    const Entry& entry = entryFor(name);
    Color light = toColor(entry.light), dark = toColor(entry.dark);
    if (light == dark) return light;  // fixed colours need no provider
    return dynamic(light, dark);
}

std::optional<SystemColor> systemColorNamed(std::string_view name) {
    for (const Entry& entry : kTable) {
        if (entry.platformName == name) return entry.name;
    }
    return std::nullopt;
}

}  // namespace gfx
