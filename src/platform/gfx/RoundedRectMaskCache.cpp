#include "gfx/RoundedRectMaskCache.h"

#include <cmath>

#include "gfx/CairoPath.h"

namespace gfx {

RoundedRectMaskCache::~RoundedRectMaskCache() {
    for (Entry& entry : entries_) cairo_surface_destroy(entry.mask);
}

bool RoundedRectMaskCache::Entry::matches(const Entry& other) const {
    return scale == other.scale && width == other.width && height == other.height &&
           offsetX == other.offsetX && offsetY == other.offsetY && corners.radius == other.corners.radius &&
           corners.curve == other.corners.curve && corners.corners == other.corners.corners;
}

bool RoundedRectMaskCache::fill(cairo_t* cr, const Rect& rect, const CornerStyle& corners) {
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    if (m.xy != 0 || m.yx != 0 || m.xx <= 0 || m.xx != m.yy || rect.isEmpty()) return false;
    double deviceX = m.xx * rect.x + m.x0, deviceY = m.yy * rect.y + m.y0;
    double pixelX = std::floor(deviceX), pixelY = std::floor(deviceY);
    Entry key{m.xx, rect.width, rect.height, deviceX - pixelX, deviceY - pixelY, corners, nullptr};
    cairo_surface_t* mask = maskFor(key, rect);
    if (!mask) return false;
    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_mask_surface(cr, mask, pixelX, pixelY);
    cairo_restore(cr);
    if (!key.mask) cairo_surface_destroy(mask);  // too large to keep
    return true;
}

cairo_surface_t* RoundedRectMaskCache::maskFor(Entry& key, const Rect& rect) {
    for (const Entry& entry : entries_) {
        if (entry.matches(key)) {
            key.mask = entry.mask;
            return entry.mask;
        }
    }
    int width = int(std::ceil(key.offsetX + rect.width * key.scale));
    int height = int(std::ceil(key.offsetY + rect.height * key.scale));
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384) return nullptr;
    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, width, height);
    cairo_t* mc = cairo_create(mask);
    // The shape where the fill would put it, relative to the mask's first pixel.
    cairo_translate(mc, key.offsetX, key.offsetY);
    cairo_scale(mc, key.scale, key.scale);
    appendRoundedRect(mc, {0, 0, rect.width, rect.height}, key.corners);
    cairo_fill(mc);
    cairo_destroy(mc);
    if (std::size_t(width) * std::size_t(height) > kMaximumPixels) return mask;
    key.mask = mask;
    if (entries_.size() < kMaximumEntries) {
        entries_.push_back(key);
    } else {
        cairo_surface_destroy(entries_[nextToReplace_].mask);
        entries_[nextToReplace_] = key;
        nextToReplace_ = (nextToReplace_ + 1) % kMaximumEntries;
    }
    return mask;
}

}  // namespace gfx
