#pragma once

#include <functional>
#include <memory>

#include "gfx/Geometry.h"
#include "ui/PresentationControllerDelegate.h"
#include "ui/Responder.h"

namespace ui {

class View;
class ViewController;
class Window;
class PanGestureRecognizer;

// Shows a presented controller in its window's overlays and takes it away again.
//
// A sheet is a card with rounded top corners whose top sits 10 points below the status area,
// over a dimming view across the whole window. It slides up when presented and down when
// dismissed (0.35 s). The user may drag the card down: released past a third of its height,
// or flicked down fast enough, it is dismissed; otherwise it springs back. A controller that
// is modal in presentation follows the finger only reluctantly, always springs back, and the
// delegate hears that the user tried.
//
// A centred presentation (an alert) is a card of the controller's preferred size in the
// middle of the window over the same dimming view; it fades in and out and cannot be dragged.
class PresentationController : public Responder {
public:
    static constexpr double kStatusAreaHeight = 47;
    static constexpr double kSheetTopGap = 10;
    static constexpr double kSheetCornerRadius = 10;
    static constexpr double kAlertCornerRadius = 14;
    static constexpr double kSlideDuration = 0.35;
    static constexpr double kFadeDuration = 0.2;
    static constexpr double kDimmingAlpha = 0.4;
    // Released faster than this (points per second, downward) a dragged sheet goes.
    static constexpr double kDismissVelocity = 1000;

    static std::shared_ptr<PresentationController> create(const std::shared_ptr<ViewController>& presented,
                                                          bool centred);
    ~PresentationController() override;

    std::shared_ptr<ViewController> presentedViewController() const { return presented_.lock(); }
    std::shared_ptr<PresentationControllerDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::weak_ptr<PresentationControllerDelegate>& delegate) { delegate_ = delegate; }

    bool isCentred() const { return centred_; }
    bool isPresenting() const { return phase_ == Phase::Presenting; }
    bool isDismissing() const { return phase_ == Phase::Dismissing; }
    // The card holding the presented view, and the dimming view below it (null when not shown).
    std::shared_ptr<View> containerView() const { return container_; }
    std::shared_ptr<View> dimmingView() const { return dimming_; }
    // Where the card rests in its window.
    gfx::Rect restingFrame() const;

    // The presenting controller's side (see ViewController::present and dismiss).
    void presentIn(Window& window, bool animated, std::function<void()> completion);
    void dismiss(bool animated, std::function<void()> completion);
    // Takes the presentation away at once, with its appearance calls.
    void dismissNow() { dismiss(false, {}); }

private:
    enum class Phase { Hidden, Presenting, Shown, Dismissing };
    PresentationController(const std::shared_ptr<ViewController>& presented, bool centred);

    void buildViews(Window& window);
    void finishPresenting(std::function<void()> completion);
    void finishDismissing(std::function<void()> completion);
    void handlePan();
    void settleAfterPan(double pulled, double velocity);
    gfx::Rect offscreenFrame() const;

    std::weak_ptr<ViewController> presented_;
    bool centred_;
    std::weak_ptr<PresentationControllerDelegate> delegate_;
    std::weak_ptr<Window> window_;
    std::shared_ptr<View> dimming_;
    std::shared_ptr<View> container_;
    std::shared_ptr<PanGestureRecognizer> pan_;
    Phase phase_ = Phase::Hidden;
};

}  // namespace ui
