#pragma once

// Gaussian-like blur of premultiplied pixels. Internal to gfx.
#include <cstdint>
#include <vector>

namespace gfx {

// Blurs a width x height block (rows `stride` words apart) in place with three box passes in
// each direction, which together approximate a Gaussian of standard deviation ~`radius`.
void boxBlur(std::uint32_t* pixels, int width, int height, int stride, int radius);

// The same blur made at half resolution: `pixels` (width x height, packed) is averaged 2 x 2
// into a block of half the size, blurred there with half the radius, and returned with its
// size. A wide blur looks the same and costs a quarter; the caller scales it back up.
struct HalfBlur {
    std::vector<std::uint32_t> pixels;
    int width = 0, height = 0;
};
HalfBlur halfResolutionBlur(const std::uint32_t* pixels, int width, int height, int radius);

}  // namespace gfx
