#pragma once

#include <memory>

#include "ui/View.h"
#include "ui/VisualEffectView.h"

// A frosted backdrop that follows the appearance by itself: a light blur in the light
// appearance, a dark one in the dark. The effect view is made once; an appearance change only
// swaps its effect.
class VLDynamicBlurView : public ui::View {
public:
    static std::shared_ptr<VLDynamicBlurView> create(const gfx::Rect& frame = {});
    const char* className() const override { return "VLDynamicBlurView"; }

    const std::shared_ptr<ui::VisualEffectView>& blurEffectView() const { return blurEffectView_; }

    void traitCollectionDidChange(const gfx::TraitCollection& previous) override;

protected:
    VLDynamicBlurView() = default;

private:
    void updateBlurEffect();

    std::shared_ptr<ui::VisualEffectView> blurEffectView_;
};
