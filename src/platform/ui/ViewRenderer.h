#pragma once

namespace gfx {
class Painter;
}

namespace ui {

class View;

// Draws a view tree through a painter, as it is presented now (running animations applied).
// For each visible view, in its superview's coordinates:
//   1. skip it if hidden or (almost) fully transparent;
//   2. move to its centre, apply its transform (2D part), move back by its bounds' centre;
//      a masked view opens a layer that its mask's alpha composites at the end;
//   3. open an opacity group if it is translucent and draws more than one thing (a group
//      keeps overlapping children from showing through each other);
//   4. background (rounded by the layer's corners), then, clipped to the same shape when the
//      view clips, its own content and its subviews in order;
//   5. the border on top, then the group is composited at the view's alpha.
class ViewRenderer {
public:
    static void drawHierarchy(View& view, gfx::Painter& painter);
    // Draws the view's layer in its own coordinates, as a snapshot of it: its bounds' origin
    // at the painter's origin, its frame position and its own transform left out, its alpha,
    // corners, clipping, mask and subviews kept.
    static void renderInContext(View& view, gfx::Painter& painter);
};

}  // namespace ui
