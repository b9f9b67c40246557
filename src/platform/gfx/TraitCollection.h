#pragma once

namespace gfx {

enum class UserInterfaceStyle { Unspecified = 0, Light = 1, Dark = 2 };

// The environment a dynamic colour is resolved in. The view layer hands one down its tree;
// drawing code receives it through the painter.
struct TraitCollection {
    UserInterfaceStyle userInterfaceStyle = UserInterfaceStyle::Unspecified;

    static TraitCollection light() { return {UserInterfaceStyle::Light}; }
    static TraitCollection dark() { return {UserInterfaceStyle::Dark}; }
    bool isDark() const { return userInterfaceStyle == UserInterfaceStyle::Dark; }
    bool operator==(const TraitCollection&) const = default;
};

}  // namespace gfx
