#pragma once

#include "gfx/Geometry.h"

namespace ui {

// The motion of a scroll view's content offset once the finger has let go, or while it
// animates to a new offset: one algorithm, stepped by whoever owns the clock.
//
// Each axis moves on its own, in one of three ways:
//   - decelerating: the release velocity decays by `kDecelerationRate` per millisecond (the
//     closed form, so the result does not depend on the step size);
//   - bouncing: beyond an edge, a critically damped spring pulls the offset back to the edge
//     (it overshoots nothing and settles in about half a second); a deceleration that runs
//     past an edge hands its velocity to the spring;
//   - animating: an ease-out curve from one offset to another over a fixed duration.
// An axis stops when its speed falls below `kStopSpeed` within the limits, or when the spring
// has brought it within a hundredth of a point of the edge (it is then put on the edge).
//
// While a finger drags beyond an edge the displayed offset follows `rubberBand`, which gives
// less and less for each further point dragged.
class ScrollPhysics {
public:
    static constexpr double kDecelerationRate = 0.998;  // velocity kept per millisecond
    static constexpr double kStopSpeed = 5;             // points per second
    static constexpr double kSpringFrequency = 15;      // radians per second
    static constexpr double kRubberBandFactor = 0.55;

    // The range an offset may rest in, per axis.
    struct Limits {
        gfx::Point min;
        gfx::Point max;
    };

    // Starts from `offset` with `velocity` (points per second). With `bounces` false the
    // offset stops dead at an edge instead of overshooting it.
    void decelerate(gfx::Point offset, gfx::Point velocity, const Limits& limits, bool bounces);
    void animate(gfx::Point from, gfx::Point to, double durationSeconds);
    void stop();

    bool isRunning() const { return x_.mode != Mode::Idle || y_.mode != Mode::Idle; }
    bool isAnimating() const { return animating_ && isRunning(); }
    // Moves the motion on by `seconds`; returns the new offset.
    gfx::Point advance(double seconds);
    gfx::Point offset() const { return {x_.position, y_.position}; }
    gfx::Point velocity() const { return {x_.velocity, y_.velocity}; }

    // Where content dragged to `offset` is shown: inside [min, max] unchanged, beyond it the
    // overshoot shrinks as it grows and never exceeds `dimension` (the visible length).
    static double rubberBand(double offset, double min, double max, double dimension);

private:
    enum class Mode { Idle, Decelerating, Bouncing, Animating };
    struct Axis {
        Mode mode = Mode::Idle;
        double position = 0;
        double velocity = 0;
        double min = 0, max = 0;
        bool bounces = true;
        double from = 0, to = 0, elapsed = 0, duration = 0;  // animating
    };
    static void startAxis(Axis& axis, double position, double velocity, double min, double max, bool bounces);
    static void step(Axis& axis, double seconds);
    static void stepDecelerating(Axis& axis, double seconds);
    static void stepBouncing(Axis& axis, double seconds);
    static void stepAnimating(Axis& axis, double seconds);
    static double edgeBeyond(const Axis& axis);

    Axis x_, y_;
    bool animating_ = false;
};

}  // namespace ui
