#include "gfx/Image.h"

#include <cerrno>

#include "base/Files.h"
#include "gfx/JpegCodec.h"
#include "gfx/PixelFormat.h"
#include "gfx/PngCodec.h"

namespace gfx {
namespace {

base::Error imageError(Image::ErrorCode code, std::string description) {
    return {Image::kErrorDomain, code, std::move(description)};
}

constexpr DecodeLimits kLimits{Image::kMaximumDimension, Image::kMaximumPixels};

}  // namespace

Image::Image(int pixelWidth, int pixelHeight, std::vector<std::uint32_t> pixels, double scale)
    : width_(pixelWidth), height_(pixelHeight), scale_(scale > 0 ? scale : 1.0) {
    if (pixelWidth > 0 && pixelHeight > 0 && pixels.size() == std::size_t(pixelWidth) * pixelHeight) {
        pixels_ = std::make_shared<const std::vector<std::uint32_t>>(std::move(pixels));
    } else {
        width_ = height_ = 0;
    }
}

base::Result<Image> Image::decode(std::span<const std::uint8_t> bytes, double scale) {
    DecodedPixels decoded;
    std::string error;
    bool ok = false;
    if (PngCodec::isPng(bytes)) {
        ok = PngCodec::decode(bytes, kLimits, decoded, error);
    } else if (JpegCodec::isJpeg(bytes)) {
        ok = JpegCodec::decode(bytes, kLimits, decoded, error);
    } else {
        error = "neither PNG nor JPEG data";
    }
    if (!ok) return imageError(kUndecodable, error);
    return Image(decoded.width, decoded.height, std::move(decoded.pixels), scale);
}

base::Result<Image> Image::fromFile(const std::filesystem::path& path, double scale) {
    auto bytes = base::Files::readFile(path, kMaximumFileBytes);
    if (!bytes) {
        if (bytes.error().code == EFBIG) return imageError(kUndecodable, "too large: " + path.string());
        return imageError(kUnreadable, bytes.error().description);
    }
    return decode(bytes.value(), scale);
}

base::Result<base::Data> Image::encodePng() const {
    if (isNull()) return imageError(kUnencodable, "null image");
    base::Data out;
    std::string error;
    if (!PngCodec::encode(data(), width_, height_, width_, out, error))
        return imageError(kUnencodable, error);
    return out;
}

base::Result<base::Data> Image::encodeJpeg(double quality) const {
    if (isNull()) return imageError(kUnencodable, "null image");
    base::Data out;
    std::string error;
    if (!JpegCodec::encode(data(), width_, height_, width_, quality, out, error)) {
        return imageError(kUnencodable, error);
    }
    return out;
}

Image Image::withTemplate(bool isTemplate) const {
    Image copy = *this;
    copy.template_ = isTemplate;
    return copy;
}

Image Image::withScale(double scale) const {
    Image copy = *this;
    if (scale > 0) copy.scale_ = scale;
    return copy;
}

PremultipliedPixel Image::pixelAt(int x, int y) const {
    if (isNull() || x < 0 || y < 0 || x >= width_ || y >= height_) return {};
    std::uint32_t word = (*pixels_)[std::size_t(y) * width_ + x];
    return {std::uint8_t(word >> 16), std::uint8_t(word >> 8), std::uint8_t(word), std::uint8_t(word >> 24)};
}

Color Image::colorAt(int x, int y) const {
    if (isNull() || x < 0 || y < 0 || x >= width_ || y >= height_) return Color::clear();
    std::uint8_t rgba[4];
    pixel::toStraight((*pixels_)[std::size_t(y) * width_ + x], rgba);
    return {rgba[0] / 255.0, rgba[1] / 255.0, rgba[2] / 255.0, rgba[3] / 255.0};
}

}  // namespace gfx
