#pragma once

namespace ui {

// Options of `View::animate`, with the platform's bit values so that stored option sets
// (a marquee's "linear curve", 0x30000) mean the same here. One curve at most; ease-in-out
// when none is given.
enum AnimationOptions : unsigned {
    AnimationOptionNone = 0,
    // Views keep receiving touches while they animate (otherwise hit testing skips them).
    AnimationOptionAllowUserInteraction = 1u << 1,
    // Accepted for compatibility: every animation here starts from what is drawn.
    AnimationOptionBeginFromCurrentState = 1u << 2,
    AnimationOptionCurveEaseInOut = 0u << 16,
    AnimationOptionCurveEaseIn = 1u << 16,
    AnimationOptionCurveEaseOut = 2u << 16,
    AnimationOptionCurveLinear = 3u << 16,
    AnimationOptionCurveMask = 3u << 16,
};

}  // namespace ui
