#pragma once

#include <optional>

#include "gfx/Geometry.h"
#include "ui/EdgeInsets.h"
#include "ui/LayoutAnchor.h"

namespace ui {
class View;
}

// The kit's layout vocabulary: every view of the kit is placed through these calls.
//
// Each call first switches `view` to constraint layout (even when it ends up creating no
// constraint), then creates required equality constraints on `view`'s anchors, one after the
// other in the order listed, activating each as soon as it is made. Constants are added
// unchanged: to keep a view 10 points inside another's trailing or bottom edge, pass -10.
// Nothing is returned, so constraints made here cannot be edited or removed later.
//
// The edge calls skip an absent anchor; the centring calls always create their constraints.
// `size` leaves a zero dimension free, while `width` and `height` constrain to 0 as well.
namespace extension {

using OptionalAnchor = std::optional<ui::LayoutAnchor>;

// top = top + padding.top; leading = leading + padding.left;
// trailing = trailing + padding.right; bottom = bottom + padding.bottom.
void top(ui::View& view, const OptionalAnchor& top, const OptionalAnchor& leading,
         const OptionalAnchor& bottom, const OptionalAnchor& trailing, const ui::EdgeInsets& padding);

void top(ui::View& view, const OptionalAnchor& anchor, double padding);
void leading(ui::View& view, const OptionalAnchor& anchor, double padding);
void trailing(ui::View& view, const OptionalAnchor& anchor, double padding);
void bottom(ui::View& view, const OptionalAnchor& anchor, double padding);

// Width, then height; a dimension of 0 creates no constraint.
void size(ui::View& view, gfx::Size size);
void width(ui::View& view, double width);
void height(ui::View& view, double height);

// Centre X equals `xAnchor`, then centre Y equals `yAnchor`.
void xy(ui::View& view, const ui::LayoutAnchor& xAnchor, const ui::LayoutAnchor& yAnchor);
void x(ui::View& view, const ui::LayoutAnchor& anchor);
void y(ui::View& view, const ui::LayoutAnchor& anchor);
void x(ui::View& view, const ui::LayoutAnchor& anchor, double padding);
void y(ui::View& view, const ui::LayoutAnchor& anchor, double padding);

// Top, leading, trailing and bottom equal the same edges of the superview. A view without a
// superview gets no constraints (a log line says so).
void fill(ui::View& view);

}  // namespace extension
