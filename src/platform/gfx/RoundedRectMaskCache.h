#pragma once

// Coverage masks of rounded rectangles, kept between fills. Internal to gfx.
#include <cairo.h>

#include <vector>

#include "gfx/CornerStyle.h"
#include "gfx/Geometry.h"

namespace gfx {

// Turning a rounded rectangle's curves into a polygon and rasterising it costs Cairo far more
// than covering the pixels, and a screen of cards fills the same few shapes again and again.
// So the coverage of each shape is rendered once into an alpha mask, keyed by everything that
// decides it (size, corners, scale and where it falls within a pixel), and later fills of
// that shape composite the source through the mask.
class RoundedRectMaskCache {
public:
    RoundedRectMaskCache() = default;
    ~RoundedRectMaskCache();
    RoundedRectMaskCache(const RoundedRectMaskCache&) = delete;
    RoundedRectMaskCache& operator=(const RoundedRectMaskCache&) = delete;

    // Fills `rect` (user space) with the context's source through the shape's mask. Returns
    // false, drawing nothing, under a transform other than a uniform scale and a move.
    bool fill(cairo_t* cr, const Rect& rect, const CornerStyle& corners);

private:
    struct Entry {
        double scale, width, height, offsetX, offsetY;
        CornerStyle corners;
        cairo_surface_t* mask;
        bool matches(const Entry& other) const;
    };
    // Sets `key.mask` when the mask is kept; an unkept one belongs to the caller.
    cairo_surface_t* maskFor(Entry& key, const Rect& rect);

    static constexpr std::size_t kMaximumEntries = 24;
    static constexpr std::size_t kMaximumPixels = 1 << 20;  // a mask larger than this is not kept
    std::vector<Entry> entries_;
    std::size_t nextToReplace_ = 0;
};

}  // namespace gfx
