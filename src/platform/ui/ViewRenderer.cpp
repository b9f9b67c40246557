#include "ui/ViewRenderer.h"

#include "gfx/Painter.h"
#include "ui/View.h"

namespace ui {

namespace {

bool isVisible(const View& view) { return !view.isHidden() && view.alpha() >= 0.01; }

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

void drawBorder(gfx::Painter& painter, const gfx::Rect& bounds, const Layer& layer) {
    double width = layer.borderWidth();
    if (width <= 0 || layer.borderColor().alpha() <= 0) return;
    // The border lies inside the bounds: stroke along a rectangle inset by half its width.
    gfx::Rect path = bounds.insetBy(width / 2, width / 2);
    if (path.isEmpty()) return;
    if (layer.hasRoundedCorners()) {
        gfx::CornerStyle corners = layer.cornerStyle();
        corners.radius = std::max(0.0, corners.radius - width / 2);
        painter.strokeRoundedRect(path, corners, layer.borderColor(), width);
    } else {
        painter.strokeRect(path, layer.borderColor(), width);
    }
}

}  // namespace

void ViewRenderer::drawHierarchy(View& view, gfx::Painter& painter) {
    // 1. Invisible views draw nothing, nor do their subviews.
    if (!isVisible(view)) return;
    gfx::Rect frame = view.frame();
    gfx::Rect bounds = view.bounds();
    const Layer& layer = view.layer();
    gfx::Color background = view.backgroundColor().resolved(painter.traitCollection());
    bool drawsBackground = background.alpha() > 0;
    bool drawsBorder = layer.borderWidth() > 0 && layer.borderColor().alpha() > 0;

    // 2. Into the view's bounds coordinates.
    painter.save();
    painter.translate(frame.x - bounds.x, frame.y - bounds.y);

    // 3. A translucent view needs a group only when its parts could overlap.
    int parts = (drawsBackground ? 1 : 0) + (drawsBorder ? 1 : 0) + (view.hasContent() ? 1 : 0) +
                (hasVisibleSubviews(view) ? 2 : 0);
    bool group = view.alpha() < 1 && parts > 1;
    double partAlpha = group ? 1.0 : view.alpha();
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
        for (const auto& subview : std::vector(view.subviews())) drawHierarchy(*subview, painter);
        painter.restore();
    }

    // 5. Border on top; then the group at the view's alpha.
    if (drawsBorder) {
        Layer faded = layer;
        faded.setBorderColor(layer.borderColor().withAlphaComponent(layer.borderColor().alpha() * partAlpha));
        drawBorder(painter, bounds, faded);
    }
    if (group) painter.endLayer(view.alpha());
    painter.restore();
}

}  // namespace ui
