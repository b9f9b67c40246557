#include "ui/Window.h"

#include <cmath>

#include "base/Log.h"
#include "ui/FrameScheduler.h"
#include "ui/LayoutConstraint.h"
#include "ui/LayoutEngine.h"
#include "ui/TouchRouter.h"
#include "ui/ViewController.h"

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
    : scale_(scale > 0 ? scale : 1.0),
      engine_(std::make_unique<LayoutEngine>(LayoutDirection::LeftToRight)),
      router_(std::make_unique<TouchRouter>()) {
    ownLayoutEngine_ = engine_.get();
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
    // and put it back under the new direction (in the window's solver or an island's).
    std::vector<View*> subtree;
    collectSubtree(subtree);
    std::vector<std::pair<std::shared_ptr<LayoutConstraint>, LayoutEngine*>> reinstall;
    for (View* view : subtree) {
        for (const auto& constraint : view->constraints()) {
            if (!constraint->isInstalled()) continue;
            LayoutEngine* engine = constraint->engine_;
            engine->uninstall(*constraint);
            reinstall.emplace_back(constraint, engine);
        }
    }
    direction_ = direction;
    engine_->setLayoutDirection(direction);
    for (View* view : subtree) {
        if (view->islandEngine_) view->islandEngine_->setLayoutDirection(direction);
    }
    for (const auto& [constraint, engine] : reinstall) engine->install(*constraint);
    for (View* view : subtree) view->setNeedsLayout();
}

namespace {

// The controller presented last, following each presented controller's own presentations.
std::shared_ptr<ViewController> topmostController(std::shared_ptr<ViewController> controller) {
    while (controller && controller->presentedViewController())
        controller = controller->presentedViewController();
    return controller;
}

}  // namespace

void Window::runFrame(base::Clock::TimePoint now) {
    auto self = shared_from_this();
    FrameScheduler::main().runFrame(now);
    layoutWindowIfNeeded();
}

bool Window::needsFrame() const { return FrameScheduler::main().needsFrame(); }

bool Window::sendPress(const Press& press) {
    std::shared_ptr<Responder> start = firstResponder();
    if (!start) start = topmostController(rootViewController_);
    if (!start) start = shared_from_this();
    return start->pressesBegan(press);
}

bool Window::pressesBegan(const Press& press) {
    if (press.key != Press::Key::Escape) return false;
    auto presented = topmostController(rootViewController_);
    if (!presented || presented == rootViewController_) return false;
    // A screen that is modal in presentation is closed by its own buttons only; one already
    // coming or going is left alone. Either way the key is used up.
    if (!presented->isModalInPresentation() && !presented->isBeingPresented() &&
        !presented->isBeingDismissed())
        presented->dismiss(true);
    return true;
}

void Window::layoutWindowIfNeeded() {
    auto self = shared_from_this();
    for (int pass = 0; pass < kMaximumLayoutPasses; ++pass) {
        engine_->solveIfNeeded();
        applyLayout(*this, *engine_, {0, 0}, scale_);
        if (!engine_->isDirty() && !islandIsDirty(*this)) return;
    }
    base::Log::line("ui: layout did not settle; layoutSubviews keeps changing constraints");
}

// Top-down: a view's frame is final before its layoutSubviews runs and before its subviews
// are placed relative to it. `engine` is the solver the view's rectangle lives in, whose
// coordinates start at `engineOrigin` in the window's; an island is solved as it is reached.
bool Window::applyLayout(View& view, LayoutEngine& engine, gfx::Point engineOrigin, double scale) {
    bool changed = false;
    if (!view.translatesAutoresizingMaskIntoConstraints() && engine.participates(view)) {
        const auto& v = view.layoutVariables();
        auto snap = [scale](double value) { return std::round(value * scale) / scale; };
        double left = snap(engineOrigin.x + v.left.value()), top = snap(engineOrigin.y + v.top.value());
        double right = snap(engineOrigin.x + v.left.value() + v.width.value()),
               bottom = snap(engineOrigin.y + v.top.value() + v.height.value());
        gfx::Point origin;
        if (auto superview = view.superview()) origin = superview->layoutOriginInWindow();
        gfx::Rect frame{left - origin.x, top - origin.y, std::max(0.0, right - left),
                        std::max(0.0, bottom - top)};
        if (frame != view.layoutFrame()) {
            bool widthChanged = frame.width != view.layoutFrame().width;
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
    LayoutEngine* inner = &engine;
    gfx::Point innerOrigin = engineOrigin;
    if (LayoutEngine* island = view.islandLayoutEngine()) {
        island->solveIfNeeded();
        inner = island;
        innerOrigin = view.layoutOriginInWindow();
        innerOrigin.x += view.bounds().x;
        innerOrigin.y += view.bounds().y;
    }
    for (const auto& subview : std::vector(view.subviews()))
        changed = applyLayout(*subview, *inner, innerOrigin, scale) || changed;
    return changed;
}

bool Window::islandIsDirty(const View& view) const {
    if (view.islandEngine_ && view.islandEngine_->isDirty()) return true;
    for (const auto& subview : view.subviews()) {
        if (islandIsDirty(*subview)) return true;
    }
    return false;
}

std::shared_ptr<View> Window::sendTouch(Touch touch) {
    auto self = shared_from_this();
    return router_->route(std::move(touch), *this);
}

void Window::resignFirstResponderAmong(const std::vector<std::shared_ptr<View>>& views) {
    auto current = firstResponder();
    if (!current) return;
    for (const auto& view : views) {
        if (view.get() != current.get()) continue;
        current->resignFirstResponder();
        firstResponder_.reset();  // it is leaving, willing or not
        return;
    }
}

// ---- Overlays ----

bool Window::isOverlay(const View& view) const {
    if (view.superview().get() != this) return false;
    for (const auto& overlay : overlays_) {
        if (overlay.lock().get() == &view) return true;
    }
    return false;
}

std::size_t Window::subviewIndexLimit(const View& inserted) const {
    if (&inserted == pushing_) return subviews().size();
    // Forget overlays that have left (so one added back as an ordinary view is not one).
    std::erase_if(overlays_, [this](const std::weak_ptr<View>& overlay) {
        auto locked = overlay.lock();
        return !locked || locked->superview().get() != this;
    });
    if (isOverlay(inserted)) return subviews().size();  // an overlay brought forward
    // Overlays are the last subviews: an ordinary one goes below the first of them.
    std::size_t limit = 0;
    while (limit < subviews().size() && !isOverlay(*subviews()[limit])) ++limit;
    return limit;
}

void Window::pushOverlay(const std::shared_ptr<View>& view) {
    if (!view || view.get() == this) return;
    std::erase_if(overlays_, [&](const std::weak_ptr<View>& overlay) {
        auto locked = overlay.lock();
        return !locked || locked == view || locked->superview().get() != this;
    });
    pushing_ = view.get();
    addSubview(view);
    pushing_ = nullptr;
    overlays_.push_back(view);
}

void Window::removeOverlay(const std::shared_ptr<View>& view) {
    if (!view || !isOverlay(*view)) return;
    view->removeFromSuperview();
    std::erase_if(overlays_, [&](const std::weak_ptr<View>& overlay) { return overlay.lock() == view; });
}

std::vector<std::shared_ptr<View>> Window::overlays() const {
    std::vector<std::shared_ptr<View>> result;
    for (const auto& subview : subviews()) {
        if (isOverlay(*subview)) result.push_back(subview);
    }
    return result;
}

void Window::setRootViewController(std::shared_ptr<ViewController> controller) {
    if (controller == rootViewController_) return;
    auto previous = std::move(rootViewController_);
    rootViewController_ = controller;
    if (previous) {
        previous->beginAppearanceTransition(false, false);
        if (previous->isViewLoaded()) previous->view()->removeFromSuperview();
        previous->endAppearanceTransition();
    }
    if (!controller) return;
    auto content = controller->view();
    content->setFrame(bounds());
    content->setAutoresizingMask(FlexibleWidth | FlexibleHeight);
    insertSubview(content, 0);
    controller->beginAppearanceTransition(true, false);
    controller->endAppearanceTransition();
}

}  // namespace ui
