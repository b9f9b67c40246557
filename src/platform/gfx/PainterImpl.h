#pragma once

// The painter's Cairo state. Internal to gfx.
#include <cairo.h>

#include "gfx/Painter.h"

namespace gfx {

struct Painter::Impl {
    cairo_surface_t* surface = nullptr;
    cairo_t* cr = nullptr;
    double scale = 1;
    Size size;
    TraitCollection traits;

    void setSource(const Color& color) {
        Color c = color.resolved(traits);
        cairo_set_source_rgba(cr, c.red(), c.green(), c.blue(), c.alpha());
    }
};

}  // namespace gfx
