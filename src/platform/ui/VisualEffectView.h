#pragma once

#include <memory>
#include <optional>

#include "ui/BlurEffect.h"
#include "ui/View.h"

namespace ui {

// A pane of frosted glass: it draws a blurred copy of whatever was drawn behind it (its
// superviews' backgrounds and the siblings below it), tinted by its effect's material, then
// its content view on top. Without an effect it draws nothing and is fully see-through.
//
// Put subviews in `contentView()`, which always fills the effect view. The effect can be
// swapped at any time; the next render shows the new material.
class VisualEffectView : public View {
public:
    static std::shared_ptr<VisualEffectView> create(std::optional<BlurEffect> effect = std::nullopt);
    const char* className() const override { return "VisualEffectView"; }

    const std::optional<BlurEffect>& effect() const { return effect_; }
    void setEffect(std::optional<BlurEffect> effect) { effect_ = effect; }
    const std::shared_ptr<View>& contentView() const { return contentView_; }

    void draw(gfx::Painter& painter, const gfx::Rect& rect) override;
    bool hasContent() const override { return effect_.has_value(); }

protected:
    explicit VisualEffectView(std::optional<BlurEffect> effect);

private:
    std::optional<BlurEffect> effect_;
    std::shared_ptr<View> contentView_;
};

}  // namespace ui
