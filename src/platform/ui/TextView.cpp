#include "ui/TextView.h"

#include <algorithm>
#include <cmath>

#include "gfx/Painter.h"
#include "ui/Keyboard.h"
#include "ui/Touch.h"
#include "ui/Window.h"

namespace ui {
namespace {

constexpr double kDefaultFontSize = 12;
constexpr double kCaretWidth = 2;

}  // namespace

std::shared_ptr<TextView> TextView::create() { return std::shared_ptr<TextView>(new TextView()); }

TextView::TextView() : font_(gfx::Font::system(kDefaultFontSize)), textColor_(gfx::Color::label()) {
    setBackgroundColor(gfx::Color::systemBackground());
}

void TextView::setText(std::string_view text) {
    buffer_.setText(text);
    invalidateIntrinsicContentSize();
}

void TextView::setFont(gfx::Font font) {
    font_ = std::move(font);
    invalidateIntrinsicContentSize();
}

void TextView::setEditable(bool editable) {
    editable_ = editable;
    if (!editable) resignFirstResponder();
}

void TextView::setTextContainerInset(EdgeInsets inset) {
    inset_ = inset;
    invalidateIntrinsicContentSize();
}

// ---- Measuring ----

gfx::TextLayout TextView::layoutAt(double textWidth) const {
    gfx::TextLayout layout(text(), font_);
    layout.setWidth(std::max(0.0, textWidth));
    layout.setLineBreak(gfx::LineBreak::WordWrap);
    gfx::TextAlignment alignment = alignment_;
    if (alignment == gfx::TextAlignment::Natural)
        alignment = effectiveLayoutDirection() == LayoutDirection::RightToLeft ? gfx::TextAlignment::Right
                                                                               : gfx::TextAlignment::Left;
    layout.setAlignment(alignment);
    return layout;
}

double TextView::textHeightAt(double width) const {
    double lineHeight = std::ceil(font_.metrics().lineHeight);
    if (text().empty()) return lineHeight;
    double textWidth = width - inset_.left - inset_.right - 2 * kLineFragmentPadding;
    // A text that ends in a line break shows an empty last line for the caret.
    double trailingLine = text().back() == '\n' ? lineHeight : 0;
    return std::max(lineHeight, std::ceil(layoutAt(textWidth).size().height) + trailingLine);
}

gfx::Size TextView::sizeThatFits(gfx::Size size) const {
    double width = size.width > 0 ? size.width : bounds().width;
    return {width, textHeightAt(width) + inset_.top + inset_.bottom};
}

gfx::Size TextView::intrinsicContentSize() const {
    if (bounds().width <= 0) return {kNoIntrinsicMetric, kNoIntrinsicMetric};
    return {kNoIntrinsicMetric, sizeThatFits(bounds().size()).height};
}

gfx::Rect TextView::textContainerRect() const {
    gfx::Rect b = bounds();
    return {b.x + inset_.left, b.y + inset_.top, std::max(0.0, b.width - inset_.left - inset_.right),
            std::max(0.0, b.height - inset_.top - inset_.bottom)};
}

gfx::Rect TextView::caretRect() const {
    gfx::Rect container = textContainerRect();
    gfx::TextLayout layout = layoutAt(container.width - 2 * kLineFragmentPadding);
    gfx::Rect caret = layout.caretRect(buffer_.prefix(buffer_.caret()).size());
    double height = caret.height > 0 ? caret.height : std::ceil(font_.metrics().lineHeight);
    return {container.x + kLineFragmentPadding + caret.x, container.y + caret.y, kCaretWidth, height};
}

void TextView::draw(gfx::Painter& painter, const gfx::Rect&) {
    gfx::Rect container = textContainerRect();
    painter.save();
    painter.clipToRect(bounds());
    if (!text().empty()) {
        gfx::TextLayout layout = layoutAt(container.width - 2 * kLineFragmentPadding);
        painter.drawText(layout, {container.x + kLineFragmentPadding, container.y}, textColor_);
    }
    if (editing_) painter.fillRect(caretRect(), tintColor());
    painter.restore();
}

// ---- Editing ----

bool TextView::becomeFirstResponder() {
    if (isFirstResponder()) return true;
    if (!View::becomeFirstResponder()) return false;
    editing_ = true;
    buffer_.setCaret(buffer_.characterCount());
    keyboardWindow_ = window();
    if (auto window = keyboardWindow_.lock()) Keyboard::show(*window);
    return true;
}

bool TextView::resignFirstResponder() {
    if (!isFirstResponder()) return true;
    if (!View::resignFirstResponder()) return false;
    endEditing();
    return true;
}

void TextView::endEditing() {
    if (!editing_) return;
    editing_ = false;
    if (auto window = keyboardWindow_.lock()) Keyboard::hideUnlessTyping(*window, *this);
    keyboardWindow_.reset();
}

void TextView::didMoveToWindow() {
    if (editing_ && !isFirstResponder()) endEditing();
}

void TextView::insertText(std::string_view text) {
    if (!editing_ || text.empty()) return;
    buffer_.insert(text);
    edited();
}

void TextView::deleteBackward() {
    if (!editing_ || !buffer_.deleteBackward()) return;
    edited();
}

void TextView::edited() {
    invalidateIntrinsicContentSize();
    auto protector = shared_from_this();
    if (onChange_) onChange_(*this);
}

// ---- Touches ----

void TextView::touchesBegan(const Touches& touches) {
    if (!editable_) View::touchesBegan(touches);
}

void TextView::touchesEnded(const Touches& touches) {
    if (!editable_) return View::touchesEnded(touches);
    gfx::Point point = touches.front().locationInView(this);
    if (!pointInside(point) || !becomeFirstResponder()) return;
    gfx::Rect container = textContainerRect();
    gfx::TextLayout layout = layoutAt(container.width - 2 * kLineFragmentPadding);
    std::size_t byte =
        layout.byteIndexAtPoint({point.x - container.x - kLineFragmentPadding, point.y - container.y});
    std::size_t index = 0;
    while (index < buffer_.characterCount() && buffer_.prefix(index).size() < byte) ++index;
    buffer_.setCaret(index);
}

}  // namespace ui
