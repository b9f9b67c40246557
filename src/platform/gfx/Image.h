#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <vector>

#include "base/Result.h"
#include "base/Value.h"
#include "gfx/Color.h"
#include "gfx/Geometry.h"

namespace gfx {

// One pixel as stored: premultiplied red, green, blue and alpha, 0..255.
struct PremultipliedPixel {
    std::uint8_t red = 0, green = 0, blue = 0, alpha = 0;
    bool operator==(const PremultipliedPixel&) const = default;
};

// A bitmap image: pixels plus the scale they were made at, so that its size in points is its
// pixel size divided by the scale. Pixels are premultiplied RGBA, kept as one 32-bit word
// per pixel (alpha in the high byte, then red, green, blue), the layout the painter draws
// with directly. Images are immutable values; copies share the pixels.
//
// A template image is drawn as a mask: the tint colour wherever the image has alpha.
// A default-constructed image is null ("no image").
class Image {
public:
    static constexpr const char* kErrorDomain = "gfx.Image";
    enum ErrorCode : long { kUnreadable = 1, kUndecodable = 2, kUnencodable = 3, kTooLarge = 4 };
    // Decoders refuse images wider or taller than this, or with more pixels in all, before
    // allocating anything: a hostile header cannot make them claim gigabytes.
    static constexpr int kMaximumDimension = 16384;
    static constexpr long long kMaximumPixels = 64LL * 1024 * 1024;
    // A PNG or JPEG file larger than the biggest decodable image uncompressed is refused
    // before it is read, so a stray huge file never sits in memory.
    static constexpr std::uintmax_t kMaximumFileBytes = std::uintmax_t(kMaximumPixels) * 4;

    Image() = default;
    // `pixels` holds width * height words as described above.
    Image(int pixelWidth, int pixelHeight, std::vector<std::uint32_t> pixels, double scale = 1.0);

    // PNG or JPEG, told apart by the content.
    static base::Result<Image> decode(std::span<const std::uint8_t> bytes, double scale = 1.0);
    static base::Result<Image> fromFile(const std::filesystem::path& path, double scale = 1.0);

    base::Result<base::Data> encodePng() const;
    // `quality` in 0..1; the store writes images at 0.7. Alpha is dropped (onto black).
    base::Result<base::Data> encodeJpeg(double quality) const;

    bool isNull() const { return pixels_ == nullptr; }
    explicit operator bool() const { return !isNull(); }
    int pixelWidth() const { return width_; }
    int pixelHeight() const { return height_; }
    double scale() const { return scale_; }
    Size size() const { return {width_ / scale_, height_ / scale_}; }

    bool isTemplate() const { return template_; }
    Image withTemplate(bool isTemplate) const;
    Image withScale(double scale) const;

    PremultipliedPixel pixelAt(int x, int y) const;
    // The pixel as a straight (not premultiplied) colour.
    Color colorAt(int x, int y) const;
    const std::uint32_t* data() const { return pixels_ ? pixels_->data() : nullptr; }

private:
    std::shared_ptr<const std::vector<std::uint32_t>> pixels_;
    int width_ = 0;
    int height_ = 0;
    double scale_ = 1.0;
    bool template_ = false;
};

}  // namespace gfx
