#pragma once

// Gaussian-like blur of premultiplied pixels. Internal to gfx.
#include <cstdint>

namespace gfx {

// Blurs a width x height block (rows `stride` words apart) in place with three box passes in
// each direction, which together approximate a Gaussian of standard deviation ~`radius`.
void boxBlur(std::uint32_t* pixels, int width, int height, int stride, int radius);

}  // namespace gfx
