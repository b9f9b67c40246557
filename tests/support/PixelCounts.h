#pragma once

#include <algorithm>
#include <cstdlib>

#include "gfx/Image.h"

namespace testsupport {

// The number of pixels of `image` for which `matches(pixel)` holds.
template <typename Predicate>
int countPixels(const gfx::Image& image, Predicate matches) {
    int count = 0;
    for (int y = 0; y < image.pixelHeight(); ++y) {
        for (int x = 0; x < image.pixelWidth(); ++x) count += matches(image.pixelAt(x, y)) ? 1 : 0;
    }
    return count;
}

// The largest difference in any channel between two images of one pixel size.
inline int largestDifference(const gfx::Image& a, const gfx::Image& b) {
    int worst = 0;
    for (int y = 0; y < a.pixelHeight(); ++y) {
        for (int x = 0; x < a.pixelWidth(); ++x) {
            auto p = a.pixelAt(x, y), q = b.pixelAt(x, y);
            worst = std::max({worst, std::abs(p.alpha - q.alpha), std::abs(p.red - q.red),
                              std::abs(p.green - q.green), std::abs(p.blue - q.blue)});
        }
    }
    return worst;
}

}  // namespace testsupport
