#pragma once

#include "gfx/Image.h"
#include "gfx/Painter.h"

namespace gfx {

// Offscreen drawing at a scale that ends in an image: begin a context of a size in points,
// draw through its painter, take the image.
class ImageContext {
public:
    ImageContext(Size size, double scale = 1.0, const TraitCollection& traits = {}) : painter_(size, scale) {
        painter_.setTraitCollection(traits);
    }

    Painter& painter() { return painter_; }
    // The pixels drawn so far, at the context's scale. The context may go on drawing.
    Image image() const { return painter_.makeImage(); }

private:
    Painter painter_;
};

}  // namespace gfx
