#pragma once

#include "gfx/Image.h"

namespace ui {

class View;

// Renders a view's layer into a new image, the way an image context opened at the view's size
// and a layer rendered into it would: transparent where nothing is drawn, corners and
// clipping applied, the view's own frame position left out. It needs no window; the view's
// subtree is laid out first. A scale of 0 means the main screen's scale.
class LayerSnapshot {
public:
    // A null image for a view with an empty size.
    static gfx::Image render(View& view, double scale = 0);
};

}  // namespace ui
