#pragma once

#include <optional>

#include "gfx/Color.h"
#include "gfx/Font.h"

namespace ui {

// How a control draws a title: each attribute that is left empty comes from the next source
// the control consults (another state, the appearance, the control's default).
struct TextAttributes {
    std::optional<gfx::Font> font;
    std::optional<gfx::Color> foregroundColor;

    bool operator==(const TextAttributes&) const = default;
};

}  // namespace ui
