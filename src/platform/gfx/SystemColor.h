#pragma once

#include <optional>
#include <string_view>

namespace gfx {

// The platform's named colours, each with a light and a dark value (SystemColors.cpp).
enum class SystemColor {
    Red,
    Orange,
    Yellow,
    Green,
    Blue,
    Teal,
    Indigo,
    Purple,
    Pink,
    Gray,
    Label,
    SecondaryLabel,
    TertiaryLabel,
    TertiarySystemFill,
    SystemBackground,
    SecondarySystemBackground,
    Separator,
    White,
    Black,
    Clear,
};

// Looks a colour up by its platform name ("systemTealColor", "labelColor", "grayColor").
std::optional<SystemColor> systemColorNamed(std::string_view name);

}  // namespace gfx
