#include "ui/ScreenEdgePanGestureRecognizer.h"

#include "ui/Window.h"

namespace ui {

std::shared_ptr<ScreenEdgePanGestureRecognizer> ScreenEdgePanGestureRecognizer::create(unsigned edges) {
    std::shared_ptr<ScreenEdgePanGestureRecognizer> recognizer(new ScreenEdgePanGestureRecognizer());
    recognizer->setEdges(edges);
    return recognizer;
}

unsigned ScreenEdgePanGestureRecognizer::physicalEdges() const {
    unsigned edges = edges_ & (ScreenEdgeTop | ScreenEdgeLeft | ScreenEdgeBottom | ScreenEdgeRight);
    auto view = this->view();
    auto window = view ? view->window() : nullptr;
    bool rightToLeft = window && window->layoutDirection() == LayoutDirection::RightToLeft;
    if (edges_ & ScreenEdgeLeading) edges |= rightToLeft ? ScreenEdgeRight : ScreenEdgeLeft;
    if (edges_ & ScreenEdgeTrailing) edges |= rightToLeft ? ScreenEdgeLeft : ScreenEdgeRight;
    return edges;
}

bool ScreenEdgePanGestureRecognizer::touchMayStartPan(const Touch& touch) {
    auto view = this->view();
    auto window = view ? view->window() : nullptr;
    if (!window) return false;
    gfx::Size screen = window->screenSize();
    gfx::Point at = touch.locationInWindow();
    unsigned edges = physicalEdges();
    return ((edges & ScreenEdgeTop) && at.y <= kEdgeMargin) ||
           ((edges & ScreenEdgeLeft) && at.x <= kEdgeMargin) ||
           ((edges & ScreenEdgeBottom) && at.y >= screen.height - kEdgeMargin) ||
           ((edges & ScreenEdgeRight) && at.x >= screen.width - kEdgeMargin);
}

}  // namespace ui
