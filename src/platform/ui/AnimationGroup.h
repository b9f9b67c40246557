#pragma once

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "ui/AnimatableValue.h"

namespace ui {

class Layer;

// The animations one animate call (or one property animator) started, and the completion
// that runs once all of them have ended: with true when every one ran to its end, false when
// any was removed or replaced. The completion is posted to the main run loop, so it never
// runs inside a setter or a removal; a group that started nothing completes on the next turn.
class AnimationGroup : public std::enable_shared_from_this<AnimationGroup> {
public:
    using Completion = std::function<void(bool finished)>;

    explicit AnimationGroup(Completion completion) : completion_(std::move(completion)) {}

    void animationAdded(Layer& layer, AnimatableProperty property);
    void animationEnded(Layer& layer, AnimatableProperty property, bool finished);
    // No more animations will be added; completes now if none is live.
    void close();
    // The animations still running, for a property animator that stops them.
    std::vector<std::pair<Layer*, AnimatableProperty>> liveAnimations() const { return live_; }

private:
    void completeIfDone();

    Completion completion_;
    std::vector<std::pair<Layer*, AnimatableProperty>> live_;
    bool closed_ = false;
    bool finished_ = true;
    bool completed_ = false;
};

}  // namespace ui
