#include "ui/TextField.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "gfx/Painter.h"
#include "ui/Keyboard.h"
#include "ui/Touch.h"
#include "ui/Window.h"

namespace ui {
namespace {

constexpr double kDefaultFontSize = 17;

// Line breaks inside typed or pasted text: a field holds one line.
std::string withoutLineBreaks(std::string_view text) {
    std::string line;
    line.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;  // CR LF is one break
        line += (text[i] == '\n' || text[i] == '\r') ? ' ' : text[i];
    }
    return line;
}

}  // namespace

std::shared_ptr<TextField> TextField::create() { return std::shared_ptr<TextField>(new TextField()); }

TextField::TextField() : font_(gfx::Font::system(kDefaultFontSize)), textColor_(gfx::Color::label()) {}

void TextField::setText(std::string_view text) {
    buffer_.setText(withoutLineBreaks(text));
    contentDidChange();
}

void TextField::setPlaceholder(std::string placeholder) {
    placeholder_ = std::move(placeholder);
    invalidateIntrinsicContentSize();
}

void TextField::setFont(gfx::Font font) {
    font_ = std::move(font);
    invalidateIntrinsicContentSize();
}

void TextField::setLeftView(std::shared_ptr<View> view) { setAccessory(leftView_, std::move(view)); }
void TextField::setRightView(std::shared_ptr<View> view) { setAccessory(rightView_, std::move(view)); }

void TextField::setAccessory(std::shared_ptr<View>& slot, std::shared_ptr<View> view) {
    if (slot == view) return;
    if (slot && slot->superview().get() == this) slot->removeFromSuperview();
    slot = std::move(view);
    if (slot) addSubview(slot);
    setNeedsLayout();
    invalidateIntrinsicContentSize();
}

void TextField::setLeftViewMode(TextFieldViewMode mode) {
    leftViewMode_ = mode;
    setNeedsLayout();
}

void TextField::setRightViewMode(TextFieldViewMode mode) {
    rightViewMode_ = mode;
    setNeedsLayout();
}

void TextField::setClearButtonMode(TextFieldViewMode mode) {
    clearButtonMode_ = mode;
    setNeedsLayout();
}

// ---- Editing ----

bool TextField::becomeFirstResponder() {
    if (isFirstResponder()) return true;
    if (!window() || !canBecomeFirstResponder()) return false;
    auto protector = shared_from_this();
    if (auto delegate = delegate_.lock(); delegate && !delegate->textFieldShouldBeginEditing(*this))
        return false;
    if (!Control::becomeFirstResponder()) return false;
    beginEditing();
    return true;
}

bool TextField::resignFirstResponder() {
    if (!isFirstResponder()) return true;
    auto protector = shared_from_this();
    if (auto delegate = delegate_.lock(); delegate && !delegate->textFieldShouldEndEditing(*this))
        return false;
    if (!Control::resignFirstResponder()) return false;
    endEditing();
    return true;
}

void TextField::beginEditing() {
    editing_ = true;
    buffer_.setCaret(buffer_.characterCount());
    setNeedsLayout();
    keyboardWindow_ = window();
    if (auto delegate = delegate_.lock()) delegate->textFieldDidBeginEditing(*this);
    sendActionsForControlEvents(ControlEventEditingDidBegin);
    // The delegate or a target may have moved the focus on already.
    if (auto window = keyboardWindow_.lock(); window && isFirstResponder()) Keyboard::show(*window);
}

void TextField::endEditing() {
    if (!editing_) return;
    editing_ = false;
    setNeedsLayout();
    if (auto window = keyboardWindow_.lock()) Keyboard::hideUnlessTyping(*window, *this);
    keyboardWindow_.reset();
    if (auto delegate = delegate_.lock()) delegate->textFieldDidEndEditing(*this);
    sendActionsForControlEvents(ControlEventEditingDidEnd);
}

void TextField::didMoveToWindow() {
    // The window forces its first responder out when it leaves, even one whose delegate
    // refused to end editing; editing ends with it.
    if (editing_ && !isFirstResponder()) endEditing();
}

void TextField::insertText(std::string_view text) {
    if (!editing_) return;
    if (text == "\n" || text == "\r" || text == "\r\n") {
        returnKey();
        return;
    }
    std::string line = withoutLineBreaks(text);
    if (line.empty()) return;
    change(buffer_.insertionRange(), line, &TextField::insertAtCaret);
}

void TextField::deleteBackward() {
    if (!editing_ || buffer_.caret() == 0) return;
    change(buffer_.characterBeforeCaret(), std::string(), &TextField::deleteAtCaret);
}

void TextField::change(Utf16Range range, const std::string& replacement,
                       void (TextField::*edit)(const std::string&)) {
    auto protector = shared_from_this();
    if (auto delegate = delegate_.lock();
        delegate && !delegate->shouldChangeCharactersInRange(*this, range, replacement))
        return;
    (this->*edit)(replacement);
    contentDidChange();
    sendActionsForControlEvents(ControlEventEditingChanged);
}

void TextField::insertAtCaret(const std::string& text) { buffer_.insert(text); }
void TextField::deleteAtCaret(const std::string&) { buffer_.deleteBackward(); }

void TextField::moveCaret(int delta) { buffer_.moveCaret(delta); }

bool TextField::returnKey() {
    if (!editing_) return false;
    auto protector = shared_from_this();
    if (auto delegate = delegate_.lock(); delegate && !delegate->textFieldShouldReturn(*this)) return false;
    sendActionsForControlEvents(ControlEventPrimaryActionTriggered);
    return true;
}

void TextField::clear() {
    auto protector = shared_from_this();
    if (auto delegate = delegate_.lock(); delegate && !delegate->textFieldShouldClear(*this)) return;
    if (!editing_ && !becomeFirstResponder()) return;
    if (text().empty()) return;
    buffer_.setText("");
    contentDidChange();
    sendActionsForControlEvents(ControlEventEditingChanged);
}

void TextField::contentDidChange() {
    setNeedsLayout();  // the clear button follows the text
    invalidateIntrinsicContentSize();
}

// ---- Touches ----

void TextField::touchesBegan(const Touches& touches) {
    touchDown_ = isEnabled() && pointInside(touches.front().locationInView(this));
}

void TextField::touchesEnded(const Touches& touches) {
    if (!touchDown_) return;
    touchDown_ = false;
    gfx::Point point = touches.front().locationInView(this);
    if (!pointInside(point)) return;
    auto protector = shared_from_this();
    if (isClearButtonVisible() && clearButtonRect().contains(point)) {
        clear();
    } else if (becomeFirstResponder()) {
        placeCaretAt(point);
    }
}

void TextField::placeCaretAt(gfx::Point point) {
    gfx::TextLayout layout = textLayout();
    gfx::Rect column = textRect();
    double x = point.x - column.x - textOffset(layout);
    buffer_.setCaret(buffer_.caretIndexAtPoint(layout, {x, layout.size().height / 2}));
}

// ---- Geometry ----

bool TextField::showsInMode(TextFieldViewMode mode, bool editing) {
    switch (mode) {
        case TextFieldViewMode::Never:
            return false;
        case TextFieldViewMode::WhileEditing:
            return editing;
        case TextFieldViewMode::UnlessEditing:
            return !editing;
        case TextFieldViewMode::Always:
            return true;
    }
    return false;
}

bool TextField::showsLeftView() const { return leftView_ && showsInMode(leftViewMode_, editing_); }
bool TextField::showsRightView() const { return rightView_ && showsInMode(rightViewMode_, editing_); }

bool TextField::isClearButtonVisible() const {
    return !text().empty() && showsInMode(clearButtonMode_, editing_);
}

gfx::Rect TextField::clearButtonRect() const {
    if (!isClearButtonVisible()) return {};
    double trailing = bounds().width - (showsRightView() ? rightView_->bounds().width : 0);
    return {trailing - kClearButtonColumn, 0, kClearButtonColumn, bounds().height};
}

gfx::Rect TextField::textRect() const {
    double left = showsLeftView() ? leftView_->bounds().width : 0;
    double right = bounds().width - (showsRightView() ? rightView_->bounds().width : 0);
    if (isClearButtonVisible()) right -= kClearButtonColumn;
    return {left, 0, std::max(0.0, right - left), bounds().height};
}

void TextField::layoutSubviews() {
    auto place = [&](const std::shared_ptr<View>& view, bool shown, bool leading) {
        if (!view) return;
        view->setHidden(!shown);
        gfx::Size size = view->bounds().size();
        double x = leading ? 0 : bounds().width - size.width;
        view->setFrame({x, (bounds().height - size.height) / 2, size.width, size.height});
    };
    place(leftView_, showsLeftView(), true);
    place(rightView_, showsRightView(), false);
}

gfx::TextLayout TextField::textLayout() const {
    gfx::TextLayout layout(text().empty() ? placeholder_ : text(), font_);
    layout.setAlignment(gfx::TextAlignment::Left);
    return layout;
}

double TextField::textOffset(const gfx::TextLayout& layout) const {
    const double column = textRect().width, width = layout.size().width;
    if (width > column) {
        if (!editing_) return 0;
        // Slide the text left just enough to keep the caret in view.
        double caretX = layout.caretRect(buffer_.prefix(buffer_.caret()).size()).x;
        return -std::clamp(caretX + kCaretWidth - column, 0.0, width + kCaretWidth - column);
    }
    gfx::TextAlignment alignment = alignment_;
    if (alignment == gfx::TextAlignment::Natural)
        alignment = effectiveLayoutDirection() == LayoutDirection::RightToLeft ? gfx::TextAlignment::Right
                                                                               : gfx::TextAlignment::Left;
    switch (alignment) {
        case gfx::TextAlignment::Center:
            return (column - width) / 2;
        case gfx::TextAlignment::Right:
            return column - width;
        default:
            return 0;
    }
}

gfx::Rect TextField::caretRect() const {
    gfx::TextLayout layout(text(), font_);
    layout.setAlignment(gfx::TextAlignment::Left);
    gfx::Rect column = textRect();
    double height = std::ceil(font_.metrics().lineHeight);
    double x = column.x + textOffset(layout) + layout.caretRect(buffer_.prefix(buffer_.caret()).size()).x;
    return {std::max(column.x, std::min(x, column.maxX() - kCaretWidth)), (bounds().height - height) / 2,
            kCaretWidth, height};
}

gfx::Size TextField::intrinsicContentSize() const {
    gfx::Size textSize = gfx::TextLayout::measure(text().empty() ? placeholder_ : text(), font_);
    double width = std::ceil(textSize.width) + kCaretWidth;
    double height = std::ceil(font_.metrics().lineHeight);
    for (const auto& view : {leftView_, rightView_}) {
        if (!view) continue;
        width += view->bounds().width;
        height = std::max(height, view->bounds().height);
    }
    if (clearButtonMode_ != TextFieldViewMode::Never) width += kClearButtonColumn;
    return {width, height};
}

// ---- Drawing ----

void TextField::draw(gfx::Painter& painter, const gfx::Rect&) {
    gfx::Rect column = textRect();
    gfx::TextLayout layout = textLayout();
    const bool placeholder = text().empty();
    if (!layout.text().empty()) {
        painter.save();
        painter.clipToRect(column);
        gfx::Point origin{column.x + textOffset(layout), (bounds().height - layout.size().height) / 2};
        painter.drawText(layout, origin, placeholder ? gfx::Color::tertiaryLabel() : textColor_);
        painter.restore();
    }
    if (isClearButtonVisible()) {
        gfx::Rect button = clearButtonRect();
        gfx::Rect circle{button.midX() - kClearButtonSize / 2, button.midY() - kClearButtonSize / 2,
                         kClearButtonSize, kClearButtonSize};
        painter.fillEllipse(circle, gfx::Color::tertiaryLabel());
        // The cross: two thin rotated bars.
        for (double angle : {std::numbers::pi / 4, -std::numbers::pi / 4}) {
            painter.save();
            painter.translate(circle.midX(), circle.midY());
            painter.rotate(angle);
            painter.fillRect({-4.5, -0.75, 9, 1.5}, gfx::Color::whiteColor());
            painter.restore();
        }
    }
    if (editing_) painter.fillRect(caretRect(), tintColor());
}

}  // namespace ui
