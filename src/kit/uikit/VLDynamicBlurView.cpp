#include "uikit/VLDynamicBlurView.h"

#include "uikit/ViewLayoutExtension.h"

std::shared_ptr<VLDynamicBlurView> VLDynamicBlurView::create(const gfx::Rect& frame) {
    std::shared_ptr<VLDynamicBlurView> view(new VLDynamicBlurView());
    view->setFrame(frame);
    // 1. The effect view sits beneath everything else.
    view->blurEffectView_ = ui::VisualEffectView::create();
    view->insertSubview(view->blurEffectView_, 0);
    // 2. It covers the whole view.
    ui::View& effect = *view->blurEffectView_;
    extension::top(effect, view->topAnchor(), 0);
    extension::leading(effect, view->leadingAnchor(), 0);
    extension::trailing(effect, view->trailingAnchor(), 0);
    extension::bottom(effect, view->bottomAnchor(), 0);
    // 3. The material for the appearance in force.
    view->updateBlurEffect();
    return view;
}

void VLDynamicBlurView::traitCollectionDidChange(const gfx::TraitCollection& previous) {
    ui::View::traitCollectionDidChange(previous);
    updateBlurEffect();
}

void VLDynamicBlurView::updateBlurEffect() {
    if (!blurEffectView_) return;  // not built yet
    auto style = traitCollection().isDark() ? ui::BlurEffectStyle::Dark : ui::BlurEffectStyle::Light;
    blurEffectView_->setEffect(ui::BlurEffect::effectWithStyle(style));
}
