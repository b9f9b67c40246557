#include "ui/PresentationController.h"

#include <algorithm>
#include <cmath>

#include "gfx/Color.h"
#include "gfx/CornerStyle.h"
#include "ui/AnimationOptions.h"
#include "ui/PanGestureRecognizer.h"
#include "ui/Transaction.h"
#include "ui/View.h"
#include "ui/ViewController.h"
#include "ui/Window.h"

namespace ui {

namespace {

constexpr const char* kPanAction = "sheetPanned";
// How far a modal sheet follows a finger pulled down `distance` points: less and less.
double reluctantly(double distance) { return distance <= 0 ? 0 : 40 * std::log1p(distance / 40); }

}  // namespace

std::shared_ptr<PresentationController> PresentationController::create(
    const std::shared_ptr<ViewController>& presented, bool centred) {
    auto controller = std::shared_ptr<PresentationController>(new PresentationController(presented, centred));
    std::weak_ptr<PresentationController> weak = controller;
    controller->registerAction(kPanAction, [weak] {
        if (auto self = weak.lock()) self->handlePan();
    });
    return controller;
}

PresentationController::PresentationController(const std::shared_ptr<ViewController>& presented, bool centred)
    : presented_(presented), centred_(centred) {}

PresentationController::~PresentationController() {
    if (dimming_) dimming_->removeFromSuperview();
    if (container_) container_->removeFromSuperview();
}

gfx::Rect PresentationController::restingFrame() const {
    auto window = window_.lock();
    if (!window) return {};
    gfx::Size screen = window->screenSize();
    if (centred_) {
        gfx::Size size = {270, 0};
        if (auto presented = presented_.lock()) size = presented->preferredContentSize();
        size.width = std::min(size.width, screen.width);
        size.height = std::min(size.height, screen.height);
        return {(screen.width - size.width) / 2, (screen.height - size.height) / 2, size.width, size.height};
    }
    double top = std::min(kStatusAreaHeight + kSheetTopGap, screen.height);
    return {0, top, screen.width, screen.height - top};
}

gfx::Rect PresentationController::offscreenFrame() const {
    gfx::Rect frame = restingFrame();
    if (auto window = window_.lock()) frame.y = window->screenSize().height;
    return frame;
}

void PresentationController::buildViews(Window& window) {
    // The view first: an alert knows its size once its content is built.
    auto presented = presented_.lock();
    if (presented) presented->view();
    window_ = std::static_pointer_cast<Window>(window.shared_from_this());
    dimming_ = View::create();
    dimming_->setFrame(window.bounds());
    dimming_->setAutoresizingMask(FlexibleWidth | FlexibleHeight);
    dimming_->setBackgroundColor(gfx::Color(0, 0, 0, kDimmingAlpha));

    container_ = View::create();
    container_->setClipsToBounds(true);
    container_->setBackgroundColor(gfx::Color::systemBackground());
    if (centred_) {
        container_->layer().setCornerRadius(kAlertCornerRadius);
    } else {
        container_->layer().setCornerRadius(kSheetCornerRadius);
        container_->layer().setMaskedCorners(gfx::TopLeftCorner | gfx::TopRightCorner);
        pan_ = PanGestureRecognizer::create();
        pan_->addTarget(weak_from_this(), kPanAction);
        container_->addGestureRecognizer(pan_);
    }
    container_->setFrame(restingFrame());
    if (presented) {
        auto content = presented->view();
        content->setFrame(container_->bounds());
        content->setAutoresizingMask(FlexibleWidth | FlexibleHeight);
        container_->addSubview(content);
    }
    window.pushOverlay(dimming_);
    window.pushOverlay(container_);
}

void PresentationController::presentIn(Window& window, bool animated, std::function<void()> completion) {
    auto keep = std::static_pointer_cast<PresentationController>(shared_from_this());
    auto presented = presented_.lock();
    if (!presented) return;
    phase_ = Phase::Presenting;
    buildViews(window);
    presented->beginAppearanceTransition(true, animated);
    window.layoutWindowIfNeeded();
    if (!animated) return finishPresenting(std::move(completion));

    // Start from where the animation begins, without animating there.
    {
        Transaction::Scope still;
        Transaction::setDisableActions(true);
        dimming_->setAlpha(0);
        if (centred_) {
            container_->setAlpha(0);
        } else {
            container_->setFrame(offscreenFrame());
        }
    }
    double duration = centred_ ? kFadeDuration : kSlideDuration;
    View::animate(
        duration, 0, AnimationOptionCurveEaseOut,
        [this] {
            dimming_->setAlpha(1);
            if (centred_) container_->setAlpha(1);
            container_->setFrame(restingFrame());
        },
        [keep, completion = std::move(completion)](bool) mutable {
            keep->finishPresenting(std::move(completion));
        });
}

void PresentationController::finishPresenting(std::function<void()> completion) {
    auto keep = std::static_pointer_cast<PresentationController>(shared_from_this());
    if (phase_ != Phase::Presenting) return;
    phase_ = Phase::Shown;
    if (auto presented = presented_.lock()) presented->endAppearanceTransition();
    if (completion) completion();
}

void PresentationController::dismiss(bool animated, std::function<void()> completion) {
    auto keep = std::static_pointer_cast<PresentationController>(shared_from_this());
    auto presented = presented_.lock();
    if (!presented || phase_ != Phase::Shown) return;
    phase_ = Phase::Dismissing;
    presented->beginAppearanceTransition(false, animated);
    if (!animated || !container_) return finishDismissing(std::move(completion));
    double duration = centred_ ? kFadeDuration : kSlideDuration;
    View::animate(
        duration, 0, AnimationOptionCurveEaseIn,
        [this] {
            dimming_->setAlpha(0);
            if (centred_) {
                container_->setAlpha(0);
            } else {
                container_->setFrame(offscreenFrame());
            }
        },
        [keep, completion = std::move(completion)](bool) mutable {
            keep->finishDismissing(std::move(completion));
        });
}

void PresentationController::finishDismissing(std::function<void()> completion) {
    auto keep = std::static_pointer_cast<PresentationController>(shared_from_this());
    if (phase_ != Phase::Dismissing) return;
    phase_ = Phase::Hidden;
    auto presented = presented_.lock();
    if (presented && presented->isViewLoaded()) presented->view()->removeFromSuperview();
    if (container_) {
        if (pan_) container_->removeGestureRecognizer(pan_);
        container_->removeFromSuperview();
    }
    if (dimming_) dimming_->removeFromSuperview();
    container_.reset();
    dimming_.reset();
    pan_.reset();
    if (presented) {
        presented->forgetPresentation();
        presented->endAppearanceTransition();
    }
    if (completion) completion();
}

void PresentationController::handlePan() {
    if (!pan_ || !container_ || phase_ != Phase::Shown) return;
    auto presented = presented_.lock();
    bool modal = presented && presented->isModalInPresentation();
    double pulled = pan_->translationInView(nullptr).y;
    gfx::Rect frame = restingFrame();
    switch (pan_->state()) {
        case GestureRecognizer::State::Began:
        case GestureRecognizer::State::Changed:
            frame.y += modal ? reluctantly(pulled) : std::max(0.0, pulled);
            container_->setFrame(frame);
            break;
        case GestureRecognizer::State::Ended:
            settleAfterPan(pulled, pan_->velocityInView(nullptr).y);
            break;
        default:
            settleAfterPan(0, 0);
            break;
    }
}

void PresentationController::settleAfterPan(double pulled, double velocity) {
    auto keep = std::static_pointer_cast<PresentationController>(shared_from_this());
    auto presented = presented_.lock();
    bool wantsToGo = pulled > 0 && (pulled > restingFrame().height / 3 || velocity > kDismissVelocity);
    if (presented && wantsToGo && !presented->isModalInPresentation()) {
        // The slide down continues from where the finger left the card.
        presented->dismiss(true, [keep] {
            if (auto delegate = keep->delegate()) delegate->presentationControllerDidDismiss(*keep);
        });
        return;
    }
    View::animate(0.25, 0, AnimationOptionCurveEaseOut, [this] { container_->setFrame(restingFrame()); });
    if (wantsToGo) {
        if (auto delegate = this->delegate()) delegate->presentationControllerDidAttemptToDismiss(*this);
    }
}

}  // namespace ui
