#include "ui/Label.h"

#include <cmath>

#include "gfx/Painter.h"

namespace ui {

namespace {

// Text sizes are rounded up to whole points, as the platform's labels report them.
gfx::Size ceilSize(gfx::Size size) { return {std::ceil(size.width), std::ceil(size.height)}; }

gfx::LineBreak lineBreakFor(LineBreakMode mode) {
    switch (mode) {
        case LineBreakMode::ByWordWrapping:
            return gfx::LineBreak::WordWrap;
        case LineBreakMode::ByCharWrapping:
            return gfx::LineBreak::CharWrap;
        case LineBreakMode::ByClipping:
            return gfx::LineBreak::Clip;
        case LineBreakMode::ByTruncatingHead:
            return gfx::LineBreak::TruncateHead;
        case LineBreakMode::ByTruncatingTail:
            return gfx::LineBreak::TruncateTail;
        case LineBreakMode::ByTruncatingMiddle:
            return gfx::LineBreak::TruncateMiddle;
    }
    return gfx::LineBreak::TruncateTail;
}

}  // namespace

std::shared_ptr<Label> Label::create(std::string text) {
    return std::shared_ptr<Label>(new Label(std::move(text)));
}

Label::Label(std::string text) : text_(std::move(text)), layout_(text_, font_) {
    // Labels hug their text a little harder than plain views, as on the platform.
    setContentHuggingPriority(LayoutPriority::kDefaultLow + 1, LayoutAxis::Horizontal);
    setContentHuggingPriority(LayoutPriority::kDefaultLow + 1, LayoutAxis::Vertical);
}

void Label::setText(std::string text) {
    if (text == text_ && !attributed_) return;
    text_ = std::move(text);
    attributed_.reset();
    layout_.setText(text_);
    textDidChange();
}

void Label::setAttributedText(AttributedString text) {
    text_ = text.string();
    layout_.setAttributedText(text);
    attributed_ = std::move(text);
    textDidChange();
}

void Label::setFont(gfx::Font font) {
    font_ = std::move(font);
    layout_.setFont(font_);
    textDidChange();
}

void Label::setNumberOfLines(int lines) {
    numberOfLines_ = lines < 0 ? 0 : lines;
    textDidChange();
}

void Label::setLineBreakMode(LineBreakMode mode) {
    if (mode == lineBreakMode_) return;
    lineBreakMode_ = mode;
    textDidChange();
}

void Label::setPreferredMaxLayoutWidth(double width) {
    width = std::max(0.0, width);
    if (width == preferredMaxLayoutWidth_) return;
    preferredMaxLayoutWidth_ = width;
    textDidChange();
}

void Label::textDidChange() {
    unboundedSize_.reset();
    invalidateIntrinsicContentSize();
}

gfx::TextLayout& Label::layoutFor(std::optional<double> width) const {
    layout_.setWidth(width);
    layout_.setMaximumLines(numberOfLines_);
    layout_.setLineBreak(lineBreakFor(lineBreakMode_));
    layout_.setAlignment(alignment_);
    return layout_;
}

gfx::Size Label::measure(std::optional<double> width) const {
    if (text_.empty()) return {0, 0};
    if (width) return ceilSize(layoutFor(width).size());
    if (!unboundedSize_) unboundedSize_ = ceilSize(layoutFor(std::nullopt).size());
    return *unboundedSize_;
}

gfx::Size Label::intrinsicContentSize() const {
    if (numberOfLines_ == 1) return measure(std::nullopt);
    double wrapWidth = preferredMaxLayoutWidth_ > 0 ? preferredMaxLayoutWidth_ : bounds().width;
    return measure(wrapWidth > 0 ? std::optional(wrapWidth) : std::nullopt);
}

bool Label::intrinsicContentSizeDependsOnWidth() const {
    return numberOfLines_ != 1 && preferredMaxLayoutWidth_ <= 0;
}

gfx::Size Label::sizeThatFits(gfx::Size size) const {
    if (numberOfLines_ != 1 && size.width > 0) return measure(size.width);
    return measure(std::nullopt);
}

void Label::draw(gfx::Painter& painter, const gfx::Rect& rect) {
    if (text_.empty()) return;
    // Measuring lays the text out without a width; when it fits as one line, that layout is
    // drawn where the width would put it instead of laying the text out again.
    gfx::TextLayout& measured = layoutFor(layout_.width());
    std::optional<double> offset = measured.lineOffsetWithin(rect.width);
    gfx::TextLayout& layout = offset ? measured : layoutFor(rect.width);
    gfx::Point origin{rect.x + offset.value_or(0), rect.y + (rect.height - layout.size().height) / 2};
    // A clipped line may run past the bounds; nothing else does.
    bool clips = lineBreakMode_ == LineBreakMode::ByClipping && layout.size().width > rect.width;
    if (clips) {
        painter.save();
        painter.clipToRect(rect);
    }
    if (shadowColor_ && shadowColor_->alpha() > 0)
        painter.drawTextShadow(layout, {origin.x + shadowOffset_.width, origin.y + shadowOffset_.height},
                               *shadowColor_);
    painter.drawText(layout, origin, textColor_);
    if (clips) painter.restore();
}

}  // namespace ui
