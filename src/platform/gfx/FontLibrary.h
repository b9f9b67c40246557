#pragma once

// The kit's private font set and the Pango context every layout is made in. Internal to gfx.
#include <cairo.h>
#include <pango/pango.h>

#include <string>
#include <vector>

#include "gfx/Font.h"

namespace gfx {

// Renders must not depend on what a machine happens to have installed, so the kit builds its
// own fontconfig configuration holding exactly the fonts it relies on: Inter (the system
// font), Noto Color Emoji (emoji fallback) and Material Icons (symbol images). Font options
// are fixed too: greyscale antialiasing, no hinting, unhinted metrics, so that glyph positions
// scale with the drawing scale and golden images match from machine to machine.
class FontLibrary {
public:
    static constexpr const char* kEmojiFamily = "Noto Color Emoji";
    static constexpr const char* kSymbolFamily = "Material Icons";

    static FontLibrary& shared();

    PangoContext* context() const { return context_; }
    bool hasFamily(const std::string& family) const;
    const std::vector<std::string>& families() const { return families_; }
    // The font files in the set (for diagnostics and tests).
    const std::vector<std::string>& files() const { return files_; }

private:
    FontLibrary();
    PangoContext* context_ = nullptr;
    std::vector<std::string> families_;
    std::vector<std::string> files_;
};

struct Font::Resolved {
    std::string family;
    double pointSize = 0;
    FontWeight weight = FontWeight::Regular;
    std::string face;
    PangoFontDescription* description = nullptr;
    mutable bool hasMetrics = false;
    mutable FontMetrics metrics;

    Resolved() = default;
    Resolved(const Resolved&) = delete;
    Resolved& operator=(const Resolved&) = delete;
    ~Resolved() { pango_font_description_free(description); }
};

}  // namespace gfx
