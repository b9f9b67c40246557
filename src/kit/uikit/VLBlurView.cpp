#include "uikit/VLBlurView.h"

#include <optional>

#include "uikit/ViewLayoutExtension.h"

namespace {

std::optional<ui::BlurEffect> effectForStyle(unsigned style) {
    switch (style) {
        case 0:
            return ui::BlurEffect::effectWithStyle(ui::BlurEffectStyle::Light);
        case 1:
            return ui::BlurEffect::effectWithStyle(ui::BlurEffectStyle::Dark);
        case 2:
            return ui::BlurEffect::effectWithStyle(ui::BlurEffectStyle::SystemMaterial);
        default:
            return std::nullopt;
    }
}

}  // namespace

std::shared_ptr<VLBlurView> VLBlurView::create(const gfx::Rect& frame, unsigned style) {
    std::shared_ptr<VLBlurView> view(new VLBlurView());
    view->setFrame(frame);
    view->blurEffectView_ = ui::VisualEffectView::create();
    view->insertSubview(view->blurEffectView_, 0);
    ui::View& effect = *view->blurEffectView_;
    effect.setTranslatesAutoresizingMaskIntoConstraints(false);
    extension::top(effect, view->topAnchor(), 0);
    extension::leading(effect, view->leadingAnchor(), 0);
    extension::trailing(effect, view->trailingAnchor(), 0);
    extension::bottom(effect, view->bottomAnchor(), 0);
    // The style is read once, here.
    view->blurEffectView_->setEffect(effectForStyle(style));
    return view;
}
