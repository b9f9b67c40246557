#pragma once

namespace ui {

// The edges, centres and sizes a constraint can relate. Leading and trailing follow the
// layout direction: in a right-to-left window the leading edge is the right one.
enum class LayoutAttribute { Left, Right, Top, Bottom, Leading, Trailing, Width, Height, CenterX, CenterY };

enum class LayoutAxis { Horizontal, Vertical };

enum class LayoutDirection { LeftToRight, RightToLeft };

// The platform's named priorities; anything at 1000 is required.
struct LayoutPriority {
    static constexpr double kRequired = 1000;
    static constexpr double kDefaultHigh = 750;
    static constexpr double kDefaultLow = 250;
    static constexpr double kFittingSizeLevel = 1;
};

inline bool isDimension(LayoutAttribute attribute) {
    return attribute == LayoutAttribute::Width || attribute == LayoutAttribute::Height;
}

inline LayoutAxis axisOf(LayoutAttribute attribute) {
    switch (attribute) {
        case LayoutAttribute::Top:
        case LayoutAttribute::Bottom:
        case LayoutAttribute::Height:
        case LayoutAttribute::CenterY:
            return LayoutAxis::Vertical;
        default:
            return LayoutAxis::Horizontal;
    }
}

}  // namespace ui
