#include "uikit/ViewLayoutExtension.h"

#include "base/Log.h"
#include "ui/LayoutConstraint.h"
#include "ui/View.h"

namespace extension {

namespace {

void activate(const std::shared_ptr<ui::LayoutConstraint>& constraint) { constraint->setActive(true); }

void pin(const ui::LayoutAnchor& own, const OptionalAnchor& other, double constant) {
    if (other) activate(own.equalTo(*other, constant));
}

// The superview is read anew for each edge.
bool pinToSuperview(ui::View& view, ui::LayoutAnchor (ui::View::*edge)()) {
    auto superview = view.superview();
    if (!superview) {
        base::Log::line("fill: the view has no superview; no constraints made");
        return false;
    }
    activate((view.*edge)().equalTo(((*superview).*edge)(), 0));
    return true;
}

}  // namespace

void top(ui::View& view, const OptionalAnchor& top, const OptionalAnchor& leading,
         const OptionalAnchor& bottom, const OptionalAnchor& trailing, const ui::EdgeInsets& padding) {
    view.setTranslatesAutoresizingMaskIntoConstraints(false);
    pin(view.topAnchor(), top, padding.top);
    pin(view.leadingAnchor(), leading, padding.left);
    pin(view.trailingAnchor(), trailing, padding.right);
    pin(view.bottomAnchor(), bottom, padding.bottom);
}

void top(ui::View& view, const OptionalAnchor& anchor, double padding) {
    view.setTranslatesAutoresizingMaskIntoConstraints(false);
    pin(view.topAnchor(), anchor, padding);
}

void leading(ui::View& view, const OptionalAnchor& anchor, double padding) {
    view.setTranslatesAutoresizingMaskIntoConstraints(false);
    pin(view.leadingAnchor(), anchor, padding);
}

void trailing(ui::View& view, const OptionalAnchor& anchor, double padding) {
    view.setTranslatesAutoresizingMaskIntoConstraints(false);
    pin(view.trailingAnchor(), anchor, padding);
}

void bottom(ui::View& view, const OptionalAnchor& anchor, double padding) {
    view.setTranslatesAutoresizingMaskIntoConstraints(false);
    pin(view.bottomAnchor(), anchor, padding);
}

void size(ui::View& view, gfx::Size size) {
    view.setTranslatesAutoresizingMaskIntoConstraints(false);
    if (size.width != 0) activate(view.widthAnchor().equalToConstant(size.width));
    if (size.height != 0) activate(view.heightAnchor().equalToConstant(size.height));
}

void width(ui::View& view, double width) {
    view.setTranslatesAutoresizingMaskIntoConstraints(false);
    activate(view.widthAnchor().equalToConstant(width));
}

void height(ui::View& view, double height) {
    view.setTranslatesAutoresizingMaskIntoConstraints(false);
    activate(view.heightAnchor().equalToConstant(height));
}

void xy(ui::View& view, const ui::LayoutAnchor& xAnchor, const ui::LayoutAnchor& yAnchor) {
    view.setTranslatesAutoresizingMaskIntoConstraints(false);
    activate(view.centerXAnchor().equalTo(xAnchor));
    activate(view.centerYAnchor().equalTo(yAnchor));
}

void x(ui::View& view, const ui::LayoutAnchor& anchor) { x(view, anchor, 0); }

void y(ui::View& view, const ui::LayoutAnchor& anchor) { y(view, anchor, 0); }

void x(ui::View& view, const ui::LayoutAnchor& anchor, double padding) {
    view.setTranslatesAutoresizingMaskIntoConstraints(false);
    activate(view.centerXAnchor().equalTo(anchor, padding));
}

void y(ui::View& view, const ui::LayoutAnchor& anchor, double padding) {
    view.setTranslatesAutoresizingMaskIntoConstraints(false);
    activate(view.centerYAnchor().equalTo(anchor, padding));
}

void fill(ui::View& view) {
    view.setTranslatesAutoresizingMaskIntoConstraints(false);
    for (auto edge : {&ui::View::topAnchor, &ui::View::leadingAnchor, &ui::View::trailingAnchor,
                      &ui::View::bottomAnchor}) {
        if (!pinToSuperview(view, edge)) return;
    }
}

}  // namespace extension
