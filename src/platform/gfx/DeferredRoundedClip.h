#pragma once

// A rounded clip the painter has not yet handed to Cairo. Internal to gfx.
#include <cairo.h>

#include "gfx/CornerStyle.h"
#include "gfx/Geometry.h"

namespace gfx {

// Cairo composites every operation under a non-rectangular clip through a coverage mask
// rendered for that operation, which costs more than most of the drawing itself. Yet only the
// pixels near the rounded corners are partly covered: drawing that keeps clear of them is not
// changed by the clip at all. So the painter keeps the rounded clip here and gives it to Cairo
// only for the operations that reach into a corner or past the rectangle.
class DeferredRoundedClip {
public:
    // Captures the context's current transform, under which `rect` is given.
    DeferredRoundedClip(cairo_t* cr, const Rect& rect, const CornerStyle& corners);

    // Whether drawing confined to the whole device pixels of `deviceBox` comes out the same
    // with and without the clip: the box lies inside the rectangle and outside every rounded
    // corner's square. Conservative: false under a rotating or mirroring transform.
    bool leavesUntouched(const Rect& deviceBox) const;

    // Intersects the context's clip with the rounded shape.
    void applyTo(cairo_t* cr) const;

    // The rectangle in device space when its edges fall on whole pixels: clipping to it is as
    // cheap as having no clip, and trims what a later operation or group has to cover.
    bool isPixelAligned() const;
    void applyBoundingBoxTo(cairo_t* cr) const;

private:
    cairo_matrix_t matrix_;
    Rect rect_;
    CornerStyle corners_;
    bool axisAligned_ = false;
    Rect device_;        // the rectangle in device space (valid when axis-aligned)
    Size deviceCorner_;  // how far each rounded corner reaches along the edges, in device space
};

}  // namespace gfx
