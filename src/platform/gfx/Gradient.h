#pragma once

#include <vector>

#include "gfx/Color.h"
#include "gfx/Geometry.h"

namespace gfx {

struct GradientStop {
    double location = 0;  // 0..1 along the gradient's axis
    Color color;
};

// A linear gradient between two points in the painter's current coordinates. Before the
// start and after the end the first and last stop's colours continue.
struct LinearGradient {
    Point start;
    Point end;
    std::vector<GradientStop> stops;
};

}  // namespace gfx
