#pragma once

namespace gfx {
class Painter;
}

namespace ui {

class View;

// Draws a view tree through a painter. For each visible view, in its superview's coordinates:
//   1. skip it if hidden or (almost) fully transparent;
//   2. move to its frame and its bounds origin;
//   3. open an opacity group if it is translucent and draws more than one thing (a group
//      keeps overlapping children from showing through each other);
//   4. background (rounded by the layer's corners), then, clipped to the same shape when the
//      view clips, its own content and its subviews in order;
//   5. the border on top, then the group is composited at the view's alpha.
class ViewRenderer {
public:
    static void drawHierarchy(View& view, gfx::Painter& painter);
};

}  // namespace ui
