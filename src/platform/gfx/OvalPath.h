#pragma once

#include "gfx/Color.h"
#include "gfx/Geometry.h"
#include "gfx/Painter.h"

namespace gfx {

// The oval inscribed in a rectangle, as a clip or an outline on a painter (round avatars,
// initials images). The clip stays until the painter's state is restored; an empty rectangle
// clips everything away. Both ignore rounded clips the painter has not yet applied, so use
// them on offscreen contexts or outside rounded views.
class OvalPath {
public:
    static void clip(Painter& painter, const Rect& rect);
    static void stroke(Painter& painter, const Rect& rect, const Color& color, double lineWidth = 1);
};

}  // namespace gfx
