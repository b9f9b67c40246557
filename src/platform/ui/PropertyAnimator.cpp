#include "ui/PropertyAnimator.h"

#include <chrono>
#include <cmath>

#include "ui/AnimationGroup.h"
#include "ui/AnimationScheduler.h"
#include "ui/Layer.h"
#include "ui/Transaction.h"
#include "ui/View.h"

namespace ui {

struct PropertyAnimator::Shared {
    double duration = 0;
    double dampingRatio = 1;
    std::vector<std::function<void()>> animations;
    std::vector<std::function<void(bool)>> completions;
    State state = State::Inactive;
    AnimationScheduler::TimePoint begin{};
    std::shared_ptr<AnimationGroup> group;
};

PropertyAnimator::PropertyAnimator(double duration, double dampingRatio, std::function<void()> animations)
    : shared_(std::make_shared<Shared>()) {
    shared_->duration = std::isfinite(duration) && duration > 0 ? duration : 0;
    shared_->dampingRatio = dampingRatio;
    if (animations) shared_->animations.push_back(std::move(animations));
}

PropertyAnimator::State PropertyAnimator::state() const { return shared_->state; }

void PropertyAnimator::addAnimations(std::function<void()> animations) {
    if (!animations || shared_->state == State::Stopped) return;
    if (shared_->state == State::Inactive) {
        shared_->animations.push_back(std::move(animations));
        return;
    }
    auto elapsed = std::chrono::duration<double>(AnimationScheduler::shared().now() - shared_->begin).count();
    runInside(animations, std::max(0.0, shared_->duration - std::max(0.0, elapsed)));
}

void PropertyAnimator::addCompletion(std::function<void(bool finished)> completion) {
    if (completion) shared_->completions.push_back(std::move(completion));
}

void PropertyAnimator::startAnimation(double delay) {
    if (shared_->state != State::Inactive) return;
    double wait = std::isfinite(delay) && delay > 0 ? delay : 0;
    shared_->state = State::Active;
    shared_->begin =
        AnimationScheduler::shared().now() +
        std::chrono::duration_cast<AnimationScheduler::Duration>(std::chrono::duration<double>(wait));
    // The group's completion owns the shared state, so it lives until the completions ran.
    shared_->group = std::make_shared<AnimationGroup>([shared = shared_](bool finished) {
        shared->state = State::Inactive;
        shared->group.reset();
        for (const auto& completion : std::vector(shared->completions)) completion(finished);
    });
    for (const auto& animations : std::vector(shared_->animations)) runInside(animations, shared_->duration);
    shared_->group->close();
}

void PropertyAnimator::runInside(const std::function<void()>& animations, double remainingSeconds) {
    AnimationScheduler& scheduler = AnimationScheduler::shared();
    AnimationScheduler::Context context;
    context.begin = std::max(shared_->begin, scheduler.now());
    context.duration = std::chrono::duration_cast<AnimationScheduler::Duration>(
        std::chrono::duration<double>(remainingSeconds));
    context.curve = TimingCurve::spring(shared_->dampingRatio);
    context.allowsUserInteraction = true;
    context.group = shared_->group;
    scheduler.push(std::move(context));
    struct Pop {
        AnimationScheduler& scheduler;
        ~Pop() { scheduler.pop(); }
    } pop{scheduler};
    animations();
}

void PropertyAnimator::stopAnimation() {
    if (shared_->state != State::Active) return;
    shared_->state = State::Stopped;
    Transaction::Scope transaction;
    Transaction::setDisableActions(true);
    // Each ends with false as its property takes the value it shows.
    for (auto [layer, property] : shared_->group->liveAnimations()) layer->freezeAnimation(property);
}

}  // namespace ui
