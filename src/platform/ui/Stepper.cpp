#include "ui/Stepper.h"

#include <algorithm>
#include <cmath>

#include "gfx/Painter.h"
#include "ui/Touch.h"

namespace ui {

namespace {

constexpr double kCornerRadius = 8;
constexpr double kGlyphLength = 14;
constexpr double kGlyphThickness = 2;
constexpr double kDividerInset = 8;

gfx::Color pressedColor() {
    return gfx::Color::dynamic(gfx::Color(0, 0, 0, 0.08), gfx::Color(1, 1, 1, 0.12));
}

}  // namespace

std::shared_ptr<Stepper> Stepper::create() { return std::shared_ptr<Stepper>(new Stepper()); }

Stepper::Stepper() {
    setContentHuggingPriority(LayoutPriority::kDefaultHigh, LayoutAxis::Horizontal);
    setContentHuggingPriority(LayoutPriority::kDefaultHigh, LayoutAxis::Vertical);
}

void Stepper::setValue(double value) {
    if (std::isnan(value)) return;
    value_ = std::clamp(value, minimum_, maximum_);
}

void Stepper::setMinimumValue(double minimum) {
    if (std::isnan(minimum)) return;
    minimum_ = minimum;
    maximum_ = std::max(maximum_, minimum);
    value_ = std::clamp(value_, minimum_, maximum_);
}

void Stepper::setMaximumValue(double maximum) {
    if (std::isnan(maximum)) return;
    maximum_ = maximum;
    minimum_ = std::min(minimum_, maximum);
    value_ = std::clamp(value_, minimum_, maximum_);
}

void Stepper::setStepValue(double step) {
    if (step > 0 && std::isfinite(step)) step_ = step;
}

Stepper::Half Stepper::halfAtPoint(gfx::Point point) const {
    gfx::Rect b = bounds();
    if (!b.contains(point)) return Half::None;
    bool leftHalf = point.x < b.x + b.width / 2;
    bool rightToLeft = effectiveLayoutDirection() == LayoutDirection::RightToLeft;
    return leftHalf != rightToLeft ? Half::Minus : Half::Plus;
}

gfx::Rect Stepper::halfRect(Half half) const {
    gfx::Rect b = bounds();
    bool rightToLeft = effectiveLayoutDirection() == LayoutDirection::RightToLeft;
    bool left = (half == Half::Minus) != rightToLeft;
    double width = b.width / 2;
    return {left ? b.x : b.x + width, b.y, width, b.height};
}

// The value one step from the current one towards `half`, clamped or wrapped.
double Stepper::stepped(Half half) const {
    double next = half == Half::Plus ? value_ + step_ : value_ - step_;
    if (next > maximum_) return wraps_ ? minimum_ : maximum_;
    if (next < minimum_) return wraps_ ? maximum_ : minimum_;
    return next;
}

void Stepper::touchesBegan(const Touches& touches) {
    Control::touchesBegan(touches);
    pressed_ = Half::None;
    if (!isTracking() || touches.empty()) return;
    Half half = halfAtPoint(touches.front().locationInView(this));
    if ((half == Half::Minus && canDecrement()) || (half == Half::Plus && canIncrement())) pressed_ = half;
}

void Stepper::touchesEnded(const Touches& touches) {
    Half pressed = pressed_;
    pressed_ = Half::None;
    bool tapped = pressed != Half::None && !touches.empty() &&
                  halfAtPoint(touches.front().locationInView(this)) == pressed;
    Control::touchesEnded(touches);
    if (!tapped) return;
    double next = stepped(pressed);
    if (next == value_) return;
    value_ = next;
    sendActionsForControlEvents(ControlEventValueChanged);
}

void Stepper::touchesCancelled(const Touches& touches) {
    pressed_ = Half::None;
    Control::touchesCancelled(touches);
}

void Stepper::drawHalf(gfx::Painter& painter, Half half) {
    gfx::Rect area = halfRect(half);
    bool enabled = half == Half::Minus ? canDecrement() : canIncrement();
    if (pressed_ == half && isHighlighted()) {
        bool left = area.x == bounds().x;
        unsigned corners =
            left ? gfx::TopLeftCorner | gfx::BottomLeftCorner : gfx::TopRightCorner | gfx::BottomRightCorner;
        painter.fillRoundedRect(area, gfx::CornerStyle::continuous(kCornerRadius, corners), pressedColor());
    }
    gfx::Color glyph = enabled ? gfx::Color::label() : gfx::Color::tertiaryLabel();
    double midX = area.x + area.width / 2;
    double midY = area.y + area.height / 2;
    painter.fillRect({midX - kGlyphLength / 2, midY - kGlyphThickness / 2, kGlyphLength, kGlyphThickness},
                     glyph);
    if (half == Half::Plus) {
        painter.fillRect({midX - kGlyphThickness / 2, midY - kGlyphLength / 2, kGlyphThickness, kGlyphLength},
                         glyph);
    }
}

void Stepper::draw(gfx::Painter& painter, const gfx::Rect& rect) {
    painter.fillRoundedRect(rect, gfx::CornerStyle::continuous(kCornerRadius),
                            gfx::Color::tertiarySystemFill());
    double midX = rect.x + rect.width / 2;
    painter.fillRect({midX - 0.5, rect.y + kDividerInset, 1, rect.height - 2 * kDividerInset},
                     gfx::Color::tertiaryLabel());
    drawHalf(painter, Half::Minus);
    drawHalf(painter, Half::Plus);
}

}  // namespace ui
