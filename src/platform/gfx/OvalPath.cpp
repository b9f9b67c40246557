#include "gfx/OvalPath.h"

#include <cmath>

#include "gfx/PainterImpl.h"

namespace gfx {

namespace {

void appendOval(cairo_t* cr, const Rect& rect) {
    cairo_new_path(cr);
    cairo_save(cr);
    cairo_translate(cr, rect.midX(), rect.midY());
    cairo_scale(cr, rect.width / 2, rect.height / 2);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_close_path(cr);
    cairo_restore(cr);
}

}  // namespace

void OvalPath::clip(Painter& painter, const Rect& rect) {
    cairo_t* cr = painter.impl().cr;
    if (rect.isEmpty()) {
        cairo_new_path(cr);
        cairo_rectangle(cr, 0, 0, 0, 0);
    } else {
        appendOval(cr, rect);
    }
    cairo_clip(cr);
}

void OvalPath::stroke(Painter& painter, const Rect& rect, const Color& color, double lineWidth) {
    if (rect.isEmpty() || !(lineWidth > 0)) return;
    cairo_t* cr = painter.impl().cr;
    cairo_save(cr);
    appendOval(cr, rect);
    painter.impl().setSource(color);
    cairo_set_line_width(cr, lineWidth);
    cairo_stroke(cr);
    cairo_restore(cr);
}

}  // namespace gfx
