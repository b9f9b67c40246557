// Three successive box filters of radius r approximate a Gaussian with sigma ~ r (central
// limit theorem), at a cost independent of r: each pass keeps a running sum per channel and
// adds the pixel entering the window while dropping the one leaving it. Samples past the
// block's edge repeat the edge pixel, so the edge does not darken. Pixels are premultiplied,
// which is what makes averaging them correct where alpha varies.
#include "gfx/BoxBlur.h"

#include <algorithm>
#include <vector>

namespace gfx {
namespace {

// One box pass over `count` words read `step` apart from `in`, written contiguously to `out`.
void boxPass(const std::uint32_t* in, int step, std::uint32_t* out, int count, int radius) {
    const std::uint32_t window = 2 * std::uint32_t(radius) + 1;
    // (n + window / 2) / window as a multiplication: exact for every n < 2^32 / window, and a
    // channel's sum stays below 256 * window.
    const std::uint64_t reciprocal = ((std::uint64_t(1) << 32) + window - 1) / window;
    auto at = [&](int i) { return in[std::size_t(std::clamp(i, 0, count - 1)) * step]; };
    std::uint32_t sum[4] = {0, 0, 0, 0};
    for (int i = -radius; i <= radius; ++i) {
        std::uint32_t p = at(i);
        for (int c = 0; c < 4; ++c) sum[c] += (p >> (8 * c)) & 0xff;
    }
    for (int i = 0; i < count; ++i) {
        std::uint32_t value = 0;
        for (int c = 0; c < 4; ++c)
            value |= std::uint32_t(((sum[c] + window / 2) * reciprocal) >> 32) << (8 * c);
        out[i] = value;
        std::uint32_t entering = at(i + radius + 1), leaving = at(i - radius);
        for (int c = 0; c < 4; ++c) sum[c] += ((entering >> (8 * c)) & 0xff) - ((leaving >> (8 * c)) & 0xff);
    }
}

}  // namespace

void boxBlur(std::uint32_t* pixels, int width, int height, int stride, int radius) {
    if (radius <= 0 || width <= 0 || height <= 0) return;
    std::vector<std::uint32_t> line(std::size_t(std::max(width, height)));
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < height; ++y) {
            std::uint32_t* row = pixels + std::size_t(y) * stride;
            boxPass(row, 1, line.data(), width, radius);
            std::copy(line.begin(), line.begin() + width, row);
        }
        for (int x = 0; x < width; ++x) {
            boxPass(pixels + x, stride, line.data(), height, radius);  // down the column
            for (int y = 0; y < height; ++y) pixels[std::size_t(y) * stride + x] = line[y];
        }
    }
}

HalfBlur halfResolutionBlur(const std::uint32_t* pixels, int width, int height, int radius) {
    HalfBlur half;
    half.width = (width + 1) / 2;
    half.height = (height + 1) / 2;
    half.pixels.resize(std::size_t(half.width) * half.height);
    for (int y = 0; y < half.height; ++y) {
        for (int x = 0; x < half.width; ++x) {
            // The 2 x 2 pixels below, the last row and column repeated at an odd edge.
            std::uint32_t sum[4] = {0, 0, 0, 0};
            for (int dy = 0; dy < 2; ++dy) {
                for (int dx = 0; dx < 2; ++dx) {
                    std::uint32_t p = pixels[std::size_t(std::min(2 * y + dy, height - 1)) * width +
                                             std::min(2 * x + dx, width - 1)];
                    for (int c = 0; c < 4; ++c) sum[c] += (p >> (8 * c)) & 0xff;
                }
            }
            std::uint32_t value = 0;
            for (int c = 0; c < 4; ++c) value |= ((sum[c] + 2) / 4) << (8 * c);
            half.pixels[std::size_t(y) * half.width + x] = value;
        }
    }
    boxBlur(half.pixels.data(), half.width, half.height, half.width, std::max(1, radius / 2));
    return half;
}

}  // namespace gfx
