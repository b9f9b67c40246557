#include "ui/Switch.h"

#include "gfx/Painter.h"
#include "ui/Touch.h"

namespace ui {

namespace {

constexpr double kThumbInset = 2;
constexpr double kDisabledAlpha = 0.5;

gfx::Color offTrackColor() {
    return gfx::Color::dynamic(gfx::Color(120 / 255.0, 120 / 255.0, 128 / 255.0, 0.16),
                               gfx::Color(120 / 255.0, 120 / 255.0, 128 / 255.0, 0.32));
}

}  // namespace

std::shared_ptr<Switch> Switch::create() { return std::shared_ptr<Switch>(new Switch()); }

Switch::Switch() {
    setContentHuggingPriority(LayoutPriority::kDefaultHigh, LayoutAxis::Horizontal);
    setContentHuggingPriority(LayoutPriority::kDefaultHigh, LayoutAxis::Vertical);
}

void Switch::setOn(bool on, bool animated) {
    on_ = on;
    moveThumb(animated);
}

void Switch::moveThumb(bool /*animated*/) { thumbProgress_ = on_ ? 1 : 0; }

gfx::Color Switch::onTintColor() const { return onTint_.value_or(gfx::Color::systemGreen()); }

gfx::Color Switch::thumbTintColor() const { return thumbTint_.value_or(gfx::Color::whiteColor()); }

void Switch::touchesEnded(const Touches& touches) {
    bool tapped = isTracking() && !touches.empty() && pointInside(touches.front().locationInView(this));
    Control::touchesEnded(touches);
    if (!tapped) return;
    setOn(!on_, true);
    sendActionsForControlEvents(ControlEventValueChanged);
}

void Switch::draw(gfx::Painter& painter, const gfx::Rect& rect) {
    gfx::Rect track{rect.x, rect.y, kSize.width, kSize.height};
    double radius = kSize.height / 2;
    bool dimmed = !isEnabled();
    if (dimmed) painter.beginLayer();

    // 1. The off track, with the on colour fading in as the thumb travels.
    painter.fillRoundedRect(track, gfx::CornerStyle::circular(radius), offTrackColor());
    gfx::Color on = onTintColor().resolved(painter.traitCollection());
    painter.fillRoundedRect(track, gfx::CornerStyle::circular(radius),
                            on.withAlphaComponent(on.alpha() * thumbProgress_));

    // 2. The thumb with a soft shadow under it.
    double diameter = kSize.height - 2 * kThumbInset;
    double travel = kSize.width - kSize.height;
    gfx::Rect thumb{track.x + kThumbInset + travel * thumbProgress_, track.y + kThumbInset, diameter,
                    diameter};
    painter.fillEllipse({thumb.x - 0.5, thumb.y + 0.5, diameter + 1, diameter + 1},
                        gfx::Color(0, 0, 0, 0.12));
    painter.fillEllipse(thumb, thumbTintColor());

    if (dimmed) painter.endLayer(kDisabledAlpha);
}

}  // namespace ui
