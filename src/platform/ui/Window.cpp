#include "ui/Window.h"

#include <cmath>

#include "base/Log.h"
#include "ui/LayoutConstraint.h"
#include "ui/LayoutEngine.h"

namespace ui {

namespace {

// Layout passes stop after this many rounds of layoutSubviews changing constraints again.
constexpr int kMaximumLayoutPasses = 16;

}  // namespace

std::shared_ptr<Window> Window::create(gfx::Size screenSize, double scale) {
    std::shared_ptr<Window> window(new Window(screenSize, scale));
    window->window_ = window;
    return window;
}

Window::Window(gfx::Size screenSize, double scale)
    : scale_(scale > 0 ? scale : 1.0), engine_(std::make_unique<LayoutEngine>(LayoutDirection::LeftToRight)) {
    setFrame({{0, 0}, screenSize});
}

Window::~Window() = default;

void Window::setTraitCollection(const gfx::TraitCollection& traits) {
    if (traits == traits_) return;
    gfx::TraitCollection previous = traits_;
    traits_ = traits;
    std::vector<View*> raw;
    collectSubtree(raw);
    std::vector<std::shared_ptr<View>> subtree;
    for (View* view : raw) subtree.push_back(view->shared_from_this());
    for (const auto& view : subtree) view->traitCollectionDidChange(previous);
}

void Window::setLayoutDirection(LayoutDirection direction) {
    if (direction == direction_) return;
    // Leading and trailing change meaning: take every installed constraint out, in tree order,
    // and put it back under the new direction.
    std::vector<View*> subtree;
    collectSubtree(subtree);
    std::vector<std::shared_ptr<LayoutConstraint>> reinstall;
    for (View* view : subtree) {
        for (const auto& constraint : view->constraints()) {
            if (!constraint->isInstalled()) continue;
            engine_->uninstall(*constraint);
            reinstall.push_back(constraint);
        }
    }
    direction_ = direction;
    engine_->setLayoutDirection(direction);
    for (const auto& constraint : reinstall) engine_->install(*constraint);
    for (View* view : subtree) view->setNeedsLayout();
}

void Window::layoutWindowIfNeeded() {
    auto self = shared_from_this();
    for (int pass = 0; pass < kMaximumLayoutPasses; ++pass) {
        engine_->solveIfNeeded();
        applyLayout(*this);
        if (!engine_->isDirty()) return;
    }
    base::Log::line("ui: layout did not settle; layoutSubviews keeps changing constraints");
}

// Top-down: a view's frame is final before its layoutSubviews runs and before its subviews
// are placed relative to it.
bool Window::applyLayout(View& view) {
    bool changed = false;
    if (!view.translatesAutoresizingMaskIntoConstraints() && engine_->participates(view)) {
        const auto& v = view.layoutVariables();
        auto snap = [this](double value) { return std::round(value * scale_) / scale_; };
        double left = snap(v.left.value()), top = snap(v.top.value());
        double right = snap(v.left.value() + v.width.value()),
               bottom = snap(v.top.value() + v.height.value());
        gfx::Point origin;
        if (auto superview = view.superview()) origin = superview->convertPoint({0, 0}, nullptr);
        gfx::Rect frame{left - origin.x, top - origin.y, std::max(0.0, right - left),
                        std::max(0.0, bottom - top)};
        if (frame != view.frame()) {
            bool widthChanged = frame.width != view.frame().width;
            view.setFrame(frame);
            changed = true;
            // Measured again for the new width; the solver runs again in the next pass.
            if (widthChanged && view.intrinsicContentSizeDependsOnWidth())
                view.invalidateIntrinsicContentSize();
        }
    }
    if (view.needsLayout()) {
        view.needsLayout_ = false;
        view.layoutSubviews();
        changed = true;
    }
    for (const auto& subview : std::vector(view.subviews())) changed = applyLayout(*subview) || changed;
    return changed;
}

std::shared_ptr<View> Window::sendTouch(Touch touch) {
    std::shared_ptr<View> target;
    if (touch.phase() == TouchPhase::Began) {
        target = hitTest(touch.locationInWindow());
        if (target) touchTargets_[touch.identifier()] = target;
    } else if (auto found = touchTargets_.find(touch.identifier()); found != touchTargets_.end()) {
        target = found->second.lock();
        if (touch.phase() == TouchPhase::Ended || touch.phase() == TouchPhase::Cancelled)
            touchTargets_.erase(found);
    }
    if (!target) return nullptr;
    touch.setView(target);
    const Responder::Touches touches{touch};
    switch (touch.phase()) {
        case TouchPhase::Began:
            target->touchesBegan(touches);
            break;
        case TouchPhase::Moved:
            target->touchesMoved(touches);
            break;
        case TouchPhase::Stationary:
            break;  // nothing changed for the view to hear about
        case TouchPhase::Ended:
            target->touchesEnded(touches);
            break;
        case TouchPhase::Cancelled:
            target->touchesCancelled(touches);
            break;
    }
    return target;
}

}  // namespace ui
