#include "ui/View.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "ui/GestureRecognizer.h"
#include "ui/LayoutConstraint.h"
#include "ui/LayoutEngine.h"
#include "ui/Window.h"

namespace ui {

std::shared_ptr<View> View::create() { return std::shared_ptr<View>(new View()); }

View::View() = default;
View::~View() = default;

std::shared_ptr<Responder> View::nextResponder() const {
    if (auto owner = owningResponder_.lock()) return owner;
    return superview();
}

// ---- Geometry ----

gfx::Rect View::frame() const {
    return {center_.x - size_.width / 2, center_.y - size_.height / 2, size_.width, size_.height};
}

void View::setFrame(const gfx::Rect& frame) {
    applyGeometry({frame.midX(), frame.midY()}, frame.size(), boundsOrigin_);
}

void View::setBounds(const gfx::Rect& bounds) { applyGeometry(center_, bounds.size(), bounds.origin()); }

void View::setCenter(gfx::Point center) { applyGeometry(center, size_, boundsOrigin_); }

void View::applyGeometry(gfx::Point center, gfx::Size size, gfx::Point boundsOrigin) {
    bool sizeChanged = size != size_;
    bool originChanged = boundsOrigin != boundsOrigin_;
    if (!sizeChanged && !originChanged && center == center_) return;
    gfx::Size oldSize = size_;
    center_ = center;
    size_ = size;
    boundsOrigin_ = boundsOrigin;
    if (sizeChanged) {
        setNeedsLayout();
        resizeSubviewsWithOldSize(oldSize);
    }
    LayoutEngine* engine = layoutEngine();
    if (!engine) return;
    // A frame-laid-out view in the solver is pinned at its frame; its subviews are pinned
    // relative to this view's bounds origin.
    if (translatesMask_) engine->frameDidChange(*this);
    if (originChanged) {
        for (const auto& subview : subviews_) {
            if (subview->translatesMask_) engine->frameDidChange(*subview);
        }
    }
}

void View::resizeSubviewsWithOldSize(gfx::Size oldSize) {
    double dw = size_.width - oldSize.width, dh = size_.height - oldSize.height;
    for (const auto& subview : subviews_) {
        if (!subview->translatesMask_ || subview->autoresizingMask_ == AutoresizingNone) continue;
        gfx::Rect frame = subview->frame();
        if (subview->autoresizingMask_ & FlexibleWidth) frame.width = std::max(0.0, frame.width + dw);
        if (subview->autoresizingMask_ & FlexibleHeight) frame.height = std::max(0.0, frame.height + dh);
        subview->setFrame(frame);
    }
}

// ---- Appearance ----

void View::setAlpha(double alpha) {
    if (std::isnan(alpha)) return;
    alpha_ = std::clamp(alpha, 0.0, 1.0);
}

gfx::Color View::tintColor() const {
    if (tintColor_) return *tintColor_;
    auto superview = superview_.lock();
    return superview ? superview->tintColor() : gfx::Color::systemBlue();
}

void View::setTintColor(std::optional<gfx::Color> color) {
    tintColor_ = std::move(color);
    notifyTintChange();
}

void View::notifyTintChange() {
    auto self = shared_from_this();
    tintColorDidChange();
    for (const auto& subview : std::vector(subviews_)) {
        if (!subview->tintColor_) subview->notifyTintChange();
    }
}

std::shared_ptr<View> View::viewWithTag(int tag) {
    if (tag_ == tag) return shared_from_this();
    for (const auto& subview : subviews_) {
        if (auto found = subview->viewWithTag(tag)) return found;
    }
    return nullptr;
}

// ---- Tree ----

void View::addSubview(const std::shared_ptr<View>& view) { insertSubview(view, subviews_.size()); }

void View::insertSubview(const std::shared_ptr<View>& view, std::size_t index) {
    if (!view || view.get() == this || isDescendantOf(*view)) {
        throw std::invalid_argument("a view cannot be added to itself or to its own descendant");
    }
    auto keep = view;
    if (view->superview_.lock().get() == this) {
        // Reordering among its siblings: it stays in the window, its constraints stay in place.
        subviews_.erase(std::find(subviews_.begin(), subviews_.end(), view));
        index = std::min(index, subviewIndexLimit(*view));
        subviews_.insert(subviews_.begin() + static_cast<std::ptrdiff_t>(index), view);
        return;
    }
    if (view->superview()) view->removeFromSuperview();
    index = std::min(index, subviewIndexLimit(*view));
    subviews_.insert(subviews_.begin() + static_cast<std::ptrdiff_t>(index), view);
    view->superview_ = weak_from_this();
    view->moveToWindow(window());
    setNeedsLayout();
}

void View::removeFromSuperview() {
    auto superview = superview_.lock();
    if (!superview) return;
    auto self = shared_from_this();
    auto& siblings = superview->subviews_;
    siblings.erase(std::find(siblings.begin(), siblings.end(), self));
    superview_.reset();
    moveToWindow(nullptr);
    superview->setNeedsLayout();
}

void View::bringSubviewToFront(const std::shared_ptr<View>& view) {
    if (std::find(subviews_.begin(), subviews_.end(), view) == subviews_.end()) return;
    insertSubview(view, subviews_.size());
}

bool View::isDescendantOf(const View& ancestor) const {
    if (this == &ancestor) return true;
    for (auto view = superview(); view; view = view->superview()) {
        if (view.get() == &ancestor) return true;
    }
    return false;
}

void View::collectSubtree(std::vector<View*>& out) {
    out.push_back(this);
    for (const auto& subview : subviews_) subview->collectSubtree(out);
}

void View::moveToWindow(const std::shared_ptr<Window>& window) {
    auto oldWindow = window_.lock();
    if (oldWindow == window) return;
    auto self = shared_from_this();
    gfx::TraitCollection previousTraits = traitCollection();
    std::vector<View*> raw;
    collectSubtree(raw);
    std::vector<std::shared_ptr<View>> subtree;
    subtree.reserve(raw.size());
    for (View* view : raw) subtree.push_back(view->shared_from_this());

    // 1. Leave the old window's solver; a first responder leaving resigns.
    if (oldWindow) {
        for (const auto& view : subtree) oldWindow->layoutEngine().viewWillLeave(*view);
        oldWindow->resignFirstResponderAmong(subtree);
    }
    for (const auto& view : subtree) view->window_ = window;
    // 2. Constraints kept while outside enter the new solver once all their views are in it.
    if (window) {
        for (const auto& view : subtree) {
            for (const auto& constraint : std::vector(view->constraints_)) {
                if (constraint->isInstalled()) continue;
                bool allInWindow = true;
                for (const auto& related : constraint->views())
                    allInWindow = allInWindow && related->window() == window;
                if (allInWindow) window->layoutEngine().install(*constraint);
            }
        }
    }
    // 3. Tell the views.
    bool traitsChanged = traitCollection() != previousTraits;
    for (const auto& view : subtree) {
        view->didMoveToWindow();
        if (traitsChanged) view->traitCollectionDidChange(previousTraits);
    }
}

// ---- Layout ----

LayoutEngine* View::layoutEngine() const {
    auto window = window_.lock();
    return window ? &window->layoutEngine() : nullptr;
}

void View::layoutIfNeeded() {
    if (auto window = this->window()) {
        window->layoutWindowIfNeeded();
        return;
    }
    layoutSubtreeIfNeeded();
}

void View::layoutSubtreeIfNeeded() {
    auto self = shared_from_this();
    if (needsLayout_) {
        needsLayout_ = false;
        layoutSubviews();
    }
    for (const auto& subview : std::vector(subviews_)) subview->layoutSubtreeIfNeeded();
}

gfx::Size View::sizeThatFits(gfx::Size) const { return size_; }

void View::sizeToFit() {
    gfx::Rect frame = this->frame();
    gfx::Size size = sizeThatFits(size_);
    setFrame({frame.origin(), size});
}

void View::invalidateIntrinsicContentSize() {
    if (LayoutEngine* engine = layoutEngine(); engine && engine->participates(*this)) {
        engine->intrinsicContentSizeDidChange(*this);
    }
    setNeedsLayout();
    if (auto superview = this->superview()) superview->setNeedsLayout();
}

static int axisIndex(LayoutAxis axis) { return axis == LayoutAxis::Horizontal ? 0 : 1; }

double View::contentHuggingPriority(LayoutAxis axis) const { return hugging_[axisIndex(axis)]; }

void View::setContentHuggingPriority(double priority, LayoutAxis axis) {
    hugging_[axisIndex(axis)] = std::clamp(priority, 1.0, 1000.0);
    invalidateIntrinsicContentSize();
}

double View::contentCompressionResistancePriority(LayoutAxis axis) const {
    return compression_[axisIndex(axis)];
}

void View::setContentCompressionResistancePriority(double priority, LayoutAxis axis) {
    compression_[axisIndex(axis)] = std::clamp(priority, 1.0, 1000.0);
    invalidateIntrinsicContentSize();
}

void View::setTranslatesAutoresizingMaskIntoConstraints(bool translates) {
    if (translates == translatesMask_) return;
    translatesMask_ = translates;
    if (LayoutEngine* engine = layoutEngine(); engine && engine->participates(*this)) {
        engine->layoutModeDidChange(*this);
    }
    setNeedsLayout();
}

LayoutDirection View::effectiveLayoutDirection() const {
    auto window = this->window();
    return window ? window->layoutDirection() : LayoutDirection::LeftToRight;
}

void View::addConstraint(const std::shared_ptr<LayoutConstraint>& constraint) {
    constraints_.push_back(constraint);
}

void View::removeConstraint(const LayoutConstraint* constraint) {
    std::erase_if(constraints_, [constraint](const auto& held) { return held.get() == constraint; });
}

// ---- Drawing and environment ----

void View::draw(gfx::Painter&, const gfx::Rect&) {}

gfx::TraitCollection View::traitCollection() const {
    auto window = this->window();
    return window ? window->windowTraitCollection() : gfx::TraitCollection::light();
}

void View::traitCollectionDidChange(const gfx::TraitCollection&) {}

// ---- Gestures ----

void View::addGestureRecognizer(const std::shared_ptr<GestureRecognizer>& recognizer) {
    if (!recognizer) return;
    if (auto previous = recognizer->view()) {
        if (previous.get() == this) return;
        previous->removeGestureRecognizer(recognizer);
    }
    gestureRecognizers_.push_back(recognizer);
    recognizer->view_ = weak_from_this();
}

void View::removeGestureRecognizer(const std::shared_ptr<GestureRecognizer>& recognizer) {
    auto it = std::find(gestureRecognizers_.begin(), gestureRecognizers_.end(), recognizer);
    if (it == gestureRecognizers_.end()) return;
    recognizer->view_.reset();
    gestureRecognizers_.erase(it);
}

// ---- Hit testing and coordinates ----

std::shared_ptr<View> View::hitTest(gfx::Point point) {
    if (hidden_ || alpha_ < 0.01 || !userInteractionEnabled_ || !pointInside(point)) return nullptr;
    for (auto it = subviews_.rbegin(); it != subviews_.rend(); ++it) {
        const auto& subview = *it;
        gfx::Rect frame = subview->frame();
        gfx::Point local{point.x - frame.x + subview->boundsOrigin_.x,
                         point.y - frame.y + subview->boundsOrigin_.y};
        if (auto hit = subview->hitTest(local)) return hit;
    }
    return shared_from_this();
}

bool View::pointInside(gfx::Point point) const { return bounds().contains(point); }

gfx::Point View::convertPoint(gfx::Point point, const View* to) const {
    // Up to the root's coordinates...
    const View* view = this;
    for (auto superview = view->superview(); superview; superview = superview->superview()) {
        gfx::Rect frame = view->frame();
        point = {point.x - view->boundsOrigin_.x + frame.x, point.y - view->boundsOrigin_.y + frame.y};
        view = superview.get();
    }
    // ...and down to the target's.
    return to ? to->convertPointFrom(point, nullptr) : point;
}

gfx::Point View::convertPointFrom(gfx::Point point, const View* from) const {
    if (from) point = from->convertPoint(point, nullptr);
    gfx::Point origin = convertPoint({0, 0}, nullptr);
    return {point.x - origin.x, point.y - origin.y};
}

gfx::Rect View::convertRect(const gfx::Rect& rect, const View* to) const {
    return {convertPoint(rect.origin(), to), rect.size()};
}

gfx::Size View::systemLayoutSizeFitting(gfx::Size targetSize) {
    auto self = shared_from_this();
    auto parent = superview();
    std::size_t index = 0;
    if (parent)
        index =
            std::find(parent->subviews_.begin(), parent->subviews_.end(), self) - parent->subviews_.begin();
    gfx::Rect oldFrame = frame();
    bool translated = translatesMask_;

    // 1. Alone in a scratch window, pinned at its top left, the width fixed, the height free.
    auto scratch = Window::create({std::max(targetSize.width, 1.0), std::max(targetSize.height, 1.0)});
    scratch->addSubview(self);
    setTranslatesAutoresizingMaskIntoConstraints(false);
    auto height = heightAnchor().equalToConstant(std::max(targetSize.height, 0.0));
    height->setPriority(LayoutPriority::kFittingSizeLevel);
    std::vector<std::shared_ptr<LayoutConstraint>> pins{
        leftAnchor().equalTo(scratch->leftAnchor()), topAnchor().equalTo(scratch->topAnchor()),
        widthAnchor().equalToConstant(std::max(targetSize.width, 0.0)), height};
    LayoutConstraint::activate(pins);

    // 2. Solve and read the size.
    scratch->layoutIfNeeded();
    gfx::Size fitting = size_;

    // 3. Back where it was.
    LayoutConstraint::deactivate(pins);
    removeFromSuperview();
    setTranslatesAutoresizingMaskIntoConstraints(translated);
    setFrame(oldFrame);
    if (parent) parent->insertSubview(self, index);
    return fitting;
}

}  // namespace ui
