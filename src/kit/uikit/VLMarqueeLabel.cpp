// The marquee's pass, in content-offset terms (direction 1; direction 0 runs it backwards):
//
//   |<- w ->|<- s ->|<- w ->|
//   [ text ]         [ text ]      content width w + s + view width
//   ^ offset 0               ^ offset w + s shows the second copy exactly where the first was
//
// Each pass sets the offset to 0, waits `pauseInterval`, animates it to w + s over w / speed
// seconds and, when that animation finishes undisturbed, starts again from 0: the jump back
// is invisible because both offsets show the same picture. `enableShadow` fires when the
// slide begins and turns on the fade at both edges; the completion puts the rest mask back.
#include "uikit/VLMarqueeLabel.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "base/NotificationCenter.h"
#include "gfx/Gradient.h"
#include "ui/Application.h"

namespace {

constexpr const char* kScrollAction = "scrollLabelIfNeeded";
constexpr const char* kShadowAction = "enableShadow";
constexpr const char* kRefreshAction = "refreshLabels";

std::chrono::nanoseconds seconds(double value) {
    if (!(value > 0)) return {};
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::duration<double>(value));
}

}  // namespace

std::shared_ptr<VLMarqueeLabel> VLMarqueeLabel::create(const gfx::Rect& frame) {
    std::shared_ptr<VLMarqueeLabel> marquee(new VLMarqueeLabel());
    marquee->View::setFrame(frame);
    marquee->commonInit();
    return marquee;
}

VLMarqueeLabel::~VLMarqueeLabel() {
    for (const char* action : {kScrollAction, kShadowAction, kRefreshAction}) cancelPerformAfterDelay(action);
    observations_.clear();
}

void VLMarqueeLabel::commonInit() {
    registerAction(kScrollAction, [this] { scrollLabelIfNeeded(); });
    registerAction(kShadowAction, [this] { enableShadow(); });
    registerAction(kRefreshAction, [this] { refreshLabels(); });
    for (auto& label : labels_) {
        label = ui::Label::create();
        label->setBackgroundColor(gfx::Color::clear());
        label->setAutoresizingMask(autoresizingMask());
        scrollView()->addSubview(label);
    }
    // Direction and speed are stored directly; the setters would try a pass before layout.
    scrollDirection_ = 1;
    scrollSpeed_ = 30.0f;
    setPauseInterval(1.5);
    setLabelSpacing(20);
    setTextAlignment(gfx::TextAlignment::Left);
    setAnimationOptions(ui::AnimationOptionCurveLinear);

    scrollView_->setFrame(bounds());
    scrollView_->setAutoresizingMask(ui::FlexibleWidth | ui::FlexibleHeight);
    scrollView_->setBackgroundColor(gfx::Color::clear());
    scrollView_->setShowsHorizontalScrollIndicator(false);
    scrollView_->setShowsVerticalScrollIndicator(false);
    scrollView_->setScrollEnabled(false);
    setBackgroundColor(gfx::Color::clear());
    setClipsToBounds(true);
    setUserInteractionEnabled(false);
    setFadeLength(kDefaultFadeLength);
}

const std::shared_ptr<ui::ScrollView>& VLMarqueeLabel::scrollView() {
    if (!scrollView_) {
        scrollView_ = ui::ScrollView::create();
        addSubview(scrollView_);
    }
    return scrollView_;
}

void VLMarqueeLabel::setScrollDirection(std::int64_t direction) {
    scrollDirection_ = direction;
    scrollLabelIfNeeded();
}

void VLMarqueeLabel::setScrollSpeed(float speed) {
    scrollSpeed_ = speed;
    scrollLabelIfNeeded();
}

void VLMarqueeLabel::setFadeLength(double length) {
    if (length == fadeLength_) return;
    fadeLength_ = length;
    refreshLabels();
    applyGradientMaskForFadeLength(fadeLength_, false);
}

void VLMarqueeLabel::setText(const std::string& text, bool refresh) {
    if (text == this->text()) return;
    for (auto& label : labels_) label->setText(text);
    if (refresh) refreshLabels();
}

void VLMarqueeLabel::setAttributedText(const gfx::AttributedString& text, bool refresh) {
    if (text.string() == this->text()) return;
    for (auto& label : labels_) label->setAttributedText(text);
    if (refresh) refreshLabels();
}

void VLMarqueeLabel::setFont(const gfx::Font& font) {
    if (font == this->font()) return;
    for (auto& label : labels_) label->setFont(font);
    refreshLabels();
    invalidateIntrinsicContentSize();
}

void VLMarqueeLabel::setTextColor(const gfx::Color& color) {
    for (auto& label : labels_) label->setTextColor(color);
}

void VLMarqueeLabel::setShadowColor(const std::optional<gfx::Color>& color) {
    for (auto& label : labels_) label->setShadowColor(color);
}

void VLMarqueeLabel::setShadowOffset(gfx::Size offset) {
    for (auto& label : labels_) label->setShadowOffset(offset);
}

void VLMarqueeLabel::setFrame(const gfx::Rect& frame) {
    View::setFrame(frame);
    didChangeFrame();
}

void VLMarqueeLabel::setBounds(const gfx::Rect& bounds) {
    View::setBounds(bounds);
    didChangeFrame();
}

void VLMarqueeLabel::layoutSubviews() {
    if (laidOutSize_ != bounds().size()) didChangeFrame();
}

void VLMarqueeLabel::didChangeFrame() {
    refreshLabels();
    applyGradientMaskForFadeLength(fadeLength_, scrolling_);
}

void VLMarqueeLabel::didMoveToWindow() {
    if (window()) scrollLabelIfNeeded();
}

gfx::Size VLMarqueeLabel::intrinsicContentSize() const {
    return {0, mainLabel()->intrinsicContentSize().height};
}

bool VLMarqueeLabel::textIsWiderThanView() const { return mainLabel()->frame().width > bounds().width; }

// Passes: (1) the labels side by side at their fitted widths, centred vertically on whole
// points; (2) the offset back at its start; (3) for text wider than the view, a content size
// that holds both copies and the next pass; otherwise the main label alone across the view.
void VLMarqueeLabel::refreshLabels() {
    laidOutSize_ = bounds().size();
    const gfx::Size size = bounds().size();
    float offset = 0;
    for (auto& label : labels_) {
        label->sizeToFit();
        const double width = label->frame().width;
        label->setFrame({offset, 0, width, size.height});
        label->setCenter({label->center().x, std::round(center().y - frame().y)});
        offset += static_cast<float>(width + static_cast<double>(labelSpacing_));
    }
    scrollView_->setContentOffset({0, 0});
    scrollView_->layer().removeAllAnimations();
    if (textIsWiderThanView()) {
        scrollView_->setContentSize(
            {mainLabel()->frame().width + size.width + static_cast<double>(labelSpacing_), size.height});
        for (auto& label : labels_) label->setHidden(false);
        applyGradientMaskForFadeLength(fadeLength_, scrolling_);
        scrollLabelIfNeeded();
        return;
    }
    for (auto& label : labels_) label->setHidden(label != mainLabel());
    scrollView_->setContentSize(size);
    mainLabel()->setFrame(bounds());
    mainLabel()->setHidden(false);
    mainLabel()->setTextAlignment(textAlignment_);
    scrollView_->layer().removeAllAnimations();
    applyGradientMaskForFadeLength(0, false);
}

void VLMarqueeLabel::scrollLabelIfNeeded() {
    if (text().empty() || !textIsWiderThanView()) return;
    // A speed that is not a positive number would make a pass last for ever.
    if (!(scrollSpeed_ > 0) || !std::isfinite(scrollSpeed_)) return;
    cancelPerformAfterDelay(kScrollAction);
    cancelPerformAfterDelay(kShadowAction);
    scrollView_->layer().removeAllAnimations();

    const double w = mainLabel()->frame().width;
    const double travel = w + static_cast<double>(labelSpacing_);
    const bool towardsLeft = scrollDirection_ == 1;
    const gfx::Point start{towardsLeft ? 0 : travel, 0};
    const gfx::Point end{towardsLeft ? travel : 0, 0};
    scrollView_->setContentOffset(start);
    const double pause = pauseInterval_ > 0 ? pauseInterval_ : 0;
    performAfterDelay(kShadowAction, seconds(pause));

    std::weak_ptr<VLMarqueeLabel> weakSelf = std::static_pointer_cast<VLMarqueeLabel>(shared_from_this());
    auto scroller = scrollView_;
    ui::View::animate(
        w / static_cast<double>(scrollSpeed_), pause,
        animationOptions_ | ui::AnimationOptionAllowUserInteraction,
        [scroller, end] { scroller->setContentOffset(end); },
        [weakSelf](bool finished) {
            auto self = weakSelf.lock();
            if (!self) return;
            self->scrolling_ = false;
            self->applyGradientMaskForFadeLength(self->fadeLength_, false);
            if (finished) self->scrollLabelIfNeeded();
        });
}

void VLMarqueeLabel::enableShadow() {
    scrolling_ = true;
    applyGradientMaskForFadeLength(fadeLength_, true);
}

void VLMarqueeLabel::applyGradientMaskForFadeLength(double length, bool enableFade) {
    const gfx::Size size = bounds().size();
    if (!textIsWiderThanView() || !(size.width > 0)) length = 0;
    if (!(length > 0)) {
        layer().setMask(std::nullopt);
        return;
    }
    // Past half the width the two fades would cross; they then meet in the middle.
    const double f = std::min(length / size.width, 0.5);
    std::array<double, 4> locations{0, f, 1 - f, 1};
    if (!enableFade && scrollDirection_ == 1) locations = {0, 0, 1 - f, 1};
    if (!enableFade && scrollDirection_ == 0) locations = {0, 0, 1, 1};
    const gfx::Color clear = gfx::Color::clear(), black = gfx::Color::blackColor();
    const double midY = size.height / 2;
    layer().setMask(gfx::LinearGradient{
        {0, midY},
        {size.width, midY},
        {{locations[0], clear}, {locations[1], black}, {locations[2], black}, {locations[3], clear}}});
}

void VLMarqueeLabel::observeApplicationNotifications() {
    observations_.clear();
    auto& center = base::NotificationCenter::defaultCenter();
    std::weak_ptr<VLMarqueeLabel> weakSelf = std::static_pointer_cast<VLMarqueeLabel>(shared_from_this());
    for (const char* name :
         {ui::Application::kWillEnterForegroundNotification, ui::Application::kDidBecomeActiveNotification}) {
        observations_.push_back(center.addObserver(name, [weakSelf](const base::Notification&) {
            if (auto self = weakSelf.lock()) self->scrollLabelIfNeeded();
        }));
    }
}

void VLMarqueeLabel::onUIApplicationDidChangeStatusBarOrientationNotification() {
    // The single-precision 0.1 widened, as the delay has always been.
    const double delay = static_cast<double>(0.1f);
    performAfterDelay(kRefreshAction, seconds(delay));
    performAfterDelay(kScrollAction, seconds(delay));
}
