#pragma once

#include "ui/PanGestureRecognizer.h"

namespace ui {

// Which screen edges an edge pan answers to: an option set. Leading and trailing follow the
// window's layout direction (leading is the left edge left-to-right, the right edge
// right-to-left).
enum ScreenEdges : unsigned {
    ScreenEdgeNone = 0,
    ScreenEdgeTop = 1u << 0,
    ScreenEdgeLeft = 1u << 1,
    ScreenEdgeBottom = 1u << 2,
    ScreenEdgeRight = 1u << 3,
    ScreenEdgeLeading = 1u << 4,
    ScreenEdgeTrailing = 1u << 5,
};

// A pan that starts only from a screen edge: the finger must come down within 20 points of one
// of the chosen edges of the window; it then behaves as a pan. With no edges it never begins.
class ScreenEdgePanGestureRecognizer : public PanGestureRecognizer {
public:
    static constexpr double kEdgeMargin = 20;

    static std::shared_ptr<ScreenEdgePanGestureRecognizer> create(unsigned edges = ScreenEdgeNone);
    const char* className() const override { return "ScreenEdgePanGestureRecognizer"; }

    unsigned edges() const { return edges_; }
    void setEdges(unsigned edges) { edges_ = edges; }

protected:
    ScreenEdgePanGestureRecognizer() = default;
    bool touchMayStartPan(const Touch& touch) override;

private:
    // The edges as top, left, bottom and right for the window's layout direction.
    unsigned physicalEdges() const;

    unsigned edges_ = ScreenEdgeNone;
};

}  // namespace ui
