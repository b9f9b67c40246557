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
    const int window = 2 * radius + 1;
    auto at = [&](int i) { return in[std::size_t(std::clamp(i, 0, count - 1)) * step]; };
    std::uint32_t sum[4] = {0, 0, 0, 0};
    for (int i = -radius; i <= radius; ++i) {
        std::uint32_t p = at(i);
        for (int c = 0; c < 4; ++c) sum[c] += (p >> (8 * c)) & 0xff;
    }
    for (int i = 0; i < count; ++i) {
        std::uint32_t value = 0;
        for (int c = 0; c < 4; ++c) value |= ((sum[c] + window / 2) / window) << (8 * c);
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

}  // namespace gfx
