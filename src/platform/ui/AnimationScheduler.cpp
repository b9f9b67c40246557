#include "ui/AnimationScheduler.h"

#include <algorithm>

#include "ui/Layer.h"
#include "ui/Transaction.h"

namespace ui {

AnimationScheduler& AnimationScheduler::shared() {
    static AnimationScheduler scheduler;
    return scheduler;
}

const AnimationScheduler::Context* AnimationScheduler::animatingContext() const {
    if (contexts_.empty() || Transaction::disableActions()) return nullptr;
    const Context& context = contexts_.back();
    // Nothing to see over no time and no delay: the change is simply made.
    if (context.duration <= Duration::zero() && context.begin <= now()) return nullptr;
    return &context;
}

void AnimationScheduler::propertyDidChange(Layer& layer, AnimatableProperty property,
                                           const AnimatableValue& from, const AnimatableValue& to) {
    const Context* context = animatingContext();
    if (!context) {
        layer.removeAnimation(property);
        return;
    }
    if (from == to && !layer.animation(property)) return;
    PropertyAnimation animation;
    animation.property = property;
    animation.from = from;
    animation.to = to;
    animation.begin = context->begin;
    animation.duration = context->duration;
    animation.curve = context->curve;
    animation.allowsUserInteraction = context->allowsUserInteraction;
    animation.group = context->group;
    layer.addAnimation(std::move(animation));
}

void AnimationScheduler::layerDidAddAnimation(Layer& layer) {
    if (std::find(animating_.begin(), animating_.end(), &layer) == animating_.end())
        animating_.push_back(&layer);
    if (frame_ == 0) frame_ = FrameScheduler::main().add([this](TimePoint time) { tick(time); });
}

void AnimationScheduler::layerWillGoAway(Layer& layer) { std::erase(animating_, &layer); }

void AnimationScheduler::tick(TimePoint time) {
    // Ending an animation only posts completions, so no layer goes away during the loop.
    for (Layer* layer : std::vector(animating_)) layer->finishAnimationsEndedBy(time);
    std::erase_if(animating_, [](Layer* layer) { return !layer->hasAnimations(); });
    if (animating_.empty()) {
        FrameScheduler::main().remove(frame_);
        frame_ = 0;
    }
}

}  // namespace ui
