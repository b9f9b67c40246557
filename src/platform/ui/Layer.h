#pragma once

#include <optional>
#include <vector>

#include "base/Clock.h"
#include "gfx/Color.h"
#include "gfx/CornerStyle.h"
#include "gfx/Gradient.h"
#include "ui/PropertyAnimation.h"
#include "ui/Transform3D.h"

namespace ui {

class View;

// What a view draws around its content: rounded corners, which of them are rounded, a
// border, a 3D transform and a gradient mask; and the view's running animations. A view owns
// exactly one layer (`View::layer()`); the layer has no tree of its own.
class Layer {
public:
    explicit Layer(View& view) : view_(view) {}
    ~Layer();
    Layer(const Layer&) = delete;
    Layer& operator=(const Layer&) = delete;

    double cornerRadius() const { return cornerRadius_; }
    void setCornerRadius(double radius) { cornerRadius_ = radius < 0 ? 0 : radius; }
    gfx::CornerCurve cornerCurve() const { return cornerCurve_; }
    void setCornerCurve(gfx::CornerCurve curve) { cornerCurve_ = curve; }
    // A combination of gfx::Corner flags; all four by default.
    unsigned maskedCorners() const { return maskedCorners_; }
    void setMaskedCorners(unsigned corners) { maskedCorners_ = corners & gfx::AllCorners; }
    double borderWidth() const { return borderWidth_; }
    void setBorderWidth(double width) { borderWidth_ = width < 0 ? 0 : width; }
    const gfx::Color& borderColor() const { return borderColor_; }
    void setBorderColor(const gfx::Color& color) { borderColor_ = color; }

    // Applied about the view's centre; the same storage as `View::transform` (which reads and
    // writes its 2D part). Animatable.
    const Transform3D& transform() const { return transform_; }
    void setTransform(const Transform3D& transform);
    // The alpha of the gradient (in the view's bounds coordinates) masks everything the view
    // draws, subviews included. Not animatable.
    const std::optional<gfx::LinearGradient>& mask() const { return mask_; }
    void setMask(std::optional<gfx::LinearGradient> mask) { mask_ = std::move(mask); }

    // Ends every running animation of the view: each completes with finished = false and the
    // view shows its model values at once.
    void removeAllAnimations();
    bool hasAnimations() const { return !animations_.empty(); }
    // Whether an animation that did not allow user interaction is running (the view is then
    // not hit).
    bool blocksUserInteraction() const;

    // For the view and the animation scheduler.
    const PropertyAnimation* animation(AnimatableProperty property) const;
    // Replaces a running animation of the same property (which completes with false).
    void addAnimation(PropertyAnimation animation);
    void removeAnimation(AnimatableProperty property);
    // Ends the property's animation (finished = false), keeping what it shows as the model value.
    void freezeAnimation(AnimatableProperty property);
    // Ends (finished = true) the animations that have run their course by `now`.
    void finishAnimationsEndedBy(base::Clock::TimePoint now);
    View& view() const { return view_; }

    gfx::CornerStyle cornerStyle() const { return {cornerRadius_, cornerCurve_, maskedCorners_}; }
    bool hasRoundedCorners() const { return cornerRadius_ > 0 && maskedCorners_ != 0; }

private:
    friend class View;
    void endAnimationAt(std::size_t index, bool finished);

    View& view_;
    Transform3D transform_;
    std::optional<gfx::LinearGradient> mask_;
    std::vector<PropertyAnimation> animations_;
    double cornerRadius_ = 0;
    gfx::CornerCurve cornerCurve_ = gfx::CornerCurve::Circular;
    unsigned maskedCorners_ = gfx::AllCorners;
    double borderWidth_ = 0;
    gfx::Color borderColor_ = gfx::Color::blackColor();
};

}  // namespace ui
