#pragma once

#include <memory>

#include "base/RunLoop.h"
#include "ui/EdgeInsets.h"
#include "ui/FrameScheduler.h"
#include "ui/ScrollPhysics.h"
#include "ui/ScrollViewDelegate.h"
#include "ui/View.h"

namespace ui {

class PanGestureRecognizer;

// How the content inset is adjusted for the safe area. Stored for the screens that set it;
// windows have no safe area yet, so the adjusted inset is always the content inset.
enum class ContentInsetAdjustmentBehavior { Automatic, ScrollableAxes, Never, Always };

// A view whose bounds origin (the content offset) moves over a larger content.
//
// The content occupies (0, 0, contentSize) in the view's bounds coordinates; the content
// inset adds scrollable room around it, so the offset rests between -inset.top and
// contentSize.height + inset.bottom - bounds.height (vertically; likewise across).
//
// A pan gesture recogniser of its own drags the content: the offset follows the finger, with
// a rubber band beyond the edges when `bounces`; on release it decelerates with the finger's
// velocity and bounces back to the edge it overshot (see ScrollPhysics), stepped by a timer on
// the main run loop's clock. An axis scrolls only when the content (with its insets) is longer
// than the view, or when `alwaysBounce` is set for it. A pan that begins takes the touch from
// the views beneath (a button's touch is cancelled).
//
// The delegate (weak) hears `scrollViewDidScroll` after every change of the offset, made by
// `setContentOffset` or by the motion; setting the bounds directly bypasses it. Scroll
// indicators are shown while the content is dragged or moving, and hidden when it rests.
class ScrollView : public View {
public:
    static constexpr double kAnimationDuration = 0.3;  // seconds, for animated offsets
    static constexpr double kIndicatorThickness = 3;

    static std::shared_ptr<ScrollView> create();
    ~ScrollView() override;
    const char* className() const override { return "ScrollView"; }

    gfx::Size contentSize() const { return contentSize_; }
    void setContentSize(gfx::Size size);
    gfx::Point contentOffset() const { return bounds().origin(); }
    // Without animation the offset is set as given (it may lie outside the resting range);
    // animated, it eases there over kAnimationDuration. Either stops a motion in progress.
    void setContentOffset(gfx::Point offset, bool animated = false);
    // Moves the offset the least that brings `rect` (content coordinates) into view, within
    // the resting range; of a rectangle longer than the view, its start is shown.
    void scrollRectToVisible(const gfx::Rect& rect, bool animated);

    const EdgeInsets& contentInset() const { return contentInset_; }
    void setContentInset(const EdgeInsets& inset);
    EdgeInsets adjustedContentInset() const { return contentInset_; }
    const EdgeInsets& scrollIndicatorInsets() const { return indicatorInsets_; }
    void setScrollIndicatorInsets(const EdgeInsets& insets) { indicatorInsets_ = insets; }
    ContentInsetAdjustmentBehavior contentInsetAdjustmentBehavior() const { return adjustment_; }
    void setContentInsetAdjustmentBehavior(ContentInsetAdjustmentBehavior b) { adjustment_ = b; }

    bool showsVerticalScrollIndicator() const { return showsVertical_; }
    void setShowsVerticalScrollIndicator(bool shows) { showsVertical_ = shows; }
    bool showsHorizontalScrollIndicator() const { return showsHorizontal_; }
    void setShowsHorizontalScrollIndicator(bool shows) { showsHorizontal_ = shows; }
    bool isScrollEnabled() const { return scrollEnabled_; }
    // Disabling stops a drag or motion in progress.
    virtual void setScrollEnabled(bool enabled);
    bool bounces() const { return bounces_; }
    void setBounces(bool bounces) { bounces_ = bounces; }
    bool alwaysBounceVertical() const { return alwaysBounceVertical_; }
    void setAlwaysBounceVertical(bool always) { alwaysBounceVertical_ = always; }
    bool alwaysBounceHorizontal() const { return alwaysBounceHorizontal_; }
    void setAlwaysBounceHorizontal(bool always) { alwaysBounceHorizontal_ = always; }

    std::shared_ptr<ScrollViewDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::weak_ptr<ScrollViewDelegate>& delegate) { delegate_ = delegate; }

    const std::shared_ptr<PanGestureRecognizer>& panGestureRecognizer() const { return pan_; }
    bool isDragging() const { return dragging_; }
    bool isDecelerating() const { return motion_ != 0 && !offsetAnimation_; }
    // Moving to an offset given with `setContentOffset(offset, true)`.
    bool isAnimatingOffset() const { return motion_ != 0 && offsetAnimation_; }
    // The resting range of the offset for the current size, content size and inset.
    ScrollPhysics::Limits offsetLimits() const;

    // The two indicator views (null until first shown).
    std::shared_ptr<View> verticalScrollIndicator() const { return verticalIndicator_; }
    std::shared_ptr<View> horizontalScrollIndicator() const { return horizontalIndicator_; }

protected:
    ScrollView();
    // Called once `setContentOffset` or the motion has moved the bounds; subclasses (tables)
    // call the base and then place what became visible.
    virtual void contentOffsetDidChange();
    void layoutSubviews() override;

private:
    void handlePan();
    void beginDrag();
    void dragTo(gfx::Point translation);
    void endDrag(gfx::Point velocity);
    void startMotion();
    void stepMotion(FrameScheduler::TimePoint now);
    void stopMotionClock();
    void finishMotion();
    void applyOffset(gfx::Point offset);
    bool scrollsHorizontally() const;
    bool scrollsVertically() const;
    void updateIndicators(bool visible);
    void placeIndicator(std::shared_ptr<View>& indicator, bool vertical, bool visible);

    gfx::Size contentSize_;
    EdgeInsets contentInset_;
    EdgeInsets indicatorInsets_;
    ContentInsetAdjustmentBehavior adjustment_ = ContentInsetAdjustmentBehavior::Automatic;
    bool showsVertical_ = true;
    bool showsHorizontal_ = true;
    bool scrollEnabled_ = true;
    bool bounces_ = true;
    bool alwaysBounceVertical_ = false;
    bool alwaysBounceHorizontal_ = false;
    std::weak_ptr<ScrollViewDelegate> delegate_;
    std::shared_ptr<PanGestureRecognizer> pan_;
    std::shared_ptr<View> verticalIndicator_;
    std::shared_ptr<View> horizontalIndicator_;

    bool dragging_ = false;
    gfx::Point dragStart_;
    ScrollPhysics physics_;
    FrameScheduler::Token motion_ = 0;  // stepped by the frame clock while moving
    bool offsetAnimation_ = false;      // the motion is an animated setContentOffset
    base::RunLoop::TimePoint lastTick_{};
};

}  // namespace ui
