#pragma once

#include <memory>
#include <vector>

#include "base/Clock.h"
#include "base/RunLoop.h"
#include "ui/AnimatableValue.h"
#include "ui/AnimationGroup.h"
#include "ui/FrameScheduler.h"
#include "ui/TimingCurve.h"

namespace ui {

class Layer;

// The main thread's animation state: the animate blocks that are open (innermost last), the
// layers with running animations. While any animation runs it is stepped by the frame clock
// (FrameScheduler), which ends animations on time; time is the main run loop's clock.
class AnimationScheduler {
public:
    using TimePoint = base::Clock::TimePoint;
    using Duration = base::Clock::Duration;

    // What an open animate block gives the changes made inside it.
    struct Context {
        TimePoint begin{};
        Duration duration{};
        TimingCurve curve = TimingCurve::easeInOut();
        bool allowsUserInteraction = false;
        std::shared_ptr<AnimationGroup> group;
    };

    static AnimationScheduler& shared();

    TimePoint now() const { return base::RunLoop::main().now(); }
    void push(Context context) { contexts_.push_back(std::move(context)); }
    void pop() { contexts_.pop_back(); }

    // A property's model value has changed from showing `from` to `to`. Inside an animate
    // block (with actions enabled) and when they differ, the layer animates between them;
    // otherwise a running animation of that property ends, so the new value shows at once.
    void propertyDidChange(Layer& layer, AnimatableProperty property, const AnimatableValue& from,
                           const AnimatableValue& to);

    void layerDidAddAnimation(Layer& layer);
    void layerWillGoAway(Layer& layer);

private:
    AnimationScheduler() = default;
    const Context* animatingContext() const;
    void tick(TimePoint time);

    std::vector<Context> contexts_;
    std::vector<Layer*> animating_;
    FrameScheduler::Token frame_ = 0;
};

}  // namespace ui
