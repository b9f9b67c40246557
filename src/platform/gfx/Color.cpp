#include "gfx/Color.h"

#include <cmath>
#include <cstdio>

#include "gfx/SystemColor.h"

namespace gfx {

Color Color::dynamic(Provider provider) {
    Color light = provider(TraitCollection::light());
    light.provider_ = std::make_shared<const Provider>(std::move(provider));
    return light;
}

Color Color::dynamic(Color light, Color dark) {
    return dynamic([light, dark](const TraitCollection& traits) {
        return traits.isDark() ? dark.resolved(traits) : light.resolved(traits);
    });
}

Color Color::resolved(const TraitCollection& traits) const {
    if (!provider_) return *this;
    // A provider may itself return a dynamic colour; resolve until plain.
    return (*provider_)(traits).resolved(traits);
}

Color Color::withAlphaComponent(double alpha) const {
    if (!provider_) return {red_, green_, blue_, alpha};
    auto base = provider_;
    return dynamic([base, alpha](const TraitCollection& traits) {
        return (*base)(traits).resolved(traits).withAlphaComponent(alpha);
    });
}

bool Color::operator==(const Color& other) const {
    if (red_ != other.red_ || green_ != other.green_ || blue_ != other.blue_ || alpha_ != other.alpha_)
        return false;
    if (provider_ == other.provider_) return true;
    // Two dynamic colours made apart (each call of a system colour makes its own) are equal
    // when they resolve alike in light and dark.
    return provider_ && other.provider_ && description() == other.description();
}

bool Color::isApproximately(const Color& other, double tolerance, const TraitCollection& traits) const {
    Color a = resolved(traits), b = other.resolved(traits);
    return std::fabs(a.red_ - b.red_) <= tolerance && std::fabs(a.green_ - b.green_) <= tolerance &&
           std::fabs(a.blue_ - b.blue_) <= tolerance && std::fabs(a.alpha_ - b.alpha_) <= tolerance;
}

std::string Color::description() const {
    if (provider_) {
        return "dynamic(light: " + resolved(TraitCollection::light()).description() +
               ", dark: " + resolved(TraitCollection::dark()).description() + ")";
    }
    char text[96];
    std::snprintf(text, sizeof text, "rgba(%.6f %.6f %.6f %.6f)", red_, green_, blue_, alpha_);
    return text;
}

Color Color::systemRed() { return system(SystemColor::Red); }
Color Color::systemOrange() { return system(SystemColor::Orange); }
Color Color::systemYellow() { return system(SystemColor::Yellow); }
Color Color::systemGreen() { return system(SystemColor::Green); }
Color Color::systemBlue() { return system(SystemColor::Blue); }
Color Color::systemTeal() { return system(SystemColor::Teal); }
Color Color::systemIndigo() { return system(SystemColor::Indigo); }
Color Color::systemPurple() { return system(SystemColor::Purple); }
Color Color::systemPink() { return system(SystemColor::Pink); }
Color Color::gray() { return system(SystemColor::Gray); }
Color Color::label() { return system(SystemColor::Label); }
Color Color::secondaryLabel() { return system(SystemColor::SecondaryLabel); }
Color Color::tertiaryLabel() { return system(SystemColor::TertiaryLabel); }
Color Color::tertiarySystemFill() { return system(SystemColor::TertiarySystemFill); }
Color Color::systemBackground() { return system(SystemColor::SystemBackground); }
Color Color::secondarySystemBackground() { return system(SystemColor::SecondarySystemBackground); }

}  // namespace gfx
