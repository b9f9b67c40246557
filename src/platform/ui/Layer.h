#pragma once

#include "gfx/Color.h"
#include "gfx/CornerStyle.h"

namespace ui {

// What a view draws around its content: rounded corners, which of them are rounded, and a
// border. A view owns exactly one layer (`View::layer()`); the layer has no tree of its own.
class Layer {
public:
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

    gfx::CornerStyle cornerStyle() const { return {cornerRadius_, cornerCurve_, maskedCorners_}; }
    bool hasRoundedCorners() const { return cornerRadius_ > 0 && maskedCorners_ != 0; }

private:
    double cornerRadius_ = 0;
    gfx::CornerCurve cornerCurve_ = gfx::CornerCurve::Circular;
    unsigned maskedCorners_ = gfx::AllCorners;
    double borderWidth_ = 0;
    gfx::Color borderColor_ = gfx::Color::blackColor();
};

}  // namespace ui
