#pragma once

#include <memory>
#include <vector>

#include "ui/NavigationControllerDelegate.h"
#include "ui/ViewController.h"

namespace ui {

class ScreenEdgePanGestureRecognizer;

// A stack of controllers, the top one on screen. A push slides the new screen in from the
// trailing side over the old one (which moves a little the other way); a pop slides it back
// out. The user pops by dragging from the leading edge (`interactivePopGestureRecognizer`):
// released past half the width, or flicked, the pop completes, otherwise it is undone and the
// screens get the appearance calls of the undo. The gesture never begins on the root screen
// or while a transition runs, whoever is its delegate.
//
// The navigation bar exists only as a flag: it is hidden by default and nothing draws it,
// because the kit's screens draw their own headers.
//
// A push or pop asked for while one is animating is refused with a log line.
class NavigationController : public ViewController {
public:
    static constexpr double kTransitionDuration = 0.35;
    // How far the screen underneath moves during a transition, as a part of the width.
    static constexpr double kUnderlapParallax = 0.3;
    static constexpr double kPopVelocity = 500;

    static std::shared_ptr<NavigationController> create(const std::shared_ptr<ViewController>& root);

    const std::vector<std::shared_ptr<ViewController>>& viewControllers() const { return stack_; }
    std::shared_ptr<ViewController> topViewController() const;

    // Refuses a controller already in a stack or shown elsewhere.
    void pushViewController(const std::shared_ptr<ViewController>& controller, bool animated);
    // The controller popped; null on the root screen or when refused.
    std::shared_ptr<ViewController> popViewController(bool animated);
    // The controllers popped (none when already on the root).
    std::vector<std::shared_ptr<ViewController>> popToRootViewController(bool animated);
    bool isTransitioning() const { return transitioning_; }

    std::shared_ptr<ScreenEdgePanGestureRecognizer> interactivePopGestureRecognizer() const {
        return popGesture_;
    }

    std::shared_ptr<NavigationControllerDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::weak_ptr<NavigationControllerDelegate>& delegate) { delegate_ = delegate; }

    bool isNavigationBarHidden() const { return navigationBarHidden_; }
    void setNavigationBarHidden(bool hidden) { navigationBarHidden_ = hidden; }

protected:
    NavigationController() = default;
    void loadView() override;
    std::vector<std::shared_ptr<ViewController>> childrenOnScreen() const override;

private:
    class ContainerView;
    friend class ContainerView;

    // Replaces the screen `from` by `to` (one of them the new top); `forward` for a push.
    void transition(const std::shared_ptr<ViewController>& from, const std::shared_ptr<ViewController>& to,
                    bool forward, bool animated, std::vector<std::shared_ptr<ViewController>> leaving);
    void finishTransition(const std::shared_ptr<ViewController>& from,
                          const std::shared_ptr<ViewController>& to, bool animated,
                          const std::vector<std::shared_ptr<ViewController>>& leaving);
    void showOnly(const std::shared_ptr<ViewController>& controller);
    void placeView(const std::shared_ptr<ViewController>& controller, double offset);
    // +1 when the trailing side is the right, -1 in right-to-left windows.
    double trailingSign() const;
    bool popGestureMayBegin() const;
    void handlePopGesture();
    void settlePopGesture(bool complete);
    void stackDidChange();

    std::vector<std::shared_ptr<ViewController>> stack_;
    std::shared_ptr<ScreenEdgePanGestureRecognizer> popGesture_;
    std::weak_ptr<NavigationControllerDelegate> delegate_;
    bool navigationBarHidden_ = true;
    bool transitioning_ = false;
    // The screen uncovered by the edge drag under way (null when none).
    std::shared_ptr<ViewController> interactiveBelow_;
};

}  // namespace ui
