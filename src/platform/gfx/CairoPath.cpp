// Rounded rectangle paths.
//
// Circular corners are quarter circles of the radius (capped at half the shorter side).
//
// Continuous corners follow a squircle-like curve: instead of leaving the straight edge
// abruptly at a distance r from the corner, the curve starts 1.528665 r from it with zero
// curvature, bends through three cubic segments that are symmetric about the corner's
// diagonal, and meets the other edge the same way. Each corner is described in a local frame
// (u along the edge the path arrives on, measured away from the corner; v along the edge it
// leaves on), so the same table serves all four corners. The end tangent of the first
// segment is collinear with the start tangent of the middle one, so the outline is smooth.
#include "gfx/CairoPath.h"

#include <algorithm>
#include <cmath>

namespace gfx {
namespace {

constexpr double kContinuousExtent = 1.528665;

struct LocalPoint {
    double u, v;
};

// Segment control points after the start point (u = extent, v = 0), for radius 1.
constexpr LocalPoint kContinuousSegments[3][3] = {
    {{1.088493, 0.0}, {0.837301, 0.0}, {0.631494, 0.074911}},
    {{0.372824, 0.169059}, {0.169059, 0.372824}, {0.074911, 0.631494}},
    {{0.0, 0.837301}, {0.0, 1.088493}, {0.0, kContinuousExtent}},
};

struct CornerFrame {
    Point corner;
    Point alongIn;   // unit vector from the corner back along the arriving edge
    Point alongOut;  // unit vector from the corner along the leaving edge

    Point at(double u, double v, double r) const {
        return {corner.x + (alongIn.x * u + alongOut.x * v) * r,
                corner.y + (alongIn.y * u + alongOut.y * v) * r};
    }
};

void continuousCorner(cairo_t* cr, const CornerFrame& frame, double r) {
    Point start = frame.at(kContinuousExtent, 0, r);
    cairo_line_to(cr, start.x, start.y);
    for (const auto& segment : kContinuousSegments) {
        Point c1 = frame.at(segment[0].u, segment[0].v, r);
        Point c2 = frame.at(segment[1].u, segment[1].v, r);
        Point end = frame.at(segment[2].u, segment[2].v, r);
        cairo_curve_to(cr, c1.x, c1.y, c2.x, c2.y, end.x, end.y);
    }
}

void circularCorner(cairo_t* cr, const CornerFrame& frame, double r) {
    Point centre = frame.at(1, 1, r);
    Point start = frame.at(1, 0, r);
    double startAngle = std::atan2(start.y - centre.y, start.x - centre.x);
    cairo_line_to(cr, start.x, start.y);
    cairo_arc(cr, centre.x, centre.y, r, startAngle, startAngle + M_PI / 2);
}

double cappedRadius(const Rect& rect, const CornerStyle& style) {
    double shorterHalf = std::min(rect.width, rect.height) / 2;
    bool continuous = style.curve == CornerCurve::Continuous;
    double radius = std::max(0.0, style.radius);
    return std::min(radius, continuous ? shorterHalf / kContinuousExtent : shorterHalf);
}

}  // namespace

double roundedCornerExtent(const Rect& rect, const CornerStyle& style) {
    if (rect.isEmpty() || (style.corners & AllCorners) == 0) return 0;
    double radius = cappedRadius(rect, style);
    return style.curve == CornerCurve::Continuous ? radius * kContinuousExtent : radius;
}

void appendRoundedRect(cairo_t* cr, const Rect& rect, const CornerStyle& style) {
    if (rect.isEmpty()) return;
    bool continuous = style.curve == CornerCurve::Continuous;
    double radius = cappedRadius(rect, style);
    if (radius <= 0 || (style.corners & AllCorners) == 0) {
        cairo_rectangle(cr, rect.x, rect.y, rect.width, rect.height);
        return;
    }
    // Clockwise from the top-left corner; each corner's frame points back along the edge the
    // path arrives on and forward along the one it leaves on.
    const struct {
        Corner bit;
        CornerFrame frame;
    } corners[4] = {
        {TopLeftCorner, {{rect.minX(), rect.minY()}, {0, 1}, {1, 0}}},
        {TopRightCorner, {{rect.maxX(), rect.minY()}, {-1, 0}, {0, 1}}},
        {BottomRightCorner, {{rect.maxX(), rect.maxY()}, {0, -1}, {-1, 0}}},
        {BottomLeftCorner, {{rect.minX(), rect.maxY()}, {1, 0}, {0, -1}}},
    };
    cairo_new_sub_path(cr);
    for (const auto& corner : corners) {
        if (!(style.corners & corner.bit)) {
            cairo_line_to(cr, corner.frame.corner.x, corner.frame.corner.y);
        } else if (continuous) {
            continuousCorner(cr, corner.frame, radius);
        } else {
            circularCorner(cr, corner.frame, radius);
        }
    }
    cairo_close_path(cr);
}

}  // namespace gfx
