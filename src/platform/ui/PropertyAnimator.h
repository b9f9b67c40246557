#pragma once

#include <functional>
#include <memory>
#include <vector>

namespace ui {

class AnimationGroup;

// Animates the changes its blocks make, like `View::animate`, on a spring: a damping ratio
// of 1 or more comes to rest without overshooting, less bounces; the spring is at rest at
// the end of `duration`. A handle: copies share one animator, and a running animation goes
// on (and its completions run) after every handle is gone.
class PropertyAnimator {
public:
    enum class State { Inactive, Active, Stopped };

    PropertyAnimator(double duration, double dampingRatio, std::function<void()> animations = {});

    // Before the start, blocks run when it starts; while running, at once, over what is left
    // of the duration.
    void addAnimations(std::function<void()> animations);
    // Run on a later run loop turn: finished = true when everything ran to its end, false
    // when the animations were stopped or removed.
    void addCompletion(std::function<void(bool finished)> completion);
    // Starts (after `delay` seconds) if inactive; otherwise nothing.
    void startAnimation(double delay = 0);
    // Ends the running animations where they are: each property keeps the value it shows
    // now as its model value. Completions then run with false.
    void stopAnimation();

    State state() const;
    bool isRunning() const { return state() == State::Active; }

private:
    struct Shared;
    void runInside(const std::function<void()>& animations, double remainingSeconds);
    std::shared_ptr<Shared> shared_;
};

}  // namespace ui
