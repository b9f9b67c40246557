#pragma once

#include <memory>
#include <optional>

#include "gfx/Color.h"
#include "ui/Control.h"
#include "ui/Touch.h"

namespace ui {

// A horizontal slider: a value between a minimum and a maximum, shown as a thumb on a track
// whose leading part is filled with `minimumTrackTintColor` (the tint colour by default).
//
// The value is always within [minimum, maximum]; moving one bound past the other drags the
// other along, and NaN is refused everywhere. Setting the value never sends an event.
//
// Dragging: a touch that begins on the thumb (or within `kThumbSlop` of it) grabs it, keeping
// the grab offset, so the thumb never jumps; a touch elsewhere on the track changes nothing.
// While grabbed, value changed is sent once when the touch begins, once for every move that
// changes the value (continuous sliders only), and once when it ends or is cancelled. During
// each of those sends `currentTouchPhase()` tells the target which phase caused it (began,
// moved, ended or cancelled; stationary touches are never delivered to views); outside them
// it is empty.
class Slider : public Control {
public:
    static constexpr double kHeight = 31;
    static constexpr double kThumbDiameter = 28;
    static constexpr double kTrackHeight = 4;
    static constexpr double kThumbSlop = 10;

    static std::shared_ptr<Slider> create();
    const char* className() const override { return "Slider"; }

    float minimumValue() const { return minimum_; }
    void setMinimumValue(float minimum);
    float maximumValue() const { return maximum_; }
    void setMaximumValue(float maximum);
    float value() const { return value_; }
    void setValue(float value, bool animated = false);
    // Continuous sliders report every change while dragging; others only the end.
    bool isContinuous() const { return continuous_; }
    void setContinuous(bool continuous) { continuous_ = continuous; }

    std::optional<TouchPhase> currentTouchPhase() const { return currentPhase_; }
    bool isDraggingThumb() const { return dragging_; }

    gfx::Color minimumTrackTintColor() const;
    void setMinimumTrackTintColor(std::optional<gfx::Color> color) { minimumTrackTint_ = std::move(color); }
    gfx::Color maximumTrackTintColor() const;
    void setMaximumTrackTintColor(std::optional<gfx::Color> color) { maximumTrackTint_ = std::move(color); }
    gfx::Color thumbTintColor() const;
    void setThumbTintColor(std::optional<gfx::Color> color) { thumbTint_ = std::move(color); }

    // The thumb's rectangle in the bounds for the current value.
    gfx::Rect thumbRect() const;

    gfx::Size intrinsicContentSize() const override { return {kNoIntrinsicMetric, kHeight}; }
    gfx::Size sizeThatFits(gfx::Size size) const override { return {size.width, kHeight}; }
    bool hasContent() const override { return true; }
    void draw(gfx::Painter& painter, const gfx::Rect& rect) override;

    void touchesBegan(const Touches& touches) override;
    void touchesMoved(const Touches& touches) override;
    void touchesEnded(const Touches& touches) override;
    void touchesCancelled(const Touches& touches) override;
    // A finger on the thumb drags the thumb: an enclosing pan (a sheet's, a scroll view's)
    // does not take the touch away.
    bool gestureRecognizerShouldBegin(GestureRecognizer& recognizer) override;

protected:
    Slider();

private:
    double fraction() const;
    float valueForThumbCentre(double x) const;
    void sendValueChanged(TouchPhase phase);
    void finishDrag(TouchPhase phase);

    float minimum_ = 0;
    float maximum_ = 1;
    float value_ = 0;
    bool continuous_ = true;
    bool dragging_ = false;
    double grabOffset_ = 0;
    std::optional<TouchPhase> currentPhase_;
    std::optional<gfx::Color> minimumTrackTint_;
    std::optional<gfx::Color> maximumTrackTint_;
    std::optional<gfx::Color> thumbTint_;
};

}  // namespace ui
