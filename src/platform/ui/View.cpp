#include "ui/View.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "ui/AnimationScheduler.h"
#include "ui/FrameScheduler.h"
#include "ui/GestureRecognizer.h"
#include "ui/LayoutConstraint.h"
#include "ui/LayoutEngine.h"
#include "ui/Window.h"

namespace ui {

namespace {

gfx::Rect boundingBox(const gfx::Rect& rect, const gfx::AffineTransform& t) {
    gfx::Point corners[] = {t.apply(rect.origin()), t.apply({rect.maxX(), rect.y}),
                            t.apply({rect.x, rect.maxY()}), t.apply({rect.maxX(), rect.maxY()})};
    double left = corners[0].x, right = left, top = corners[0].y, bottom = top;
    for (const auto& p : corners) {
        left = std::min(left, p.x), right = std::max(right, p.x);
        top = std::min(top, p.y), bottom = std::max(bottom, p.y);
    }
    return {left, top, right - left, bottom - top};
}

// A transform that squashes the view to a line or a point has no inverse: no point of the
// superview maps into it.
std::optional<gfx::AffineTransform> inverted(const gfx::AffineTransform& t) {
    double det = t.a * t.d - t.b * t.c;
    if (!std::isfinite(det) || std::abs(det) < 1e-12) return std::nullopt;
    gfx::AffineTransform r{t.d / det, -t.b / det, -t.c / det, t.a / det, 0, 0};
    r.tx = -(t.tx * r.a + t.ty * r.c);
    r.ty = -(t.tx * r.b + t.ty * r.d);
    return r;
}

}  // namespace

std::shared_ptr<View> View::create() { return std::shared_ptr<View>(new View()); }

View::View() = default;
View::~View() = default;

std::shared_ptr<Responder> View::nextResponder() const {
    if (auto owner = owningResponder_.lock()) return owner;
    return superview();
}

// ---- Geometry ----

gfx::Rect View::layoutFrame() const {
    return {center_.x - size_.width / 2, center_.y - size_.height / 2, size_.width, size_.height};
}

gfx::Rect View::frame() const {
    if (layer_.transform().isIdentity()) return layoutFrame();
    return boundingBox(bounds(), transformToSuperview());
}

gfx::AffineTransform View::transformToSuperview() const {
    gfx::AffineTransform toCentre = gfx::AffineTransform::translation(-boundsOrigin_.x - size_.width / 2,
                                                                      -boundsOrigin_.y - size_.height / 2);
    return toCentre.concatenating(layer_.transform().affine())
        .concatenating(gfx::AffineTransform::translation(center_.x, center_.y));
}

void View::setTransform(const gfx::AffineTransform& transform) {
    changeAnimatable(AnimatableProperty::Transform, Transform3D::fromAffine(transform));
}

void View::setFrame(const gfx::Rect& frame) {
    applyGeometry({frame.midX(), frame.midY()}, frame.size(), boundsOrigin_);
}

void View::setBounds(const gfx::Rect& bounds) { applyGeometry(center_, bounds.size(), bounds.origin()); }

void View::setCenter(gfx::Point center) { applyGeometry(center, size_, boundsOrigin_); }

void View::applyGeometry(gfx::Point center, gfx::Size size, gfx::Point boundsOrigin) {
    bool sizeChanged = size != size_;
    bool originChanged = boundsOrigin != boundsOrigin_;
    bool centerChanged = center != center_;
    if (!sizeChanged && !originChanged && !centerChanged) return;
    gfx::Size oldSize = size_;
    if (centerChanged) changeAnimatable(AnimatableProperty::Center, center);
    if (sizeChanged) changeAnimatable(AnimatableProperty::Size, size);
    if (originChanged) changeAnimatable(AnimatableProperty::BoundsOrigin, boundsOrigin);
    if (sizeChanged) {
        setNeedsLayout();
        resizeSubviewsWithOldSize(oldSize);
    }
    // A frame-laid-out view in the solver is pinned at its frame; its subviews are pinned
    // relative to this view's bounds origin. An island's root pins its own size in its island.
    LayoutEngine* engine = layoutEngine();
    if (engine && translatesMask_) engine->frameDidChange(*this);
    if (islandEngine_ && sizeChanged) islandEngine_->frameDidChange(*this);
    LayoutEngine* inner = subviewLayoutEngine();
    if (inner && originChanged) {
        for (const auto& subview : subviews_) {
            if (subview->translatesMask_) inner->frameDidChange(*subview);
        }
    }
}

void View::resizeSubviewsWithOldSize(gfx::Size oldSize) {
    double dw = size_.width - oldSize.width, dh = size_.height - oldSize.height;
    for (const auto& subview : subviews_) {
        if (!subview->translatesMask_ || subview->autoresizingMask_ == AutoresizingNone) continue;
        gfx::Rect frame = subview->layoutFrame();
        if (subview->autoresizingMask_ & FlexibleWidth) frame.width = std::max(0.0, frame.width + dw);
        if (subview->autoresizingMask_ & FlexibleHeight) frame.height = std::max(0.0, frame.height + dh);
        subview->setFrame(frame);
    }
}

// ---- Appearance ----

void View::setAlpha(double alpha) {
    if (std::isnan(alpha)) return;
    changeAnimatable(AnimatableProperty::Alpha, std::clamp(alpha, 0.0, 1.0));
}

void View::setBackgroundColor(const gfx::Color& color) {
    changeAnimatable(AnimatableProperty::BackgroundColor, color);
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
    view->moveToWindow(window(), true);
    setNeedsLayout();
}

void View::removeFromSuperview() {
    auto superview = superview_.lock();
    if (!superview) return;
    auto self = shared_from_this();
    leaveLayout(layoutEngine());
    auto& siblings = superview->subviews_;
    siblings.erase(std::find(siblings.begin(), siblings.end(), self));
    superview_.reset();
    moveToWindow(nullptr, false);
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

// `join`: the subtree has just been added somewhere, and its constraints enter the solver there.
void View::moveToWindow(const std::shared_ptr<Window>& window, bool join) {
    auto oldWindow = window_.lock();
    if (oldWindow == window) {
        if (join) joinLayout();
        return;
    }
    auto self = shared_from_this();
    gfx::TraitCollection previousTraits = traitCollection();
    std::vector<View*> raw;
    collectSubtree(raw);
    std::vector<std::shared_ptr<View>> subtree;
    subtree.reserve(raw.size());
    for (View* view : raw) subtree.push_back(view->shared_from_this());

    // 1. A first responder leaving resigns (the solvers were left when the view was removed).
    if (oldWindow) oldWindow->resignFirstResponderAmong(subtree);
    for (const auto& view : subtree) view->window_ = window;
    // 2. Constraints kept while outside enter the solver once all their views are in it.
    if (join) joinLayout();
    // 3. Tell the views.
    bool traitsChanged = traitCollection() != previousTraits;
    for (const auto& view : subtree) {
        view->didMoveToWindow();
        if (traitsChanged) view->traitCollectionDidChange(previousTraits);
    }
}

// ---- Solvers: the window's and the islands' ----

void View::collectLayoutExterior(std::vector<View*>& out) {
    out.push_back(this);
    if (islandEngine_) return;
    for (const auto& subview : subviews_) subview->collectLayoutExterior(out);
}

std::vector<View*> View::islandInterior() {
    std::vector<View*> interior;
    for (const auto& subview : subviews_) subview->collectLayoutExterior(interior);
    return interior;
}

void View::leaveLayout(LayoutEngine* engine) {
    if (!engine) return;
    std::vector<View*> exterior;
    collectLayoutExterior(exterior);
    for (View* view : exterior) engine->viewWillLeave(*view);
}

// Islands inside keep what they hold; only constraints not yet in a solver (including any that
// would cross an island's edge into the new surroundings) are placed.
void View::joinLayout() {
    std::vector<View*> subtree;
    collectSubtree(subtree);
    for (View* view : subtree) {
        if (view->islandEngine_) view->matchIslandDirection();
    }
    installPending(subtree);
}

void View::installPending(const std::vector<View*>& views) {
    std::vector<std::shared_ptr<LayoutConstraint>> pending;
    for (View* view : views) {
        for (const auto& constraint : view->constraints_) {
            if (!constraint->isInstalled()) pending.push_back(constraint);
        }
    }
    for (const auto& constraint : pending) LayoutEngine::installWhereItBelongs(*constraint);
}

LayoutEngine* View::layoutEngine() const {
    auto superview = superview_.lock();
    if (!superview) return islandEngine_ ? nullptr : ownLayoutEngine_;
    return superview->subviewLayoutEngine();
}

void View::setLayoutIsland(bool island) {
    wantsIsland_ = island && !islandGivenUp_;
    if (wantsIsland_ && translatesMask_) {
        formIsland();
    } else {
        dissolveIsland();
    }
}

void View::giveUpIsland() {
    islandGivenUp_ = true;
    setLayoutIsland(false);
}

// The subviews' constraints leave the enclosing solver and enter the island's.
void View::formIsland() {
    if (islandEngine_ || ownLayoutEngine_) return;
    auto interior = islandInterior();
    if (LayoutEngine* outer = layoutEngine()) {
        for (View* view : interior) outer->viewWillLeave(*view);
        for (const auto& constraint : std::vector(constraints_)) {
            if (constraint->isInstalled() && constraint->views().size() > 1) outer->uninstall(*constraint);
        }
    }
    islandEngine_ = std::make_unique<LayoutEngine>(effectiveLayoutDirection(), this);
    interior.insert(interior.begin(), this);
    installPending(interior);
}

// The subviews' constraints leave the island's solver for the enclosing one.
void View::dissolveIsland() {
    if (!islandEngine_) return;
    auto interior = islandInterior();
    islandEngine_->viewWillLeave(*this);
    for (View* view : interior) islandEngine_->viewWillLeave(*view);
    islandEngine_.reset();
    interior.insert(interior.begin(), this);
    installPending(interior);
}

// Leading and trailing inside the island follow the window it is shown in.
void View::matchIslandDirection() {
    LayoutDirection direction = effectiveLayoutDirection();
    if (islandEngine_->layoutDirection() == direction) return;
    auto interior = islandInterior();
    interior.insert(interior.begin(), this);
    std::vector<LayoutConstraint*> installed;
    for (View* view : interior) {
        for (const auto& constraint : view->constraints_) {
            if (constraint->engine_ != islandEngine_.get()) continue;
            islandEngine_->uninstall(*constraint);
            installed.push_back(constraint.get());
        }
    }
    islandEngine_->setLayoutDirection(direction);
    for (LayoutConstraint* constraint : installed) islandEngine_->install(*constraint);
}

// ---- Layout ----

void View::setNeedsDisplay() { FrameScheduler::main().requestFrame(); }

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
    gfx::Rect frame = layoutFrame();
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
    // Laid out by constraints, its size may come from its subviews': they join the enclosing
    // solver until it is laid out by its frame again.
    if (wantsIsland_) {
        if (translates) {
            formIsland();
        } else {
            dissolveIsland();
        }
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
    if (hidden_ || alpha_ < 0.01 || !userInteractionEnabled_ || layer_.blocksUserInteraction() ||
        !pointInside(point))
        return nullptr;
    for (auto it = subviews_.rbegin(); it != subviews_.rend(); ++it) {
        const auto& subview = *it;
        auto fromSuperview = inverted(subview->transformToSuperview());
        if (!fromSuperview) continue;
        if (auto hit = subview->hitTest(fromSuperview->apply(point))) return hit;
    }
    return shared_from_this();
}

bool View::pointInside(gfx::Point point) const { return bounds().contains(point); }

gfx::Point View::convertPoint(gfx::Point point, const View* to) const {
    // Up to the root's coordinates...
    const View* view = this;
    for (auto superview = view->superview(); superview; superview = superview->superview()) {
        point = view->transformToSuperview().apply(point);
        view = superview.get();
    }
    // ...and down to the target's.
    return to ? to->convertPointFrom(point, nullptr) : point;
}

// A view squashed flat by its transform has no inverse; the point then passes through it
// unchanged rather than becoming infinite.
gfx::Point View::convertPointFrom(gfx::Point point, const View* from) const {
    if (from) point = from->convertPoint(point, nullptr);
    std::vector<const View*> chain;
    for (const View* view = this; view->superview(); view = view->superview().get()) chain.push_back(view);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (auto fromSuperview = inverted((*it)->transformToSuperview())) point = fromSuperview->apply(point);
    }
    return point;
}

gfx::Point View::layoutOriginInWindow() const {
    gfx::Point origin;
    for (const View* view = this; view->superview(); view = view->superview().get()) {
        gfx::Rect frame = view->layoutFrame();
        origin.x += frame.x - view->boundsOrigin_.x;
        origin.y += frame.y - view->boundsOrigin_.y;
    }
    return origin;
}

gfx::Rect View::convertRect(const gfx::Rect& rect, const View* to) const {
    return {convertPoint(rect.origin(), to), rect.size()};
}

// ---- Animation ----

void View::changeAnimatable(AnimatableProperty property, const AnimatableValue& value) {
    AnimatableValue from = presentationValue(property);
    storeModelValue(property, value);
    AnimationScheduler::shared().propertyDidChange(layer_, property, from, value);
}

AnimatableValue View::modelValue(AnimatableProperty property) const {
    switch (property) {
        case AnimatableProperty::Center:
            return center_;
        case AnimatableProperty::Size:
            return size_;
        case AnimatableProperty::BoundsOrigin:
            return boundsOrigin_;
        case AnimatableProperty::Alpha:
            return alpha_;
        case AnimatableProperty::BackgroundColor:
            return backgroundColor_;
        case AnimatableProperty::Transform:
            return layer_.transform_;
    }
    return alpha_;
}

void View::storeModelValue(AnimatableProperty property, const AnimatableValue& value) {
    switch (property) {
        case AnimatableProperty::Center:
            center_ = std::get<gfx::Point>(value);
            break;
        case AnimatableProperty::Size:
            size_ = std::get<gfx::Size>(value);
            break;
        case AnimatableProperty::BoundsOrigin:
            boundsOrigin_ = std::get<gfx::Point>(value);
            break;
        case AnimatableProperty::Alpha:
            alpha_ = std::get<double>(value);
            break;
        case AnimatableProperty::BackgroundColor:
            backgroundColor_ = std::get<gfx::Color>(value);
            break;
        case AnimatableProperty::Transform:
            layer_.transform_ = std::get<Transform3D>(value);
            break;
    }
}

AnimatableValue View::presentationValue(AnimatableProperty property) const {
    const PropertyAnimation* animation = layer_.animation(property);
    if (!animation) return modelValue(property);
    double progress = animation->progressAt(AnimationScheduler::shared().now());
    return interpolate(animation->from, animation->to, progress, traitCollection());
}

void View::setPresentedAsModel(AnimatableProperty property) {
    AnimatableValue value = presentationValue(property);
    switch (property) {
        case AnimatableProperty::Center:
            applyGeometry(std::get<gfx::Point>(value), size_, boundsOrigin_);
            break;
        case AnimatableProperty::Size:
            applyGeometry(center_, std::get<gfx::Size>(value), boundsOrigin_);
            break;
        case AnimatableProperty::BoundsOrigin:
            applyGeometry(center_, size_, std::get<gfx::Point>(value));
            break;
        default:
            changeAnimatable(property, value);
            break;
    }
}

View::Presentation View::presentation() const {
    Presentation p{center_, size_, boundsOrigin_, alpha_, backgroundColor_, layer_.transform_};
    if (!layer_.hasAnimations()) return p;
    p.center = std::get<gfx::Point>(presentationValue(AnimatableProperty::Center));
    p.size = std::get<gfx::Size>(presentationValue(AnimatableProperty::Size));
    p.boundsOrigin = std::get<gfx::Point>(presentationValue(AnimatableProperty::BoundsOrigin));
    p.alpha = std::clamp(std::get<double>(presentationValue(AnimatableProperty::Alpha)), 0.0, 1.0);
    p.backgroundColor = std::get<gfx::Color>(presentationValue(AnimatableProperty::BackgroundColor));
    p.transform = std::get<Transform3D>(presentationValue(AnimatableProperty::Transform));
    // A spring's overshoot must not turn a size negative.
    p.size = {std::max(0.0, p.size.width), std::max(0.0, p.size.height)};
    return p;
}

double View::presentationAlpha() const {
    return std::clamp(std::get<double>(presentationValue(AnimatableProperty::Alpha)), 0.0, 1.0);
}

void View::animate(double duration, double delay, unsigned options, const std::function<void()>& changes,
                   std::function<void(bool finished)> completion) {
    // Times that are negative, not numbers or endless would never end: they count as none.
    auto seconds = [](double value) {
        return std::isfinite(value) && value > 0 ? std::chrono::duration<double>(value)
                                                 : std::chrono::duration<double>(0);
    };
    AnimationScheduler& scheduler = AnimationScheduler::shared();
    AnimationScheduler::Context context;
    context.begin =
        scheduler.now() + std::chrono::duration_cast<AnimationScheduler::Duration>(seconds(delay));
    context.duration = std::chrono::duration_cast<AnimationScheduler::Duration>(seconds(duration));
    context.curve = TimingCurve::forOptions(options);
    context.allowsUserInteraction = (options & AnimationOptionAllowUserInteraction) != 0;
    context.group = std::make_shared<AnimationGroup>(std::move(completion));
    auto group = context.group;
    scheduler.push(std::move(context));
    struct Pop {
        AnimationScheduler& scheduler;
        ~Pop() { scheduler.pop(); }
    } pop{scheduler};
    if (changes) changes();
    group->close();
}

void View::animate(double duration, const std::function<void()>& changes,
                   std::function<void(bool finished)> completion) {
    animate(duration, 0, AnimationOptionNone, changes, std::move(completion));
}

// Measured where the view is: its frame's size gives way to the target in the solver that
// lays it out (its own, for an island) and its subtree is laid out there, so nothing moves
// between windows, no appearance changes and the first responder stays. The size is snapped
// to the pixel grid as a frame would be.
gfx::Size View::systemLayoutSizeFitting(gfx::Size targetSize) {
    auto self = shared_from_this();
    LayoutEngine* engine = islandEngine_ ? islandEngine_.get() : layoutEngine();
    if (!engine || ownLayoutEngine_) return measureInScratchWindow(targetSize);
    auto window = this->window();
    double scale = window ? window->scale() : kDetachedScale;
    gfx::Point origin = islandEngine_ ? islandOrigin() : engineOriginOf(*engine);
    engine->beginMeasuring(*this, targetSize);
    for (int pass = 0; pass < kMeasuringPasses; ++pass) {
        engine->solveIfNeeded();
        for (const auto& subview : std::vector(subviews_))
            Window::applyLayout(*subview, *engine, origin, scale);
        if (!engine->isDirty()) break;
    }
    gfx::Size fitting = engine->measuredSize(*this);
    engine->endMeasuring(*this);
    engine->solveIfNeeded();  // a layout pass in progress reads the solution it had
    auto snap = [scale](double value) { return std::max(0.0, std::round(value * scale) / scale); };
    return {snap(fitting.width), snap(fitting.height)};
}

// Where an island's own coordinates start, in its tree's.
gfx::Point View::islandOrigin() const {
    gfx::Point origin = layoutOriginInWindow();
    return {origin.x + boundsOrigin_.x, origin.y + boundsOrigin_.y};
}

// Where the coordinates of `engine` (this view's) start: at the island above that owns it, else
// at the window's origin.
gfx::Point View::engineOriginOf(const LayoutEngine& engine) const {
    for (auto ancestor = superview(); ancestor; ancestor = ancestor->superview()) {
        if (ancestor->islandEngine_.get() == &engine) return ancestor->islandOrigin();
    }
    return {0, 0};
}

// A view in no solver (alone, outside any window and island) is measured alone in a scratch
// window, pinned at its top left, and then goes back where it was.
gfx::Size View::measureInScratchWindow(gfx::Size targetSize) {
    auto self = shared_from_this();
    auto parent = superview();
    std::size_t index = 0;
    if (parent)
        index =
            std::find(parent->subviews_.begin(), parent->subviews_.end(), self) - parent->subviews_.begin();
    gfx::Rect oldFrame = frame();
    bool translated = translatesMask_;

    // Laid out by constraints before it joins the scratch solver: joining by its (perhaps empty)
    // frame would refuse the subviews' constraints that do not fit that frame.
    setTranslatesAutoresizingMaskIntoConstraints(false);
    auto scratch = Window::create({std::max(targetSize.width, 1.0), std::max(targetSize.height, 1.0)});
    scratch->addSubview(self);
    auto height = heightAnchor().equalToConstant(std::max(targetSize.height, 0.0));
    height->setPriority(LayoutPriority::kFittingSizeLevel);
    std::vector<std::shared_ptr<LayoutConstraint>> pins{
        leftAnchor().equalTo(scratch->leftAnchor()), topAnchor().equalTo(scratch->topAnchor()),
        widthAnchor().equalToConstant(std::max(targetSize.width, 0.0)), height};
    LayoutConstraint::activate(pins);
    scratch->layoutIfNeeded();
    gfx::Size fitting = size_;

    LayoutConstraint::deactivate(pins);
    removeFromSuperview();
    setTranslatesAutoresizingMaskIntoConstraints(translated);
    setFrame(oldFrame);
    if (parent) parent->insertSubview(self, index);
    return fitting;
}

}  // namespace ui
