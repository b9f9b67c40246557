#pragma once

// JPEG through libjpeg-turbo's TurboJPEG interface. Internal to gfx.
#include <span>
#include <string>

#include "gfx/PngCodec.h"

namespace gfx {

class JpegCodec {
public:
    static bool isJpeg(std::span<const std::uint8_t> bytes);
    static bool decode(std::span<const std::uint8_t> bytes, const DecodeLimits& limits, DecodedPixels& out,
                       std::string& error);
    // Premultiplied pixels over black are exactly the stored colour bytes, so they are
    // compressed as they are. `quality` in 0..1.
    static bool encode(const std::uint32_t* pixels, int width, int height, int stride, double quality,
                       base::Data& out, std::string& error);
};

}  // namespace gfx
