#pragma once

namespace gfx {

// Which corners of a rectangle are rounded; the values match the platform's corner mask.
enum Corner : unsigned {
    TopLeftCorner = 1,
    TopRightCorner = 2,
    BottomLeftCorner = 4,
    BottomRightCorner = 8,
    AllCorners = 15,
};

enum class CornerCurve {
    Circular,    // quarter circles
    Continuous,  // a smooth, squircle-like curve that starts further from the corner
};

struct CornerStyle {
    double radius = 0;
    CornerCurve curve = CornerCurve::Circular;
    unsigned corners = AllCorners;

    static CornerStyle circular(double radius, unsigned corners = AllCorners) {
        return {radius, CornerCurve::Circular, corners};
    }
    static CornerStyle continuous(double radius, unsigned corners = AllCorners) {
        return {radius, CornerCurve::Continuous, corners};
    }
};

}  // namespace gfx
