#include "ui/LayerSnapshot.h"

#include "gfx/ImageContext.h"
#include "ui/Application.h"
#include "ui/View.h"
#include "ui/ViewRenderer.h"

namespace ui {

gfx::Image LayerSnapshot::render(View& view, double scale) {
    view.layoutIfNeeded();
    const gfx::Size size = view.bounds().size();
    if (!(size.width > 0) || !(size.height > 0)) return {};
    if (!(scale > 0)) scale = Application::shared().mainScreenScale();
    gfx::ImageContext context(size, scale, view.traitCollection());
    ViewRenderer::renderInContext(view, context.painter());
    return context.image();
}

}  // namespace ui
