#pragma once

#include "gfx/Image.h"

// The name the colour picker cell's wheel image goes by.
inline constexpr const char* kVLColourWheelImageName = "colour-wheel";

// A hue wheel drawn by the kit, so that it exists without any resource file: hue runs
// counter-clockwise from red at the right, saturation from white at the centre to full at the
// rim, outside the circle is transparent. 35 points across at `scale`; made once per scale
// and shared.
gfx::Image VLColourWheelImage(double scale = 4.0);
