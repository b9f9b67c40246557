#include "gfx/JpegCodec.h"

#include <turbojpeg.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <memory>

#include "gfx/PixelFormat.h"

namespace gfx {
namespace {

static_assert(std::endian::native == std::endian::little, "stored pixel words are read as BGRA bytes");

struct HandleCloser {
    void operator()(void* handle) const { tjDestroy(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

}  // namespace

bool JpegCodec::isJpeg(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= 3 && bytes[0] == 0xff && bytes[1] == 0xd8 && bytes[2] == 0xff;
}

bool JpegCodec::decode(std::span<const std::uint8_t> bytes, const DecodeLimits& limits, DecodedPixels& out,
                       std::string& error) {
    Handle handle(tjInitDecompress());
    if (!handle) {
        error = "out of memory";
        return false;
    }
    int width = 0, height = 0, subsampling = 0, colorspace = 0;
    if (tjDecompressHeader3(handle.get(), bytes.data(), static_cast<unsigned long>(bytes.size()), &width,
                            &height, &subsampling, &colorspace) != 0) {
        error = tjGetErrorStr2(handle.get());
        return false;
    }
    if (!limits.allows(width, height)) {
        error = "image dimensions out of range";
        return false;
    }
    std::vector<std::uint32_t> pixels(std::size_t(width) * height);
    // BGRA bytes on a little-endian machine are the stored word with alpha 0xff.
    if (tjDecompress2(handle.get(), bytes.data(), static_cast<unsigned long>(bytes.size()),
                      reinterpret_cast<unsigned char*>(pixels.data()), width, width * 4, height, TJPF_BGRA,
                      TJFLAG_ACCURATEDCT) != 0 &&
        tjGetErrorCode(handle.get()) == TJERR_FATAL) {
        error = tjGetErrorStr2(handle.get());
        return false;
    }
    out.width = width;
    out.height = height;
    out.pixels = std::move(pixels);
    return true;
}

bool JpegCodec::encode(const std::uint32_t* pixels, int width, int height, int stride, double quality,
                       base::Data& out, std::string& error) {
    if (width <= 0 || height <= 0) {
        error = "empty image";
        return false;
    }
    Handle handle(tjInitCompress());
    if (!handle) {
        error = "out of memory";
        return false;
    }
    int jpegQuality = std::clamp(int(std::lround(std::clamp(quality, 0.0, 1.0) * 100)), 1, 100);
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    if (tjCompress2(handle.get(), reinterpret_cast<const unsigned char*>(pixels), width, stride * 4, height,
                    TJPF_BGRX, &jpeg, &size, TJSAMP_420, jpegQuality, 0) != 0) {
        error = tjGetErrorStr2(handle.get());
        tjFree(jpeg);
        return false;
    }
    out.assign(jpeg, jpeg + size);
    tjFree(jpeg);
    return true;
}

}  // namespace gfx
