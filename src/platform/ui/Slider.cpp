#include "ui/Slider.h"

#include <algorithm>
#include <cmath>

#include "gfx/Painter.h"
#include "ui/PanGestureRecognizer.h"

namespace ui {

namespace {

constexpr double kDisabledAlpha = 0.5;

gfx::Color defaultMaximumTrackColor() {
    return gfx::Color::dynamic(gfx::Color(120 / 255.0, 120 / 255.0, 128 / 255.0, 0.2),
                               gfx::Color(120 / 255.0, 120 / 255.0, 128 / 255.0, 0.36));
}

}  // namespace

std::shared_ptr<Slider> Slider::create() { return std::shared_ptr<Slider>(new Slider()); }

Slider::Slider() { setContentHuggingPriority(LayoutPriority::kDefaultHigh, LayoutAxis::Vertical); }

void Slider::setMinimumValue(float minimum) {
    if (std::isnan(minimum)) return;
    minimum_ = minimum;
    maximum_ = std::max(maximum_, minimum);
    value_ = std::clamp(value_, minimum_, maximum_);
}

void Slider::setMaximumValue(float maximum) {
    if (std::isnan(maximum)) return;
    maximum_ = maximum;
    minimum_ = std::min(minimum_, maximum);
    value_ = std::clamp(value_, minimum_, maximum_);
}

void Slider::setValue(float value, bool /*animated*/) {
    if (std::isnan(value)) return;
    value_ = std::clamp(value, minimum_, maximum_);
}

gfx::Color Slider::minimumTrackTintColor() const { return minimumTrackTint_.value_or(tintColor()); }

gfx::Color Slider::maximumTrackTintColor() const {
    return maximumTrackTint_.value_or(defaultMaximumTrackColor());
}

gfx::Color Slider::thumbTintColor() const { return thumbTint_.value_or(gfx::Color::whiteColor()); }

// Where the value lies between the bounds, 0..1; 0 when the range is empty or unbounded.
double Slider::fraction() const {
    double range = double(maximum_) - double(minimum_);
    if (!(range > 0) || !std::isfinite(range)) return 0;
    return std::clamp((double(value_) - double(minimum_)) / range, 0.0, 1.0);
}

// The thumb's centre travels between half a thumb from either end of the bounds.
gfx::Rect Slider::thumbRect() const {
    gfx::Rect b = bounds();
    double travel = std::max(0.0, b.width - kThumbDiameter);
    return {b.x + travel * fraction(), b.y + (b.height - kThumbDiameter) / 2, kThumbDiameter, kThumbDiameter};
}

float Slider::valueForThumbCentre(double x) const {
    gfx::Rect b = bounds();
    double travel = b.width - kThumbDiameter;
    double range = double(maximum_) - double(minimum_);
    if (!(travel > 0) || !std::isfinite(range) || std::isnan(x)) return value_;
    double position = std::clamp((x - b.x - kThumbDiameter / 2) / travel, 0.0, 1.0);
    return std::clamp(float(double(minimum_) + position * range), minimum_, maximum_);
}

void Slider::sendValueChanged(TouchPhase phase) {
    // Nested sends (a target that moves the slider) restore the outer phase afterwards.
    auto outer = currentPhase_;
    currentPhase_ = phase;
    sendActionsForControlEvents(ControlEventValueChanged);
    currentPhase_ = outer;
}

void Slider::touchesBegan(const Touches& touches) {
    Control::touchesBegan(touches);
    if (!isTracking() || touches.empty()) return;
    gfx::Point location = touches.front().locationInView(this);
    gfx::Rect thumb = thumbRect();
    gfx::Rect grabArea{thumb.x - kThumbSlop, thumb.y - kThumbSlop, thumb.width + 2 * kThumbSlop,
                       thumb.height + 2 * kThumbSlop};
    if (!grabArea.contains(location)) return;
    dragging_ = true;
    grabOffset_ = location.x - (thumb.x + thumb.width / 2);
    if (continuous_) sendValueChanged(TouchPhase::Began);
}

bool Slider::gestureRecognizerShouldBegin(GestureRecognizer& recognizer) {
    bool ancestorPan = dynamic_cast<PanGestureRecognizer*>(&recognizer) && recognizer.view().get() != this;
    if (dragging_ && ancestorPan) return false;
    return Control::gestureRecognizerShouldBegin(recognizer);
}

void Slider::touchesMoved(const Touches& touches) {
    Control::touchesMoved(touches);
    if (!dragging_ || touches.empty()) return;
    float next = valueForThumbCentre(touches.front().locationInView(this).x - grabOffset_);
    if (next == value_) return;
    value_ = next;
    if (continuous_) sendValueChanged(TouchPhase::Moved);
}

void Slider::finishDrag(TouchPhase phase) {
    if (!dragging_) return;
    dragging_ = false;
    sendValueChanged(phase);
}

void Slider::touchesEnded(const Touches& touches) {
    finishDrag(TouchPhase::Ended);
    Control::touchesEnded(touches);
}

void Slider::touchesCancelled(const Touches& touches) {
    finishDrag(TouchPhase::Cancelled);
    Control::touchesCancelled(touches);
}

void Slider::draw(gfx::Painter& painter, const gfx::Rect& rect) {
    bool dimmed = !isEnabled();
    if (dimmed) painter.beginLayer();
    gfx::Rect thumb = thumbRect();
    double thumbCentre = thumb.x + thumb.width / 2;
    gfx::Rect track{rect.x, rect.y + (rect.height - kTrackHeight) / 2, rect.width, kTrackHeight};
    auto trackCorners = gfx::CornerStyle::circular(kTrackHeight / 2);

    // 1. The whole track, then its filled part up to the thumb's centre.
    painter.fillRoundedRect(track, trackCorners, maximumTrackTintColor());
    painter.fillRoundedRect({track.x, track.y, std::max(0.0, thumbCentre - track.x), track.height},
                            trackCorners, minimumTrackTintColor());

    // 2. The thumb with a soft shadow under it.
    painter.fillEllipse({thumb.x - 0.5, thumb.y + 0.5, thumb.width + 1, thumb.height + 1},
                        gfx::Color(0, 0, 0, 0.15));
    painter.fillEllipse(thumb, thumbTintColor());

    if (dimmed) painter.endLayer(kDisabledAlpha);
}

}  // namespace ui
