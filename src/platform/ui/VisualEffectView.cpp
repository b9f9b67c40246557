#include "ui/VisualEffectView.h"

#include "gfx/Painter.h"

namespace ui {

namespace {

gfx::BlurStyle materialFor(BlurEffectStyle style) {
    switch (style) {
        case BlurEffectStyle::Light:
            return gfx::BlurStyle::Light;
        case BlurEffectStyle::Dark:
            return gfx::BlurStyle::Dark;
        case BlurEffectStyle::SystemMaterial:
            return gfx::BlurStyle::SystemMaterial;
    }
    return gfx::BlurStyle::Light;
}

}  // namespace

VisualEffectView::VisualEffectView(std::optional<BlurEffect> effect) : effect_(effect) {}

std::shared_ptr<VisualEffectView> VisualEffectView::create(std::optional<BlurEffect> effect) {
    std::shared_ptr<VisualEffectView> view(new VisualEffectView(effect));
    // The content view keeps the effect view's size through its autoresizing mask.
    view->contentView_ = View::create();
    view->contentView_->setAutoresizingMask(FlexibleWidth | FlexibleHeight);
    view->addSubview(view->contentView_);
    return view;
}

void VisualEffectView::draw(gfx::Painter& painter, const gfx::Rect& rect) {
    if (!effect_) return;
    // The system material adapts to this view's appearance, which may differ from the one
    // the painter was started with.
    gfx::TraitCollection painterTraits = painter.traitCollection();
    painter.setTraitCollection(traitCollection());
    painter.drawBlur(rect, materialFor(effect_->style()));
    painter.setTraitCollection(painterTraits);
}

}  // namespace ui
