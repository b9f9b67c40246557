#pragma once

// TextLayout's private state, shared with the painter. Internal to gfx.
#include <pango/pango.h>

#include "gfx/TextLayout.h"

namespace gfx {

struct TextLayout::Impl {
    std::string text;
    Font font;
    std::optional<double> width;
    int maximumLines = 0;
    TextAlignment alignment = TextAlignment::Natural;
    PangoLayout* layout = nullptr;

    Impl(std::string text, Font font);
    ~Impl();
    void applyText();
    void applyWidthAndLines();
    void applyAlignment();
};

}  // namespace gfx
