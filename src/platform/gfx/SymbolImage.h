#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "gfx/Image.h"

namespace gfx {

// The platform's system symbol images by name. Each name maps onto an icon of the Material
// Icons font, which is reached by ligature: the icon's own name set in that font shapes to a
// single glyph. Symbols are template images (drawn in the tint colour). A name that is not in
// the table gives a null image. The table is in SymbolNames.cpp; a tweak's own names can be
// added at run time with `registerName`.
class SymbolImage {
public:
    static constexpr double kDefaultPointSize = 17;

    static Image named(std::string_view name, double pointSize = kDefaultPointSize, double scale = 2.0);

    // The Material Icons ligature a name maps onto, if any.
    static std::optional<std::string> ligatureFor(std::string_view name);
    // Adds or replaces a name. Returns false (and changes nothing) when the ligature does not
    // shape to exactly one glyph of the icon font.
    static bool registerName(std::string name, std::string ligature);
    // True when `ligature` shapes to exactly one glyph of the icon font.
    static bool ligatureShapesToOneGlyph(const std::string& ligature);
};

}  // namespace gfx
