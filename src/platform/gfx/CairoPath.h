#pragma once

// Path construction on a Cairo context. Internal to gfx.
#include <cairo.h>

#include "gfx/CornerStyle.h"
#include "gfx/Geometry.h"

namespace gfx {

// Appends a closed path for `rect` with the corners of `style` rounded.
void appendRoundedRect(cairo_t* cr, const Rect& rect, const CornerStyle& style);

// How far a rounded corner of `style` reaches along each edge from the corner in `rect` (the
// radius is capped by the rectangle's size); zero when no corner is rounded.
double roundedCornerExtent(const Rect& rect, const CornerStyle& style);

}  // namespace gfx
