#pragma once

#include <variant>

#include "gfx/Color.h"
#include "gfx/Geometry.h"
#include "gfx/TraitCollection.h"
#include "ui/Transform3D.h"

namespace ui {

// The properties of a view that animate. A frame animates as its centre and size, a
// bounds change as its size and origin.
enum class AnimatableProperty { Center, Size, BoundsOrigin, Alpha, BackgroundColor, Transform };

// One value of an animatable property; the alternative follows the property.
using AnimatableValue = std::variant<double, gfx::Point, gfx::Size, gfx::Color, Transform3D>;

// The value `progress` of the way from `from` to `to` (beyond 1 for a spring's overshoot).
// Colours are resolved against `traits` first, so a dynamic colour animates towards what it
// shows in that appearance. Values of different kinds give `to`.
AnimatableValue interpolate(const AnimatableValue& from, const AnimatableValue& to, double progress,
                            const gfx::TraitCollection& traits);

}  // namespace ui
