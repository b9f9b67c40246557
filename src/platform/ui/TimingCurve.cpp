#include "ui/TimingCurve.h"

#include <algorithm>
#include <cmath>

#include "ui/AnimationOptions.h"

namespace ui {

namespace {

// The spring counts as at rest once it stays within this of its target.
constexpr double kRestTolerance = 0.001;

double cubic(double p1, double p2, double t) {
    double u = 1 - t;
    return 3 * u * u * t * p1 + 3 * u * t * t * p2 + t * t * t;
}

double cubicSlope(double p1, double p2, double t) {
    double u = 1 - t;
    return 3 * u * u * p1 + 6 * u * t * (p2 - p1) + 3 * t * t * (1 - p2);
}

// The largest distance from the target a unit-time spring can still have at time t.
double springEnvelope(double zeta, double omega, double t) {
    if (zeta < 1) return std::exp(-zeta * omega * t) / std::sqrt(1 - zeta * zeta);
    if (zeta == 1) return (1 + omega * t) * std::exp(-omega * t);
    double root = std::sqrt(zeta * zeta - 1);
    double slow = omega * (zeta - root), fast = omega * (zeta + root);
    return (fast * std::exp(-slow * t) + slow * std::exp(-fast * t)) / (fast - slow);
}

}  // namespace

TimingCurve TimingCurve::forOptions(unsigned options) {
    switch (options & AnimationOptionCurveMask) {
        case AnimationOptionCurveEaseIn:
            return easeIn();
        case AnimationOptionCurveEaseOut:
            return easeOut();
        case AnimationOptionCurveLinear:
            return linear();
        default:
            return easeInOut();
    }
}

TimingCurve TimingCurve::bezier(double x1, double y1, double x2, double y2) {
    TimingCurve curve;
    // The curve must stay a function of time: control points outside 0..1 in x are clamped.
    curve.x1_ = std::clamp(x1, 0.0, 1.0);
    curve.y1_ = y1;
    curve.x2_ = std::clamp(x2, 0.0, 1.0);
    curve.y2_ = y2;
    return curve;
}

TimingCurve TimingCurve::spring(double dampingRatio) {
    TimingCurve curve;
    curve.kind_ = Kind::Spring;
    curve.damping_ = dampingRatio > 0 ? std::min(dampingRatio, 100.0) : 0.05;
    // The stiffest spring that is within the tolerance at the end of the (unit) duration.
    double low = 1e-3, high = 1e4;
    for (int i = 0; i < 100; ++i) {
        double mid = std::sqrt(low * high);
        (springEnvelope(curve.damping_, mid, 1) > kRestTolerance ? low : high) = mid;
    }
    curve.omega_ = high;
    return curve;
}

double TimingCurve::progress(double fraction) const {
    if (!(fraction > 0)) return 0;
    if (fraction >= 1) return 1;
    return kind_ == Kind::Spring ? springProgress(fraction) : bezierProgress(fraction);
}

double TimingCurve::bezierProgress(double x) const {
    // Solve x(t) = x: Newton's method, falling back to bisection where the slope is flat.
    double t = x;
    for (int i = 0; i < 8; ++i) {
        double error = cubic(x1_, x2_, t) - x;
        double slope = cubicSlope(x1_, x2_, t);
        if (std::abs(error) < 1e-9) return cubic(y1_, y2_, t);
        if (std::abs(slope) < 1e-6) break;
        t = std::clamp(t - error / slope, 0.0, 1.0);
    }
    double low = 0, high = 1;
    t = x;
    for (int i = 0; i < 60; ++i) {
        (cubic(x1_, x2_, t) < x ? low : high) = t;
        t = (low + high) / 2;
    }
    return cubic(y1_, y2_, t);
}

double TimingCurve::springProgress(double t) const {
    double zeta = damping_, omega = omega_;
    if (zeta < 1) {
        double damped = omega * std::sqrt(1 - zeta * zeta);
        return 1 - std::exp(-zeta * omega * t) *
                       (std::cos(damped * t) + zeta * omega / damped * std::sin(damped * t));
    }
    if (zeta == 1) return 1 - (1 + omega * t) * std::exp(-omega * t);
    double root = std::sqrt(zeta * zeta - 1);
    double r1 = -omega * (zeta - root), r2 = -omega * (zeta + root);
    return 1 - (r2 * std::exp(r1 * t) - r1 * std::exp(r2 * t)) / (r2 - r1);
}

}  // namespace ui
