#pragma once

#include <functional>
#include <memory>
#include <string>

#include "gfx/TraitCollection.h"

namespace gfx {

enum class SystemColor;

// A colour: red, green, blue and alpha in 0..1, sRGB, not premultiplied.
//
// A colour may be dynamic: it then carries a provider that picks the concrete colour for a
// trait collection (light or dark appearance). Its own components are those of the light
// resolution, so code that ignores appearance still gets a sensible colour. Resolving a
// plain colour returns it unchanged. Copies are cheap; the provider is shared.
class Color {
public:
    using Provider = std::function<Color(const TraitCollection&)>;

    constexpr Color() = default;  // clear
    constexpr Color(double red, double green, double blue, double alpha = 1.0)
        : red_(red), green_(green), blue_(blue), alpha_(alpha) {}

    static Color white(double white, double alpha = 1.0) { return {white, white, white, alpha}; }
    static Color dynamic(Provider provider);
    static Color dynamic(Color light, Color dark);
    // The platform's named colours (one table, SystemColors.cpp).
    static Color system(SystemColor name);

    static Color systemRed();
    static Color systemOrange();
    static Color systemYellow();
    static Color systemGreen();
    static Color systemBlue();
    static Color systemTeal();
    static Color systemIndigo();
    static Color systemPurple();
    static Color systemPink();
    static Color gray();
    static Color label();
    static Color secondaryLabel();
    static Color tertiaryLabel();
    static Color tertiarySystemFill();
    static Color systemBackground();
    static Color secondarySystemBackground();
    static Color whiteColor() { return {1, 1, 1, 1}; }
    static Color blackColor() { return {0, 0, 0, 1}; }
    static Color clear() { return {0, 0, 0, 0}; }

    double red() const { return red_; }
    double green() const { return green_; }
    double blue() const { return blue_; }
    double alpha() const { return alpha_; }

    bool isDynamic() const { return provider_ != nullptr; }
    Color resolved(const TraitCollection& traits) const;
    // A colour with the same hue and the given alpha; a dynamic colour stays dynamic.
    Color withAlphaComponent(double alpha) const;

    // Exact equality of components and, for dynamic colours, of what they resolve to.
    bool operator==(const Color& other) const;
    // Components within `tolerance` of each other, after resolving both against `traits`.
    bool isApproximately(const Color& other, double tolerance = 1e-6,
                         const TraitCollection& traits = {}) const;

    // A stable text such as "rgba(0.950000 0.950000 0.960000 1.000000)", or for a dynamic
    // colour "dynamic(light: rgba(...), dark: rgba(...))". Used as a cache key.
    std::string description() const;

private:
    double red_ = 0, green_ = 0, blue_ = 0, alpha_ = 0;
    std::shared_ptr<const Provider> provider_;
};

}  // namespace gfx
