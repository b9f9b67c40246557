#include "ui/Transform3D.h"

namespace ui {

Transform3D Transform3D::fromAffine(const gfx::AffineTransform& t) {
    Transform3D result;
    result.set(0, 0, t.a);
    result.set(0, 1, t.b);
    result.set(1, 0, t.c);
    result.set(1, 1, t.d);
    result.set(3, 0, t.tx);
    result.set(3, 1, t.ty);
    return result;
}

Transform3D Transform3D::translated(double x, double y, double z) const {
    Transform3D step;
    step.set(3, 0, x);
    step.set(3, 1, y);
    step.set(3, 2, z);
    return step.concatenating(*this);
}

Transform3D Transform3D::scaled(double x, double y, double z) const {
    Transform3D step;
    step.set(0, 0, x);
    step.set(1, 1, y);
    step.set(2, 2, z);
    return step.concatenating(*this);
}

Transform3D Transform3D::concatenating(const Transform3D& other) const {
    Transform3D result;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            double sum = 0;
            for (int k = 0; k < 4; ++k) sum += at(row, k) * other.at(k, column);
            result.set(row, column, sum);
        }
    }
    return result;
}

gfx::AffineTransform Transform3D::affine() const {
    return {at(0, 0), at(0, 1), at(1, 0), at(1, 1), at(3, 0), at(3, 1)};
}

Transform3D Transform3D::interpolate(const Transform3D& from, const Transform3D& to, double progress) {
    Transform3D result;
    for (std::size_t i = 0; i < result.m_.size(); ++i)
        result.m_[i] = from.m_[i] + (to.m_[i] - from.m_[i]) * progress;
    return result;
}

}  // namespace ui
