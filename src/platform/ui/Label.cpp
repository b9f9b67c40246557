#include "ui/Label.h"

#include <cmath>

#include "gfx/Painter.h"

namespace ui {

namespace {

// Text sizes are rounded up to whole points, as the platform's labels report them.
gfx::Size ceilSize(gfx::Size size) { return {std::ceil(size.width), std::ceil(size.height)}; }

}  // namespace

std::shared_ptr<Label> Label::create(std::string text) {
    return std::shared_ptr<Label>(new Label(std::move(text)));
}

Label::Label(std::string text) : text_(std::move(text)) {
    // Labels hug their text a little harder than plain views, as on the platform.
    setContentHuggingPriority(LayoutPriority::kDefaultLow + 1, LayoutAxis::Horizontal);
    setContentHuggingPriority(LayoutPriority::kDefaultLow + 1, LayoutAxis::Vertical);
}

void Label::setText(std::string text) {
    if (text == text_) return;
    text_ = std::move(text);
    invalidateIntrinsicContentSize();
}

void Label::setFont(gfx::Font font) {
    font_ = std::move(font);
    invalidateIntrinsicContentSize();
}

void Label::setNumberOfLines(int lines) {
    numberOfLines_ = lines < 0 ? 0 : lines;
    invalidateIntrinsicContentSize();
}

gfx::Size Label::intrinsicContentSize() const {
    if (text_.empty()) return {0, 0};
    return ceilSize(gfx::TextLayout::measure(text_, font_, std::nullopt, numberOfLines_));
}

gfx::Size Label::sizeThatFits(gfx::Size size) const {
    if (text_.empty()) return {0, 0};
    std::optional<double> width;
    if (numberOfLines_ != 1 && size.width > 0) width = size.width;
    return ceilSize(gfx::TextLayout::measure(text_, font_, width, numberOfLines_));
}

void Label::draw(gfx::Painter& painter, const gfx::Rect& rect) {
    if (text_.empty()) return;
    gfx::TextLayout layout(text_, font_);
    layout.setWidth(rect.width);
    layout.setMaximumLines(numberOfLines_);
    layout.setAlignment(alignment_);
    double height = layout.size().height;
    painter.drawText(layout, {rect.x, rect.y + (rect.height - height) / 2}, textColor_);
}

}  // namespace ui
