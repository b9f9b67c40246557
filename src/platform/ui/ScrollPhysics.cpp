#include "ui/ScrollPhysics.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace ui {

namespace {

constexpr double kSettleDistance = 0.01;

bool outside(double position, double min, double max) { return position < min || position > max; }

}  // namespace

void ScrollPhysics::decelerate(gfx::Point offset, gfx::Point velocity, const Limits& limits, bool bounces) {
    animating_ = false;
    startAxis(x_, offset.x, velocity.x, limits.min.x, std::max(limits.min.x, limits.max.x), bounces);
    startAxis(y_, offset.y, velocity.y, limits.min.y, std::max(limits.min.y, limits.max.y), bounces);
}

void ScrollPhysics::startAxis(Axis& axis, double position, double velocity, double min, double max,
                              bool bounces) {
    axis = Axis{};
    axis.position = position;
    axis.velocity = std::isfinite(velocity) ? velocity : 0;
    axis.min = min;
    axis.max = max;
    axis.bounces = bounces;
    if (outside(position, min, max)) {
        if (bounces) {
            axis.mode = Mode::Bouncing;
        } else {
            axis.position = std::clamp(position, min, max);
            axis.velocity = 0;
        }
    } else if (std::abs(axis.velocity) >= kStopSpeed) {
        axis.mode = Mode::Decelerating;
    } else {
        axis.velocity = 0;
    }
}

void ScrollPhysics::animate(gfx::Point from, gfx::Point to, double durationSeconds) {
    animating_ = true;
    for (auto [axis, a, b] : {std::tuple{&x_, from.x, to.x}, std::tuple{&y_, from.y, to.y}}) {
        *axis = Axis{};
        axis->position = a;
        axis->from = a;
        axis->to = b;
        axis->duration = std::max(durationSeconds, 0.0);
        axis->mode = a == b ? Mode::Idle : Mode::Animating;
        if (axis->duration == 0) axis->position = b, axis->mode = Mode::Idle;
    }
}

void ScrollPhysics::stop() {
    x_.mode = y_.mode = Mode::Idle;
    x_.velocity = y_.velocity = 0;
    animating_ = false;
}

gfx::Point ScrollPhysics::advance(double seconds) {
    if (seconds > 0 && std::isfinite(seconds)) {
        step(x_, seconds);
        step(y_, seconds);
    }
    return offset();
}

void ScrollPhysics::step(Axis& axis, double seconds) {
    switch (axis.mode) {
        case Mode::Idle:
            return;
        case Mode::Decelerating:
            return stepDecelerating(axis, seconds);
        case Mode::Bouncing:
            return stepBouncing(axis, seconds);
        case Mode::Animating:
            return stepAnimating(axis, seconds);
    }
}

// v(t) = v0 * r^(1000 t), x(t) = x0 + v0 * (r^(1000 t) - 1) / (1000 ln r).
void ScrollPhysics::stepDecelerating(Axis& axis, double seconds) {
    double k = 1000 * std::log(kDecelerationRate);  // negative
    double decay = std::exp(k * seconds);
    double next = axis.position + axis.velocity * (decay - 1) / k;
    double velocity = axis.velocity * decay;
    if (outside(next, axis.min, axis.max)) {
        // The edge was crossed within this step: carry on from the edge with the velocity the
        // content had there, on the spring (or stop dead without bouncing).
        double edge = next < axis.min ? axis.min : axis.max;
        double remaining = 1 + (edge - axis.position) * k / axis.velocity;  // = r^(1000 t_edge)
        double tEdge = remaining > 0 ? std::log(remaining) / k : seconds;
        axis.position = edge;
        axis.velocity *= std::max(remaining, 0.0);
        if (!axis.bounces) {
            axis.velocity = 0;
            axis.mode = Mode::Idle;
            return;
        }
        axis.mode = Mode::Bouncing;
        return stepBouncing(axis, std::max(seconds - tEdge, 0.0));
    }
    axis.position = next;
    axis.velocity = velocity;
    if (std::abs(velocity) < kStopSpeed) {
        axis.velocity = 0;
        axis.mode = Mode::Idle;
    }
}

// Critically damped: x(t) = edge + (A + B t) e^(-w t), A = x0 - edge, B = v0 + w A.
void ScrollPhysics::stepBouncing(Axis& axis, double seconds) {
    const double w = kSpringFrequency;
    double edge = edgeBeyond(axis);
    double a = axis.position - edge;
    double b = axis.velocity + w * a;
    double e = std::exp(-w * seconds);
    axis.position = edge + (a + b * seconds) * e;
    axis.velocity = (b - w * (a + b * seconds)) * e;
    if (std::abs(axis.position - edge) < kSettleDistance && std::abs(axis.velocity) < kStopSpeed) {
        axis.position = edge;
        axis.velocity = 0;
        axis.mode = Mode::Idle;
    }
}

// The spring pulls towards the edge the offset is beyond (or nearest, once it is back inside).
double ScrollPhysics::edgeBeyond(const Axis& axis) {
    if (axis.position < axis.min) return axis.min;
    if (axis.position > axis.max) return axis.max;
    return std::abs(axis.position - axis.min) <= std::abs(axis.position - axis.max) ? axis.min : axis.max;
}

// Ease out (cubic): fast at first, settling gently on the target.
void ScrollPhysics::stepAnimating(Axis& axis, double seconds) {
    axis.elapsed += seconds;
    double t = std::min(axis.elapsed / axis.duration, 1.0);
    double eased = 1 - std::pow(1 - t, 3);
    axis.position = axis.from + (axis.to - axis.from) * eased;
    if (t >= 1) {
        axis.position = axis.to;
        axis.mode = Mode::Idle;
    }
}

double ScrollPhysics::rubberBand(double offset, double min, double max, double dimension) {
    max = std::max(min, max);
    if (!outside(offset, min, max) || dimension <= 0) return std::clamp(offset, min, max);
    double edge = offset < min ? min : max;
    double overshoot = std::abs(offset - edge);
    double shown = (1 - 1 / (overshoot * kRubberBandFactor / dimension + 1)) * dimension;
    return offset < min ? edge - shown : edge + shown;
}

}  // namespace ui
