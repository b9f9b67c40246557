#pragma once

#include <memory>
#include <optional>

#include "gfx/Color.h"
#include "ui/Control.h"

namespace ui {

// An on/off switch, 51 by 31 points whatever its frame. A tap (touch up inside) flips it and
// sends value changed; `setOn` changes it silently. The on track takes `onTintColor` (system
// green by default), the round thumb `thumbTintColor` (white by default).
//
// The thumb and the track's colour follow `thumbProgress` (0 off, 1 on), which only
// `moveThumb` sets; drawing reads nothing else, so an animation has one value to drive.
class Switch : public Control {
public:
    static constexpr gfx::Size kSize{51, 31};

    static std::shared_ptr<Switch> create();
    const char* className() const override { return "Switch"; }

    bool isOn() const { return on_; }
    void setOn(bool on, bool animated = false);
    double thumbProgress() const { return thumbProgress_; }

    gfx::Color onTintColor() const;
    void setOnTintColor(std::optional<gfx::Color> color) { onTint_ = std::move(color); }
    gfx::Color thumbTintColor() const;
    void setThumbTintColor(std::optional<gfx::Color> color) { thumbTint_ = std::move(color); }

    gfx::Size intrinsicContentSize() const override { return kSize; }
    gfx::Size sizeThatFits(gfx::Size) const override { return kSize; }
    bool hasContent() const override { return true; }
    void draw(gfx::Painter& painter, const gfx::Rect& rect) override;

    void touchesEnded(const Touches& touches) override;

protected:
    Switch();

private:
    void moveThumb(bool animated);

    bool on_ = false;
    double thumbProgress_ = 0;
    std::optional<gfx::Color> onTint_;
    std::optional<gfx::Color> thumbTint_;
};

}  // namespace ui
