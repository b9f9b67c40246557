#pragma once

// Conversions between the stored pixel word (premultiplied, alpha in the high byte) and
// straight RGBA bytes, shared by the codecs. Internal to gfx.
#include <cstdint>

namespace gfx::pixel {

inline std::uint32_t pack(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a) {
    return (std::uint32_t(a) << 24) | (std::uint32_t(r) << 16) | (std::uint32_t(g) << 8) | b;
}

inline std::uint8_t premultiply(std::uint8_t channel, std::uint8_t alpha) {
    unsigned t = unsigned(channel) * alpha + 128;
    return std::uint8_t((t + (t >> 8)) >> 8);
}

inline std::uint8_t unpremultiply(std::uint8_t channel, std::uint8_t alpha) {
    if (alpha == 0) return 0;
    unsigned value = (unsigned(channel) * 255 + alpha / 2) / alpha;
    return std::uint8_t(value > 255 ? 255 : value);
}

// Straight RGBA bytes → stored word.
inline std::uint32_t fromStraight(const std::uint8_t* rgba) {
    std::uint8_t a = rgba[3];
    if (a == 255) return pack(rgba[0], rgba[1], rgba[2], 255);
    return pack(premultiply(rgba[0], a), premultiply(rgba[1], a), premultiply(rgba[2], a), a);
}

// Stored word → straight RGBA bytes.
inline void toStraight(std::uint32_t word, std::uint8_t* rgba) {
    std::uint8_t a = word >> 24, r = (word >> 16) & 0xff, g = (word >> 8) & 0xff, b = word & 0xff;
    if (a != 255) {
        r = unpremultiply(r, a);
        g = unpremultiply(g, a);
        b = unpremultiply(b, a);
    }
    rgba[0] = r;
    rgba[1] = g;
    rgba[2] = b;
    rgba[3] = a;
}

}  // namespace gfx::pixel
