#pragma once

#include <array>

#include "gfx/Geometry.h"

namespace ui {

// A 4x4 matrix that moves a layer's points in three dimensions, in the platform's layout:
// points are row vectors, x' = x*m11 + y*m21 + z*m31 + m41 (and likewise for y', z'), so the
// translation sits in the last row. The view tree draws the 2D projection of it (z dropped).
//
// `translated` and `scaled` put the new step before the existing ones: starting from the
// identity, `translated(0, -100, 0).scaled(1.5, 1.5, 0)` scales each point first, then moves
// it. Applied to a layer, the matrix works about the layer's centre.
class Transform3D {
public:
    static Transform3D identity() { return {}; }
    static Transform3D fromAffine(const gfx::AffineTransform& t);

    double at(int row, int column) const { return m_[static_cast<std::size_t>(row * 4 + column)]; }
    void set(int row, int column, double value) { m_[static_cast<std::size_t>(row * 4 + column)] = value; }

    // This transform preceded by the step: a point is translated (or scaled) first.
    Transform3D translated(double x, double y, double z) const;
    Transform3D scaled(double x, double y, double z) const;
    // This transform followed by `other`.
    Transform3D concatenating(const Transform3D& other) const;

    // The part that acts on x and y: what is drawn and hit-tested.
    gfx::AffineTransform affine() const;
    bool isIdentity() const { return *this == Transform3D{}; }
    // Each element `progress` of the way from `from` to `to`; exact for translations and
    // scales, which is what views animate.
    static Transform3D interpolate(const Transform3D& from, const Transform3D& to, double progress);

    bool operator==(const Transform3D&) const = default;

private:
    std::array<double, 16> m_{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
};

}  // namespace ui
