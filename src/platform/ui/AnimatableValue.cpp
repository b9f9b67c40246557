#include "ui/AnimatableValue.h"

#include <algorithm>

namespace ui {

namespace {

double mix(double from, double to, double progress) { return from + (to - from) * progress; }

struct Interpolator {
    double progress;
    const gfx::TraitCollection& traits;

    AnimatableValue operator()(double from, double to) const { return mix(from, to, progress); }
    AnimatableValue operator()(gfx::Point from, gfx::Point to) const {
        return gfx::Point{mix(from.x, to.x, progress), mix(from.y, to.y, progress)};
    }
    AnimatableValue operator()(gfx::Size from, gfx::Size to) const {
        return gfx::Size{mix(from.width, to.width, progress), mix(from.height, to.height, progress)};
    }
    AnimatableValue operator()(const gfx::Color& from, const gfx::Color& to) const {
        gfx::Color a = from.resolved(traits), b = to.resolved(traits);
        auto channel = [this](double x, double y) { return std::clamp(mix(x, y, progress), 0.0, 1.0); };
        return gfx::Color(channel(a.red(), b.red()), channel(a.green(), b.green()),
                          channel(a.blue(), b.blue()), channel(a.alpha(), b.alpha()));
    }
    AnimatableValue operator()(const Transform3D& from, const Transform3D& to) const {
        return Transform3D::interpolate(from, to, progress);
    }
    template <typename A, typename B>
    AnimatableValue operator()(const A&, const B& to) const {
        return to;
    }
};

}  // namespace

AnimatableValue interpolate(const AnimatableValue& from, const AnimatableValue& to, double progress,
                            const gfx::TraitCollection& traits) {
    return std::visit(Interpolator{progress, traits}, from, to);
}

}  // namespace ui
