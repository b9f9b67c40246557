#pragma once

namespace ui {

// The frosted materials a visual-effect view can show. Light and dark are fixed; the system
// material follows the appearance (light or dark) of the view that shows it.
enum class BlurEffectStyle { Light, Dark, SystemMaterial };

// A blur effect: a value naming one material, handed to a VisualEffectView.
class BlurEffect {
public:
    static BlurEffect effectWithStyle(BlurEffectStyle style) { return BlurEffect(style); }

    BlurEffectStyle style() const { return style_; }
    bool operator==(const BlurEffect&) const = default;

private:
    explicit BlurEffect(BlurEffectStyle style) : style_(style) {}

    BlurEffectStyle style_;
};

}  // namespace ui
