#pragma once

// PNG through libpng. Internal to gfx: Image and Painter use it.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "base/Value.h"

namespace gfx {

struct DecodedPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // stored words, see Image
};

class PngCodec {
public:
    static bool isPng(std::span<const std::uint8_t> bytes);
    // False (with a reason in `error`) on bad data or an image beyond `maximumDimension`.
    static bool decode(std::span<const std::uint8_t> bytes, int maximumDimension, DecodedPixels& out,
                       std::string& error);
    // `stride` in words. A fast zlib level: snapshots are written far more often than they
    // are stored for long, and the size difference on interface pictures is small.
    static bool encode(const std::uint32_t* pixels, int width, int height, int stride, base::Data& out,
                       std::string& error);
};

}  // namespace gfx
