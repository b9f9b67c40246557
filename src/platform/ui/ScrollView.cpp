#include "ui/ScrollView.h"

#include <algorithm>
#include <chrono>

#include "ui/PanGestureRecognizer.h"

namespace ui {

namespace {

constexpr double kIndicatorMargin = 3;
constexpr double kIndicatorMinimumLength = 36;
constexpr const char* kPanAction = "scrollViewPan";

}  // namespace

std::shared_ptr<ScrollView> ScrollView::create() {
    std::shared_ptr<ScrollView> view(new ScrollView());
    view->addGestureRecognizer(view->pan_);
    return view;
}

ScrollView::ScrollView() : pan_(PanGestureRecognizer::create()) {
    setClipsToBounds(true);
    registerAction(kPanAction, [this] { handlePan(); });
    pan_->addTarget(std::weak_ptr<Responder>(), kPanAction);  // the chain starts at this view
}

ScrollView::~ScrollView() { stopMotionClock(); }

void ScrollView::setContentSize(gfx::Size size) {
    contentSize_ = {std::max(0.0, size.width), std::max(0.0, size.height)};
    setNeedsLayout();
}

void ScrollView::setContentInset(const EdgeInsets& inset) {
    contentInset_ = inset;
    setNeedsLayout();
}

ScrollPhysics::Limits ScrollView::offsetLimits() const {
    gfx::Size size = bounds().size();
    gfx::Point min{-contentInset_.left, -contentInset_.top};
    gfx::Point max{contentSize_.width + contentInset_.right - size.width,
                   contentSize_.height + contentInset_.bottom - size.height};
    return {min, {std::max(min.x, max.x), std::max(min.y, max.y)}};
}

bool ScrollView::scrollsHorizontally() const {
    auto limits = offsetLimits();
    return alwaysBounceHorizontal_ || limits.max.x > limits.min.x;
}

bool ScrollView::scrollsVertically() const {
    auto limits = offsetLimits();
    return alwaysBounceVertical_ || limits.max.y > limits.min.y;
}

void ScrollView::setScrollEnabled(bool enabled) {
    scrollEnabled_ = enabled;
    pan_->setEnabled(enabled);
    if (!enabled && physics_.isRunning()) finishMotion();
}

void ScrollView::setContentOffset(gfx::Point offset, bool animated) {
    bool wasMoving = motion_ != 0;
    physics_.stop();
    stopMotionClock();
    if (!animated || offset == contentOffset()) {
        applyOffset(offset);
        if (wasMoving) updateIndicators(false);
        return;
    }
    physics_.animate(contentOffset(), offset, kAnimationDuration);
    offsetAnimation_ = true;
    startMotion();
}

void ScrollView::scrollRectToVisible(const gfx::Rect& rect, bool animated) {
    auto limits = offsetLimits();
    gfx::Rect visible = bounds();
    auto axis = [](double offset, double start, double length, double extent, double min, double max) {
        if (start + length > offset + extent) offset = start + length - extent;
        if (start < offset) offset = start;
        return std::clamp(offset, min, max);
    };
    gfx::Point target{axis(visible.x, rect.x, rect.width, visible.width, limits.min.x, limits.max.x),
                      axis(visible.y, rect.y, rect.height, visible.height, limits.min.y, limits.max.y)};
    if (target != contentOffset()) setContentOffset(target, animated);
}

// Every offset change goes through here, so the delegate hears each one.
void ScrollView::applyOffset(gfx::Point offset) {
    if (offset == contentOffset()) return;
    auto self = shared_from_this();
    setBounds({offset, bounds().size()});
    contentOffsetDidChange();
    if (auto delegate = delegate_.lock()) delegate->scrollViewDidScroll(*this);
}

void ScrollView::contentOffsetDidChange() { updateIndicators(dragging_ || motion_ != 0); }

void ScrollView::handlePan() {
    switch (pan_->state()) {
        case GestureRecognizer::State::Began:
            beginDrag();
            dragTo(pan_->translationInView(this));
            break;
        case GestureRecognizer::State::Changed:
            dragTo(pan_->translationInView(this));
            break;
        case GestureRecognizer::State::Ended:
            endDrag(pan_->velocityInView(this));
            break;
        case GestureRecognizer::State::Cancelled:
            endDrag({0, 0});
            break;
        default:
            break;
    }
}

void ScrollView::beginDrag() {
    auto self = shared_from_this();
    // A finger on moving content catches it where it is.
    physics_.stop();
    stopMotionClock();
    offsetAnimation_ = false;
    dragging_ = true;
    dragStart_ = contentOffset();
    if (auto delegate = delegate_.lock()) delegate->scrollViewWillBeginDragging(*this);
    updateIndicators(true);
}

void ScrollView::dragTo(gfx::Point translation) {
    if (!dragging_) return;
    auto limits = offsetLimits();
    gfx::Point offset = contentOffset();
    gfx::Size size = bounds().size();
    auto follow = [this](double raw, double min, double max, double dimension) {
        return bounces_ ? ScrollPhysics::rubberBand(raw, min, max, dimension) : std::clamp(raw, min, max);
    };
    if (scrollsHorizontally())
        offset.x = follow(dragStart_.x - translation.x, limits.min.x, limits.max.x, size.width);
    if (scrollsVertically())
        offset.y = follow(dragStart_.y - translation.y, limits.min.y, limits.max.y, size.height);
    applyOffset(offset);
}

void ScrollView::endDrag(gfx::Point fingerVelocity) {
    if (!dragging_) return;
    auto self = shared_from_this();
    dragging_ = false;
    // The content moves against the finger's direction in offset terms.
    gfx::Point velocity{scrollsHorizontally() ? -fingerVelocity.x : 0,
                        scrollsVertically() ? -fingerVelocity.y : 0};
    physics_.decelerate(contentOffset(), velocity, offsetLimits(), bounces_);
    applyOffset(physics_.offset());  // without bouncing, an offset beyond an edge snaps back
    bool decelerates = physics_.isRunning();
    if (auto delegate = delegate_.lock()) delegate->scrollViewDidEndDragging(*this, decelerates);
    if (decelerates) {
        startMotion();
    } else {
        updateIndicators(false);
    }
}

void ScrollView::startMotion() {
    if (motion_) return;
    lastTick_ = base::RunLoop::main().now();
    std::weak_ptr<View> weakSelf = weak_from_this();
    motion_ = FrameScheduler::main().add([weakSelf](FrameScheduler::TimePoint now) {
        if (auto self = std::static_pointer_cast<ScrollView>(weakSelf.lock())) self->stepMotion(now);
    });
    updateIndicators(true);
}

void ScrollView::stepMotion(FrameScheduler::TimePoint now) {
    double seconds = std::chrono::duration<double>(now - lastTick_).count();
    lastTick_ = now;
    auto self = shared_from_this();
    applyOffset(physics_.advance(seconds));
    if (!physics_.isRunning() && motion_) finishMotion();
}

void ScrollView::finishMotion() {
    auto self = shared_from_this();
    physics_.stop();
    stopMotionClock();
    bool wasAnimation = offsetAnimation_;
    offsetAnimation_ = false;
    updateIndicators(false);
    if (auto delegate = delegate_.lock()) {
        if (wasAnimation) {
            delegate->scrollViewDidEndScrollingAnimation(*this);
        } else {
            delegate->scrollViewDidEndDecelerating(*this);
        }
    }
}

void ScrollView::stopMotionClock() {
    if (motion_) FrameScheduler::main().remove(motion_);
    motion_ = 0;
}

void ScrollView::layoutSubviews() { updateIndicators(dragging_ || motion_ != 0); }

void ScrollView::updateIndicators(bool visible) {
    placeIndicator(verticalIndicator_, true, visible && showsVertical_ && scrollsVertically());
    placeIndicator(horizontalIndicator_, false, visible && showsHorizontal_ && scrollsHorizontally());
}

// An indicator is a thin rounded bar along the trailing (or bottom) edge of the visible area,
// as long as the visible share of the content and placed at the offset's share of the range.
void ScrollView::placeIndicator(std::shared_ptr<View>& indicator, bool vertical, bool visible) {
    if (!visible) {
        if (indicator) indicator->setHidden(true);
        return;
    }
    if (!indicator) {
        indicator = View::create();
        indicator->setBackgroundColor(gfx::Color::white(0, 0.35));
        indicator->layer().setCornerRadius(kIndicatorThickness / 2);
        indicator->setUserInteractionEnabled(false);
    }
    if (indicator->superview().get() != this || subviews().back() != indicator) addSubview(indicator);
    indicator->setHidden(false);

    gfx::Rect visibleRect = bounds();
    auto limits = offsetLimits();
    double viewLength = vertical ? visibleRect.height : visibleRect.width;
    double contentLength = vertical ? contentSize_.height + contentInset_.top + contentInset_.bottom
                                    : contentSize_.width + contentInset_.left + contentInset_.right;
    double track = vertical
                       ? viewLength - indicatorInsets_.top - indicatorInsets_.bottom - 2 * kIndicatorMargin
                       : viewLength - indicatorInsets_.left - indicatorInsets_.right - 2 * kIndicatorMargin;
    track = std::max(track, 0.0);
    double length = contentLength > 0 ? track * std::min(1.0, viewLength / contentLength) : track;
    length = std::min(track, std::max(length, kIndicatorMinimumLength));
    double offset = vertical ? visibleRect.y : visibleRect.x;
    double min = vertical ? limits.min.y : limits.min.x, max = vertical ? limits.max.y : limits.max.x;
    double progress = max > min ? std::clamp((offset - min) / (max - min), 0.0, 1.0) : 0;
    double along = kIndicatorMargin + (track - length) * progress;
    if (vertical) {
        indicator->setFrame(
            {visibleRect.maxX() - indicatorInsets_.right - kIndicatorMargin - kIndicatorThickness,
             visibleRect.y + indicatorInsets_.top + along, kIndicatorThickness, length});
    } else {
        indicator->setFrame(
            {visibleRect.x + indicatorInsets_.left + along,
             visibleRect.maxY() - indicatorInsets_.bottom - kIndicatorMargin - kIndicatorThickness, length,
             kIndicatorThickness});
    }
}

}  // namespace ui
