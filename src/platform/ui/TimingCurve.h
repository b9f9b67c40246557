#pragma once

namespace ui {

// How far an animation has got (0 to 1, a spring may overshoot) at a fraction of its
// duration (0 to 1). Cubic Bézier curves through (0, 0) and (1, 1) for the platform's
// named curves, or a damped spring that comes to rest at the end of the duration.
class TimingCurve {
public:
    static TimingCurve linear() { return bezier(0, 0, 1, 1); }
    static TimingCurve easeIn() { return bezier(0.42, 0, 1, 1); }
    static TimingCurve easeOut() { return bezier(0, 0, 0.58, 1); }
    static TimingCurve easeInOut() { return bezier(0.42, 0, 0.58, 1); }
    // The curve an option set of View::animate names.
    static TimingCurve forOptions(unsigned options);
    static TimingCurve bezier(double x1, double y1, double x2, double y2);
    // A spring with this damping ratio: 1 or more never overshoots, less bounces. A ratio
    // that is not positive (or not a number) is taken as a gentle bounce (0.05), since a
    // spring without damping would never come to rest.
    static TimingCurve spring(double dampingRatio);

    double progress(double fraction) const;

private:
    enum class Kind { Bezier, Spring };
    TimingCurve() = default;
    double bezierProgress(double x) const;
    double springProgress(double t) const;

    Kind kind_ = Kind::Bezier;
    double x1_ = 0, y1_ = 0, x2_ = 1, y2_ = 1;
    double damping_ = 1, omega_ = 1;
};

}  // namespace ui
