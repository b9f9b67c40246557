#include "ui/NavigationController.h"

#include <algorithm>

#include "base/Log.h"
#include "ui/AnimationOptions.h"
#include "ui/ScreenEdgePanGestureRecognizer.h"
#include "ui/TabBarController.h"
#include "ui/View.h"
#include "ui/Window.h"

namespace ui {

namespace {
constexpr const char* kPopAction = "interactivePop";
}

// The navigation controller's view: it lets the edge drag begin only when there is something
// to pop, so replacing the recogniser's delegate cannot leave a half-popped root screen.
class NavigationController::ContainerView : public View {
public:
    explicit ContainerView(std::weak_ptr<NavigationController> owner) : owner_(std::move(owner)) {}
    const char* className() const override { return "NavigationContainerView"; }
    bool gestureRecognizerShouldBegin(GestureRecognizer& recognizer) override {
        auto owner = owner_.lock();
        if (owner && &recognizer == owner->popGesture_.get()) return owner->popGestureMayBegin();
        return true;
    }

private:
    std::weak_ptr<NavigationController> owner_;
};

std::shared_ptr<NavigationController> NavigationController::create(
    const std::shared_ptr<ViewController>& root) {
    auto navigation = std::shared_ptr<NavigationController>(new NavigationController());
    navigation->popGesture_ = ScreenEdgePanGestureRecognizer::create(ScreenEdgeLeading);
    navigation->popGesture_->addTarget(navigation->weak_from_this(), kPopAction);
    std::weak_ptr<NavigationController> weak = navigation;
    navigation->registerAction(kPopAction, [weak] {
        if (auto self = weak.lock()) self->handlePopGesture();
    });
    if (root) {
        navigation->addChild(root);
        navigation->stack_.push_back(root);
    }
    return navigation;
}

std::shared_ptr<ViewController> NavigationController::topViewController() const {
    return stack_.empty() ? nullptr : stack_.back();
}

std::vector<std::shared_ptr<ViewController>> NavigationController::childrenOnScreen() const {
    if (auto top = topViewController()) return {top};
    return {};
}

void NavigationController::loadView() {
    auto container =
        std::make_shared<ContainerView>(std::static_pointer_cast<NavigationController>(sharedController()));
    container->addGestureRecognizer(popGesture_);
    setView(container);
    if (auto top = topViewController()) showOnly(top);
}

double NavigationController::trailingSign() const {
    auto view = viewIfLoaded();
    return view && view->effectiveLayoutDirection() == LayoutDirection::RightToLeft ? -1 : 1;
}

void NavigationController::placeView(const std::shared_ptr<ViewController>& controller, double offset) {
    auto container = viewIfLoaded();
    auto content = controller->view();
    gfx::Rect frame = container->bounds();
    frame.x += offset;
    content->setAutoresizingMask(FlexibleWidth | FlexibleHeight);
    content->setFrame(frame);
    if (content->superview() != container) container->addSubview(content);
}

void NavigationController::showOnly(const std::shared_ptr<ViewController>& controller) {
    auto container = viewIfLoaded();
    if (!container) return;
    auto content = controller->view();
    auto subviews = container->subviews();
    for (const auto& subview : subviews) {
        if (subview != content) subview->removeFromSuperview();
    }
    placeView(controller, 0);
}

void NavigationController::pushViewController(const std::shared_ptr<ViewController>& controller,
                                              bool animated) {
    if (!controller || controller->parent() || controller->presentingViewController() ||
        controller.get() == this) {
        base::Log::line("NavigationController: refused to push a controller that is already shown");
        return;
    }
    if (transitioning_) {
        base::Log::line("NavigationController: refused to push while a transition runs");
        return;
    }
    auto from = topViewController();
    addChild(controller);
    stack_.push_back(controller);
    stackDidChange();
    if (!from) {
        if (isViewLoaded()) showOnly(controller);
        return;
    }
    transition(from, controller, true, animated, {});
}

std::shared_ptr<ViewController> NavigationController::popViewController(bool animated) {
    if (stack_.size() <= 1) return nullptr;
    if (transitioning_) {
        base::Log::line("NavigationController: refused to pop while a transition runs");
        return nullptr;
    }
    auto popped = stack_.back();
    stack_.pop_back();
    stackDidChange();
    transition(popped, stack_.back(), false, animated, {popped});
    return popped;
}

std::vector<std::shared_ptr<ViewController>> NavigationController::popToRootViewController(bool animated) {
    if (stack_.size() <= 1) return {};
    if (transitioning_) {
        base::Log::line("NavigationController: refused to pop while a transition runs");
        return {};
    }
    std::vector<std::shared_ptr<ViewController>> leaving(stack_.begin() + 1, stack_.end());
    stack_.resize(1);
    stackDidChange();
    transition(leaving.back(), stack_.front(), false, animated, leaving);
    return leaving;
}

void NavigationController::transition(const std::shared_ptr<ViewController>& from,
                                      const std::shared_ptr<ViewController>& to, bool forward, bool animated,
                                      std::vector<std::shared_ptr<ViewController>> leaving) {
    auto keep = sharedController();
    if (auto delegate = this->delegate()) delegate->willShowViewController(*this, *to, animated);
    if (isAppeared()) {
        from->beginAppearanceTransition(false, animated);
        to->beginAppearanceTransition(true, animated);
    }
    auto container = viewIfLoaded();
    if (!animated || !container || !container->window()) return finishTransition(from, to, animated, leaving);

    // The screen in front slides across the whole width; the one behind moves a little.
    transitioning_ = true;
    double width = container->bounds().width * trailingSign();
    double behind = -width * kUnderlapParallax;
    placeView(to, forward ? width : behind);
    if (forward) {
        container->bringSubviewToFront(to->view());
    } else {
        container->bringSubviewToFront(from->view());
    }
    auto toView = to->view(), fromView = from->view();
    View::animate(
        kTransitionDuration, 0, AnimationOptionCurveEaseInOut,
        [&] {
            gfx::Rect frame = container->bounds();
            toView->setFrame(frame);
            frame.x += forward ? behind : width;
            fromView->setFrame(frame);
        },
        [keep, self = this, from, to, animated, leaving](bool) {
            self->finishTransition(from, to, animated, leaving);
        });
}

void NavigationController::finishTransition(const std::shared_ptr<ViewController>& from,
                                            const std::shared_ptr<ViewController>& to, bool animated,
                                            const std::vector<std::shared_ptr<ViewController>>& leaving) {
    auto keep = sharedController();
    transitioning_ = false;
    if (isViewLoaded()) showOnly(to);
    from->endAppearanceTransition();
    to->endAppearanceTransition();
    for (const auto& gone : leaving) {
        if (gone->parent().get() == this) gone->removeFromParent();
    }
    if (auto delegate = this->delegate()) delegate->didShowViewController(*this, *to, animated);
}

bool NavigationController::popGestureMayBegin() const {
    return stack_.size() > 1 && !transitioning_ && isViewLoaded() && viewIfLoaded()->window();
}

void NavigationController::handlePopGesture() {
    auto container = viewIfLoaded();
    if (!container) return;
    double width = container->bounds().width;
    double sign = trailingSign();
    double progress =
        std::clamp(popGesture_->translationInView(nullptr).x * sign / std::max(width, 1.0), 0.0, 1.0);
    switch (popGesture_->state()) {
        case GestureRecognizer::State::Began: {
            if (!popGestureMayBegin()) return;
            transitioning_ = true;
            interactiveBelow_ = stack_[stack_.size() - 2];
            if (auto delegate = this->delegate())
                delegate->willShowViewController(*this, *interactiveBelow_, true);
            if (isAppeared()) {
                stack_.back()->beginAppearanceTransition(false, true);
                interactiveBelow_->beginAppearanceTransition(true, true);
            }
            placeView(interactiveBelow_, -width * sign * kUnderlapParallax);
            container->bringSubviewToFront(stack_.back()->view());
            [[fallthrough]];
        }
        case GestureRecognizer::State::Changed: {
            if (!interactiveBelow_) return;
            gfx::Rect frame = container->bounds();
            frame.x = progress * width * sign;
            stack_.back()->view()->setFrame(frame);
            frame.x = -width * sign * kUnderlapParallax * (1 - progress);
            interactiveBelow_->view()->setFrame(frame);
            break;
        }
        case GestureRecognizer::State::Ended: {
            if (!interactiveBelow_) return;
            double velocity = popGesture_->velocityInView(nullptr).x * sign;
            settlePopGesture(progress > 0.5 || velocity > kPopVelocity);
            break;
        }
        default:
            if (interactiveBelow_) settlePopGesture(false);
            break;
    }
}

void NavigationController::settlePopGesture(bool complete) {
    auto keep = sharedController();
    auto top = stack_.back();
    auto below = interactiveBelow_;
    interactiveBelow_.reset();
    auto container = viewIfLoaded();
    double width = container->bounds().width * trailingSign();
    if (!complete && isAppeared()) {
        // Undone: the screens are told the opposite of what they were told at the start.
        below->beginAppearanceTransition(false, true);
        top->beginAppearanceTransition(true, true);
    }
    if (complete) {
        stack_.pop_back();
        stackDidChange();
    }
    auto topView = top->view(), belowView = below->view();
    View::animate(
        0.25, 0, AnimationOptionCurveEaseOut,
        [&] {
            gfx::Rect frame = container->bounds();
            frame.x = complete ? width : 0;
            topView->setFrame(frame);
            frame.x = complete ? 0 : -width * kUnderlapParallax;
            belowView->setFrame(frame);
        },
        [keep, self = this, top, below, complete](bool) {
            if (complete) return self->finishTransition(top, below, true, {top});
            self->finishTransition(below, top, true, {});
        });
}

void NavigationController::stackDidChange() {
    if (auto tabs = tabBarController()) tabs->childStackDidChange();
}

}  // namespace ui
