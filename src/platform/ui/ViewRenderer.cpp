#include "ui/ViewRenderer.h"

#include "gfx/Painter.h"
#include "ui/View.h"

namespace ui {

namespace {

// What is drawn follows the presentation: a view fading out is still visible.
bool isVisible(const View& view) { return !view.isHidden() && view.presentationAlpha() >= 0.01; }

bool hasVisibleSubviews(const View& view) {
    for (const auto& subview : view.subviews()) {
        if (isVisible(*subview)) return true;
    }
    return false;
}

void fillShape(gfx::Painter& painter, const gfx::Rect& rect, const Layer& layer, const gfx::Color& color) {
    if (layer.hasRoundedCorners()) {
        painter.fillRoundedRect(rect, layer.cornerStyle(), color);
    } else {
        painter.fillRect(rect, color);
    }
}

// The painter keeps strokes inside the rectangle, as a layer border lies inside its bounds.
void drawBorder(gfx::Painter& painter, const gfx::Rect& bounds, const Layer& layer, double alpha) {
    gfx::Color color = layer.borderColor().withAlphaComponent(layer.borderColor().alpha() * alpha);
    if (layer.hasRoundedCorners()) {
        painter.strokeRoundedRect(bounds, layer.cornerStyle(), color, layer.borderWidth());
    } else {
        painter.strokeRect(bounds, color, layer.borderWidth());
    }
}

// Steps 3 to 5, in the view's bounds coordinates.
void drawLayer(View& view, gfx::Painter& painter, const View::Presentation& shown) {
    const gfx::Rect bounds = shown.bounds();
    const double alpha = shown.alpha;
    const Layer& layer = view.layer();
    gfx::Color background = shown.backgroundColor.resolved(painter.traitCollection());
    bool drawsBackground = background.alpha() > 0;
    bool drawsBorder = layer.borderWidth() > 0 && layer.borderColor().alpha() > 0;
    if (layer.mask()) painter.beginLayer();

    // 3. A translucent view needs a group only when its parts could overlap.
    int parts = (drawsBackground ? 1 : 0) + (drawsBorder ? 1 : 0) + (view.hasContent() ? 1 : 0) +
                (hasVisibleSubviews(view) ? 2 : 0);
    bool group = alpha < 1 && parts > 1;
    double partAlpha = group ? 1.0 : alpha;
    if (group) painter.beginLayer();

    // 4. Background, content and subviews.
    if (drawsBackground)
        fillShape(painter, bounds, layer, background.withAlphaComponent(background.alpha() * partAlpha));
    if (view.hasContent() || hasVisibleSubviews(view)) {
        painter.save();
        if (view.clipsToBounds()) {
            if (layer.hasRoundedCorners()) {
                painter.clipToRoundedRect(bounds, layer.cornerStyle());
            } else {
                painter.clipToRect(bounds);
            }
        }
        bool contentGroup = !group && partAlpha < 1 && view.hasContent();
        if (contentGroup) painter.beginLayer();
        view.draw(painter, bounds);
        if (contentGroup) painter.endLayer(partAlpha);
        for (const auto& subview : std::vector(view.subviews()))
            ViewRenderer::drawHierarchy(*subview, painter);
        painter.restore();
    }

    // 5. Border on top; then the group at the view's alpha.
    if (drawsBorder) drawBorder(painter, bounds, layer, partAlpha);
    if (group) painter.endLayer(alpha);
    if (layer.mask()) painter.endLayerWithMask(*layer.mask());
}

}  // namespace

void ViewRenderer::drawHierarchy(View& view, gfx::Painter& painter) {
    // 1. Invisible views draw nothing, nor do their subviews.
    if (!isVisible(view)) return;
    View::Presentation shown = view.presentation();
    gfx::Rect bounds = shown.bounds();

    // 2. Into the view's bounds coordinates; the transform works about the centre.
    painter.save();
    painter.translate(shown.center.x, shown.center.y);
    if (!shown.transform.isIdentity()) painter.concat(shown.transform.affine());
    painter.translate(-bounds.midX(), -bounds.midY());
    drawLayer(view, painter, shown);
    painter.restore();
}

void ViewRenderer::renderInContext(View& view, gfx::Painter& painter) {
    if (!isVisible(view)) return;
    View::Presentation shown = view.presentation();
    gfx::Rect bounds = shown.bounds();
    painter.save();
    painter.translate(-bounds.x, -bounds.y);
    drawLayer(view, painter, shown);
    painter.restore();
}

}  // namespace ui
