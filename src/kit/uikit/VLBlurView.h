#pragma once

#include <memory>

#include "ui/View.h"
#include "ui/VisualEffectView.h"

// A frosted backdrop with a style fixed at creation: 0 light, 1 dark, 2 the system material
// (which follows the appearance). Any other style leaves it without an effect: transparent.
class VLBlurView : public ui::View {
public:
    static std::shared_ptr<VLBlurView> create(const gfx::Rect& frame, unsigned style);
    const char* className() const override { return "VLBlurView"; }

    const std::shared_ptr<ui::VisualEffectView>& blurEffectView() const { return blurEffectView_; }

protected:
    VLBlurView() = default;

private:
    std::shared_ptr<ui::VisualEffectView> blurEffectView_;
};
