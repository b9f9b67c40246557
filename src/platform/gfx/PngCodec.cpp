#include "gfx/PngCodec.h"

#include <png.h>

#include <csetjmp>
#include <cstring>

#include "gfx/PixelFormat.h"

namespace gfx {
namespace {

void appendToData(png_structp png, png_bytep bytes, png_size_t length) {
    auto* out = static_cast<base::Data*>(png_get_io_ptr(png));
    out->insert(out->end(), bytes, bytes + length);
}

void noFlush(png_structp) {}

bool allOpaque(const std::uint32_t* pixels, int width, int height, int stride) {
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* row = pixels + std::size_t(y) * stride;
        for (int x = 0; x < width; ++x) {
            if ((row[x] >> 24) != 0xff) return false;
        }
    }
    return true;
}

// Fills one output row: RGB for opaque images, straight RGBA otherwise.
void convertRow(const std::uint32_t* row, int width, bool opaque, std::uint8_t* out) {
    if (opaque) {
        for (int x = 0; x < width; ++x, out += 3) {
            out[0] = (row[x] >> 16) & 0xff;
            out[1] = (row[x] >> 8) & 0xff;
            out[2] = row[x] & 0xff;
        }
        return;
    }
    for (int x = 0; x < width; ++x, out += 4) pixel::toStraight(row[x], out);
}

// Everything that libpng may longjmp out of lives here, with only trivial locals.
bool writeRows(png_structp png, png_infop info, const std::uint32_t* pixels, int width, int height,
               int stride, bool opaque, std::uint8_t* rowBuffer) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8,
                 opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 1);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        convertRow(pixels + std::size_t(y) * stride, width, opaque, rowBuffer);
        png_write_row(png, rowBuffer);
    }
    png_write_end(png, info);
    return true;
}

}  // namespace

bool PngCodec::isPng(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= 8 && png_sig_cmp(bytes.data(), 0, 8) == 0;
}

bool PngCodec::decode(std::span<const std::uint8_t> bytes, const DecodeLimits& limits, DecodedPixels& out,
                      std::string& error) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
        error = image.message;
        return false;
    }
    if (!limits.allows(image.width, image.height)) {
        png_image_free(&image);
        error = "image dimensions out of range";
        return false;
    }
    image.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> straight(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, straight.data(), 0, nullptr)) {
        error = image.message;
        png_image_free(&image);
        return false;
    }
    out.width = int(image.width);
    out.height = int(image.height);
    out.pixels.resize(std::size_t(out.width) * out.height);
    for (std::size_t i = 0; i < out.pixels.size(); ++i) out.pixels[i] = pixel::fromStraight(&straight[i * 4]);
    return true;
}

bool PngCodec::encode(const std::uint32_t* pixels, int width, int height, int stride, base::Data& out,
                      std::string& error) {
    if (width <= 0 || height <= 0) {
        error = "empty image";
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        error = "out of memory";
        return false;
    }
    bool opaque = allOpaque(pixels, width, height, stride);
    std::vector<std::uint8_t> rowBuffer(std::size_t(width) * 4);
    out.clear();
    out.reserve(std::size_t(width) * height);
    png_set_write_fn(png, &out, appendToData, noFlush);
    bool written = writeRows(png, info, pixels, width, height, stride, opaque, rowBuffer.data());
    png_destroy_write_struct(&png, &info);
    if (!written) error = "PNG encoder failed";
    return written;
}

}  // namespace gfx
