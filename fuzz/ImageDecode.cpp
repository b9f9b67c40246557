// Images arrive from preference files, photo folders and downloads: whatever the bytes,
// decoding gives an image or an error, never a crash, and a decoded image encodes again.
#include <cstddef>
#include <cstdint>
#include <span>

#include "gfx/Image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto image = gfx::Image::decode(std::span<const std::uint8_t>(data, size));
    if (image.ok()) {
        const gfx::Image& decoded = image.value();
        if (decoded.isNull() || decoded.pixelWidth() <= 0 || decoded.pixelHeight() <= 0) __builtin_trap();
        // Keep the work per input small: re-encode only modest images.
        if (std::int64_t(decoded.pixelWidth()) * decoded.pixelHeight() <= 256 * 256) {
            auto png = decoded.encodePng();
            if (!png.ok() || !gfx::Image::decode(png.value()).ok()) __builtin_trap();
        }
    }
    return 0;
}
