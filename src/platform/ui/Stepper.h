#pragma once

#include <memory>

#include "ui/Control.h"

namespace ui {

// A minus and a plus button side by side, 94 by 32 points, stepping a value between a
// minimum (0) and a maximum (100) by `stepValue` (1). A tap on a half (touch began and ended
// on it) steps, clamps or wraps, and sends value changed when the value moved. A half that
// cannot move the value is drawn disabled and ignores taps. Setting a property never sends.
//
// Bounds keep minimum <= maximum (moving one past the other drags the other along); a step
// that is not positive and finite, and NaN anywhere, are refused.
class Stepper : public Control {
public:
    static constexpr gfx::Size kSize{94, 32};

    enum class Half { None, Minus, Plus };

    static std::shared_ptr<Stepper> create();
    const char* className() const override { return "Stepper"; }

    double value() const { return value_; }
    void setValue(double value);
    double minimumValue() const { return minimum_; }
    void setMinimumValue(double minimum);
    double maximumValue() const { return maximum_; }
    void setMaximumValue(double maximum);
    double stepValue() const { return step_; }
    void setStepValue(double step);
    // Stepping past one end continues from the other.
    bool wraps() const { return wraps_; }
    void setWraps(bool wraps) { wraps_ = wraps; }

    bool canDecrement() const { return isEnabled() && (wraps_ || value_ > minimum_); }
    bool canIncrement() const { return isEnabled() && (wraps_ || value_ < maximum_); }
    // The half under `point` (bounds coordinates): minus on the leading side.
    Half halfAtPoint(gfx::Point point) const;

    gfx::Size intrinsicContentSize() const override { return kSize; }
    gfx::Size sizeThatFits(gfx::Size) const override { return kSize; }
    bool hasContent() const override { return true; }
    void draw(gfx::Painter& painter, const gfx::Rect& rect) override;

    void touchesBegan(const Touches& touches) override;
    void touchesEnded(const Touches& touches) override;
    void touchesCancelled(const Touches& touches) override;

protected:
    Stepper();

private:
    double stepped(Half half) const;
    gfx::Rect halfRect(Half half) const;
    void drawHalf(gfx::Painter& painter, Half half);

    double value_ = 0;
    double minimum_ = 0;
    double maximum_ = 100;
    double step_ = 1;
    bool wraps_ = false;
    Half pressed_ = Half::None;
};

}  // namespace ui
