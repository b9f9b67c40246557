#pragma once

// PNG through libpng. Internal to gfx: Image and Painter use it.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "base/Value.h"

namespace gfx {

// What a decoder accepts before it allocates anything for the pixels.
struct DecodeLimits {
    long long maximumDimension;
    long long maximumPixels;
    bool allows(long long width, long long height) const {
        return width > 0 && height > 0 && width <= maximumDimension && height <= maximumDimension &&
               width * height <= maximumPixels;
    }
};

struct DecodedPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // stored words, see Image
};

class PngCodec {
public:
    static bool isPng(std::span<const std::uint8_t> bytes);
    // False (with a reason in `error`) on bad data or an image beyond the limits.
    static bool decode(std::span<const std::uint8_t> bytes, const DecodeLimits& limits, DecodedPixels& out,
                       std::string& error);
    // `stride` in words. A fast zlib level: snapshots are written far more often than they
    // are stored for long, and the size difference on interface pictures is small.
    static bool encode(const std::uint32_t* pixels, int width, int height, int stride, base::Data& out,
                       std::string& error);
};

}  // namespace gfx
