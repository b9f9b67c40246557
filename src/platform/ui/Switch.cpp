#include "ui/Switch.h"

#include <algorithm>

#include "ui/Touch.h"

namespace ui {

namespace {

constexpr double kThumbInset = 2;
constexpr double kDisabledAlpha = 0.5;
constexpr double kFlipDuration = 0.25;

gfx::Color offTrackColor() {
    return gfx::Color::dynamic(gfx::Color(120 / 255.0, 120 / 255.0, 128 / 255.0, 0.16),
                               gfx::Color(120 / 255.0, 120 / 255.0, 128 / 255.0, 0.32));
}

// A pill or circle: fully rounded corners on the shorter side.
std::shared_ptr<View> roundView(const gfx::Rect& frame, const gfx::Color& color) {
    auto view = View::create();
    view->setFrame(frame);
    view->setBackgroundColor(color);
    view->layer().setCornerRadius(std::min(frame.width, frame.height) / 2);
    view->setUserInteractionEnabled(false);
    return view;
}

}  // namespace

std::shared_ptr<Switch> Switch::create() { return std::shared_ptr<Switch>(new Switch()); }

Switch::Switch() {
    setContentHuggingPriority(LayoutPriority::kDefaultHigh, LayoutAxis::Horizontal);
    setContentHuggingPriority(LayoutPriority::kDefaultHigh, LayoutAxis::Vertical);

    // Off track, the on colour over it (faded in as the switch turns on), then the thumb.
    gfx::Rect track{{0, 0}, kSize};
    artwork_ = roundView(track, offTrackColor());
    artwork_->setUserInteractionEnabled(false);
    addSubview(artwork_);
    onTrack_ = roundView(track, onTintColor());
    artwork_->addSubview(onTrack_);
    double diameter = kSize.height - 2 * kThumbInset;
    thumb_ = roundView({kThumbInset, kThumbInset, diameter, diameter}, thumbTintColor());
    thumb_->layer().setBorderWidth(0.5);
    thumb_->layer().setBorderColor(gfx::Color(0, 0, 0, 0.12));
    artwork_->addSubview(thumb_);
    showThumbPosition();
}

void Switch::setOn(bool on, bool animated) {
    on_ = on;
    moveThumb(animated);
}

void Switch::moveThumb(bool animated) {
    if (!animated) {
        showThumbPosition();
        return;
    }
    auto weak = std::weak_ptr<Switch>(std::static_pointer_cast<Switch>(shared_from_this()));
    View::animate(kFlipDuration, [weak] {
        if (auto self = weak.lock()) self->showThumbPosition();
    });
}

void Switch::showThumbPosition() {
    double travel = kSize.width - kSize.height;
    gfx::Rect thumb = thumb_->frame();
    thumb.x = kThumbInset + (on_ ? travel : 0);
    thumb_->setFrame(thumb);
    onTrack_->setAlpha(on_ ? 1 : 0);
}

gfx::Color Switch::onTintColor() const { return onTint_.value_or(gfx::Color::systemGreen()); }

void Switch::setOnTintColor(std::optional<gfx::Color> color) {
    onTint_ = std::move(color);
    onTrack_->setBackgroundColor(onTintColor());
}

gfx::Color Switch::thumbTintColor() const { return thumbTint_.value_or(gfx::Color::whiteColor()); }

void Switch::setThumbTintColor(std::optional<gfx::Color> color) {
    thumbTint_ = std::move(color);
    thumb_->setBackgroundColor(thumbTintColor());
}

void Switch::stateDidChange() { artwork_->setAlpha(isEnabled() ? 1 : kDisabledAlpha); }

void Switch::touchesEnded(const Touches& touches) {
    bool tapped = isTracking() && !touches.empty() && pointInside(touches.front().locationInView(this));
    Control::touchesEnded(touches);
    if (!tapped) return;
    setOn(!on_, true);
    sendActionsForControlEvents(ControlEventValueChanged);
}

}  // namespace ui
