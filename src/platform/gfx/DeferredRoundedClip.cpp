#include "gfx/DeferredRoundedClip.h"

#include <cmath>

#include "gfx/CairoPath.h"

namespace gfx {

DeferredRoundedClip::DeferredRoundedClip(cairo_t* cr, const Rect& rect, const CornerStyle& corners)
    : rect_(rect), corners_(corners) {
    cairo_get_matrix(cr, &matrix_);
    // Only a transform that scales (without mirroring) and moves keeps the rectangle's edges
    // and corners where the box test below expects them.
    axisAligned_ = matrix_.xy == 0 && matrix_.yx == 0 && matrix_.xx > 0 && matrix_.yy > 0;
    if (!axisAligned_) return;
    device_ = {matrix_.xx * rect.x + matrix_.x0, matrix_.yy * rect.y + matrix_.y0, matrix_.xx * rect.width,
               matrix_.yy * rect.height};
    double extent = roundedCornerExtent(rect, corners);
    deviceCorner_ = {extent * matrix_.xx, extent * matrix_.yy};
}

bool DeferredRoundedClip::leavesUntouched(const Rect& box) const {
    if (!axisAligned_) return false;
    if (box.minX() < device_.minX() || box.maxX() > device_.maxX() || box.minY() < device_.minY() ||
        box.maxY() > device_.maxY())
        return false;
    const struct {
        Corner bit;
        Rect square;
    } squares[4] = {
        {TopLeftCorner, {device_.minX(), device_.minY(), deviceCorner_.width, deviceCorner_.height}},
        {TopRightCorner,
         {device_.maxX() - deviceCorner_.width, device_.minY(), deviceCorner_.width, deviceCorner_.height}},
        {BottomLeftCorner,
         {device_.minX(), device_.maxY() - deviceCorner_.height, deviceCorner_.width, deviceCorner_.height}},
        {BottomRightCorner,
         {device_.maxX() - deviceCorner_.width, device_.maxY() - deviceCorner_.height, deviceCorner_.width,
          deviceCorner_.height}},
    };
    for (const auto& corner : squares) {
        if (!(corners_.corners & corner.bit)) continue;
        const Rect& q = corner.square;
        bool overlaps =
            box.minX() < q.maxX() && box.maxX() > q.minX() && box.minY() < q.maxY() && box.maxY() > q.minY();
        if (overlaps) return false;
    }
    return true;
}

void DeferredRoundedClip::applyTo(cairo_t* cr) const {
    cairo_matrix_t current;
    cairo_get_matrix(cr, &current);
    cairo_set_matrix(cr, &matrix_);
    cairo_new_path(cr);
    appendRoundedRect(cr, rect_, corners_);
    cairo_clip(cr);
    cairo_set_matrix(cr, &current);
}

bool DeferredRoundedClip::isPixelAligned() const {
    auto whole = [](double v) { return v == std::round(v); };
    return axisAligned_ && whole(device_.minX()) && whole(device_.minY()) && whole(device_.maxX()) &&
           whole(device_.maxY());
}

void DeferredRoundedClip::applyBoundingBoxTo(cairo_t* cr) const {
    cairo_matrix_t current;
    cairo_get_matrix(cr, &current);
    cairo_identity_matrix(cr);
    cairo_new_path(cr);
    cairo_rectangle(cr, device_.x, device_.y, device_.width, device_.height);
    cairo_clip(cr);
    cairo_set_matrix(cr, &current);
}

}  // namespace gfx
