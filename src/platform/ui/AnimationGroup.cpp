#include "ui/AnimationGroup.h"

#include <algorithm>

#include "base/RunLoop.h"

namespace ui {

void AnimationGroup::animationAdded(Layer& layer, AnimatableProperty property) {
    live_.emplace_back(&layer, property);
}

void AnimationGroup::animationEnded(Layer& layer, AnimatableProperty property, bool finished) {
    auto it = std::find(live_.begin(), live_.end(), std::pair{&layer, property});
    if (it == live_.end()) return;
    live_.erase(it);
    finished_ = finished_ && finished;
    completeIfDone();
}

void AnimationGroup::close() {
    closed_ = true;
    completeIfDone();
}

void AnimationGroup::completeIfDone() {
    if (!closed_ || !live_.empty() || completed_) return;
    completed_ = true;
    if (!completion_) return;
    // The task owns the group, and with it whatever the completion captured, until it has run.
    base::RunLoop::main().post([self = shared_from_this()] {
        auto completion = std::move(self->completion_);
        completion(self->finished_);
    });
}

}  // namespace ui
