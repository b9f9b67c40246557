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
// The track, its on colour and the thumb are subviews, so flipping with animation slides the
// thumb and fades the on colour in or out like any view animation.
class Switch : public Control {
public:
    static constexpr gfx::Size kSize{51, 31};

    static std::shared_ptr<Switch> create();
    const char* className() const override { return "Switch"; }

    bool isOn() const { return on_; }
    void setOn(bool on, bool animated = false);
    // The thumb's model frame in the switch's bounds (where it comes to rest).
    gfx::Rect thumbFrame() const { return thumb_->frame(); }

    gfx::Color onTintColor() const;
    void setOnTintColor(std::optional<gfx::Color> color);
    gfx::Color thumbTintColor() const;
    void setThumbTintColor(std::optional<gfx::Color> color);

    gfx::Size intrinsicContentSize() const override { return kSize; }
    gfx::Size sizeThatFits(gfx::Size) const override { return kSize; }

    void touchesEnded(const Touches& touches) override;

protected:
    Switch();
    void stateDidChange() override;

private:
    void moveThumb(bool animated);
    void showThumbPosition();

    bool on_ = false;
    std::shared_ptr<View> artwork_;  // everything drawn; dimmed as one when disabled
    std::shared_ptr<View> onTrack_;
    std::shared_ptr<View> thumb_;
    std::optional<gfx::Color> onTint_;
    std::optional<gfx::Color> thumbTint_;
};

}  // namespace ui
