#include "ui/TextView.h"

#include <algorithm>
#include <cmath>

#include "gfx/Painter.h"
#include "ui/Keyboard.h"
#include "ui/PanGestureRecognizer.h"
#include "ui/TapGestureRecognizer.h"
#include "ui/Touch.h"
#include "ui/Window.h"

namespace ui {
namespace {

constexpr double kDefaultFontSize = 12;
constexpr double kCaretWidth = 2;
constexpr const char* kSelectWordAction = "textViewSelectWord";

}  // namespace

std::shared_ptr<TextView> TextView::create() {
    std::shared_ptr<TextView> view(new TextView());
    view->addGestureRecognizer(view->panGestureRecognizer());
    view->addGestureRecognizer(view->doubleTap_);
    return view;
}

TextView::TextView()
    : font_(gfx::Font::system(kDefaultFontSize)),
      textColor_(gfx::Color::label()),
      doubleTap_(TapGestureRecognizer::create()) {
    setBackgroundColor(gfx::Color::systemBackground());
    doubleTap_->setNumberOfTapsRequired(2);
    registerAction(kSelectWordAction, [this] { selectWordAtTap(); });
    doubleTap_->addTarget(std::weak_ptr<Responder>(), kSelectWordAction);  // the chain starts here
}

void TextView::setText(std::string_view text) {
    buffer_.setText(text);
    textDidChange();
}

void TextView::setFont(gfx::Font font) {
    font_ = std::move(font);
    textDidChange();
}

void TextView::setEditable(bool editable) {
    editable_ = editable;
    if (!editable) resignFirstResponder();
}

void TextView::setDelegate(const std::weak_ptr<TextViewDelegate>& delegate) {
    delegate_ = delegate;
    ScrollView::setDelegate(delegate);
}

void TextView::setSelectable(bool selectable) {
    selectable_ = selectable;
    doubleTap_->setEnabled(selectable);
    if (!selectable) buffer_.setCaret(buffer_.selection().end());
}

void TextView::setScrollEnabled(bool enabled) {
    ScrollView::setScrollEnabled(enabled);
    if (!enabled) setContentOffset(offsetLimits().min);
    invalidateIntrinsicContentSize();
}

void TextView::setTextContainerInset(EdgeInsets inset) {
    inset_ = inset;
    textDidChange();
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

gfx::TextLayout TextView::containerLayout() const {
    return layoutAt(textContainerRect().width - 2 * kLineFragmentPadding);
}

gfx::Point TextView::layoutPoint(gfx::Point point) const {
    gfx::Rect container = textContainerRect();
    return {point.x - container.x - kLineFragmentPadding, point.y - container.y};
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
    if (isScrollEnabled() || bounds().width <= 0) return {kNoIntrinsicMetric, kNoIntrinsicMetric};
    return {kNoIntrinsicMetric, sizeThatFits(bounds().size()).height};
}

gfx::Rect TextView::textContainerRect() const {
    double width = bounds().width;
    double height = std::max(bounds().height, contentSize().height);
    return {inset_.left, inset_.top, std::max(0.0, width - inset_.left - inset_.right),
            std::max(0.0, height - inset_.top - inset_.bottom)};
}

gfx::Rect TextView::caretRect() const {
    gfx::Rect container = textContainerRect();
    gfx::Rect caret = containerLayout().caretRect(buffer_.prefix(buffer_.caret()).size());
    double height = caret.height > 0 ? caret.height : std::ceil(font_.metrics().lineHeight);
    return {container.x + kLineFragmentPadding + caret.x, container.y + caret.y, kCaretWidth, height};
}

std::vector<gfx::Rect> TextView::selectionRects() const {
    CharacterRange selected = buffer_.selection();
    if (selected.length == 0) return {};
    gfx::Rect container = textContainerRect();
    auto rects = containerLayout().rangeRects(buffer_.prefix(selected.location).size(),
                                              buffer_.prefix(selected.end()).size());
    for (auto& rect : rects)
        rect = {rect.x + container.x + kLineFragmentPadding, rect.y + container.y, rect.width, rect.height};
    return rects;
}

std::size_t TextView::characterIndexAtPoint(gfx::Point point) const {
    return buffer_.characterIndexAtPoint(containerLayout(), layoutPoint(point));
}

// The content is the text at the view's width. When it shrinks under a resting offset (text
// deleted at the bottom), the offset comes back into range.
void TextView::updateContentSize() {
    double width = bounds().width;
    gfx::Size size = width > 0 ? sizeThatFits({width, 0}) : gfx::Size{0, 0};
    if (size != contentSize()) setContentSize(size);
    if (isDragging() || isDecelerating()) return;
    auto limits = offsetLimits();
    gfx::Point offset = contentOffset();
    gfx::Point resting{std::clamp(offset.x, limits.min.x, limits.max.x),
                       std::clamp(offset.y, limits.min.y, limits.max.y)};
    if (resting != offset) setContentOffset(resting);
}

void TextView::layoutSubviews() {
    updateContentSize();
    ScrollView::layoutSubviews();
}

void TextView::draw(gfx::Painter& painter, const gfx::Rect&) {
    painter.save();
    painter.clipToRect(bounds());
    gfx::Color highlight = tintColor().withAlphaComponent(kSelectionAlpha);
    for (const auto& rect : selectionRects()) painter.fillRect(rect, highlight);
    if (!text().empty()) {
        gfx::Rect container = textContainerRect();
        painter.drawText(containerLayout(), {container.x + kLineFragmentPadding, container.y}, textColor_);
    }
    if (editing_ && buffer_.selection().length == 0) painter.fillRect(caretRect(), tintColor());
    painter.restore();
}

// ---- Editing ----

bool TextView::becomeFirstResponder() {
    if (isFirstResponder()) return true;
    auto protector = shared_from_this();
    auto delegate = delegate_.lock();
    if (editable_ && delegate && !delegate->textViewShouldBeginEditing(*this)) return false;
    if (!View::becomeFirstResponder()) return false;
    editing_ = true;
    // A selection made before editing stays; otherwise typing starts at the end.
    if (buffer_.selection().length == 0) buffer_.setCaret(buffer_.characterCount());
    keyboardWindow_ = window();
    if (auto window = keyboardWindow_.lock()) Keyboard::show(*window);
    if (delegate) delegate->textViewDidBeginEditing(*this);
    return true;
}

bool TextView::resignFirstResponder() {
    if (!isFirstResponder()) return true;
    auto protector = shared_from_this();
    // A view made read-only ends editing whatever the delegate says.
    if (auto delegate = delegate_.lock(); editable_ && delegate && !delegate->textViewShouldEndEditing(*this))
        return false;
    if (!View::resignFirstResponder()) return false;
    endEditing();
    return true;
}

void TextView::endEditing() {
    if (!editing_) return;
    editing_ = false;
    if (auto window = keyboardWindow_.lock()) Keyboard::hideUnlessTyping(*window, *this);
    keyboardWindow_.reset();
    if (auto delegate = delegate_.lock()) delegate->textViewDidEndEditing(*this);
}

void TextView::didMoveToWindow() {
    if (editing_ && !isFirstResponder()) endEditing();
}

void TextView::insertText(std::string_view text) {
    if (!editing_ || text.empty()) return;
    change(buffer_.insertionRange(), std::string(text), &TextView::insertAtSelection);
}

void TextView::deleteBackward() {
    if (!editing_) return;
    Utf16Range range = buffer_.characterBeforeCaret();
    if (range.length == 0) return;
    change(range, std::string(), &TextView::deleteAtCaret);
}

void TextView::change(Utf16Range range, const std::string& replacement,
                      void (TextView::*edit)(const std::string&)) {
    auto protector = shared_from_this();
    if (auto delegate = delegate_.lock();
        delegate && !delegate->shouldChangeTextInRange(*this, range, replacement))
        return;
    (this->*edit)(replacement);
    edited();
}

void TextView::textDidChange() {
    invalidateIntrinsicContentSize();
    updateContentSize();
}

// After a person's edit the caret's line, with the container's insets around it, is brought
// into view, so typing at the bottom of a long text keeps the caret visible.
void TextView::edited() {
    auto protector = shared_from_this();
    textDidChange();
    if (isScrollEnabled()) {
        gfx::Rect caret = caretRect();
        scrollRectToVisible(
            {caret.x, caret.y - inset_.top, caret.width, caret.height + inset_.top + inset_.bottom}, false);
    }
    if (auto delegate = delegate_.lock()) {
        delegate->textViewDidChange(*this);
        delegate->textViewDidChangeSelection(*this);
    }
}

void TextView::selectionChanged() {
    if (auto delegate = delegate_.lock()) delegate->textViewDidChangeSelection(*this);
}

// ---- Touches ----
// An editable view keeps its touches; any other hands them on (a selectable one first
// drops its selection on a tap).

void TextView::touchesBegan(const Touches& touches) {
    if (!editable_) ScrollView::touchesBegan(touches);
}

void TextView::touchesMoved(const Touches& touches) {
    if (!editable_) ScrollView::touchesMoved(touches);
}

void TextView::touchesCancelled(const Touches& touches) {
    if (!editable_) ScrollView::touchesCancelled(touches);
}

void TextView::touchesEnded(const Touches& touches) {
    if (!editable_) {
        if (selectable_) buffer_.setCaret(buffer_.selection().end());
        return ScrollView::touchesEnded(touches);
    }
    gfx::Point point = touches.front().locationInView(this);
    if (!pointInside(point) || !becomeFirstResponder()) return;
    buffer_.setCaret(buffer_.caretIndexAtPoint(containerLayout(), layoutPoint(point)));
    selectionChanged();
}

void TextView::selectWordAtTap() {
    if (!selectable_) return;
    std::size_t index = characterIndexAtPoint(doubleTap_->locationInView(this));
    if (editable_ && !becomeFirstResponder()) return;
    buffer_.select(buffer_.wordAt(index));
    selectionChanged();
}

// The pan scrolls only a text longer than the view; otherwise it lets the touch go to the
// views behind, so a table holding a short text view still scrolls under the finger.
bool TextView::gestureRecognizerShouldBegin(GestureRecognizer& recognizer) {
    if (&recognizer != panGestureRecognizer().get())
        return ScrollView::gestureRecognizerShouldBegin(recognizer);
    auto limits = offsetLimits();
    return limits.max.y > limits.min.y || alwaysBounceVertical() || alwaysBounceHorizontal();
}

}  // namespace ui
