#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "gfx/Font.h"
#include "gfx/TextLayout.h"
#include "ui/EdgeInsets.h"
#include "ui/KeyInput.h"
#include "ui/ScrollView.h"
#include "ui/TextBuffer.h"
#include "ui/TextViewDelegate.h"

namespace ui {

class TapGestureRecognizer;
class Window;

// Multi-line text, wrapped at word boundaries within the text container: the view's width
// less `textContainerInset` (8 points top and bottom, none at the sides) and less the line
// fragment padding (5 points at each side), as the platform lays text out.
//
// Scrolling: the text is the content of a scroll view, `contentSize` being the text's height
// plus the insets at the view's width. With `scrollEnabled` (the default) a pan drags a text
// taller than the view, with the scroll view's deceleration, bounce and indicator; a text that
// fits lets the pan go to the views behind (a table keeps scrolling). After each edit the
// caret is scrolled into view. With scrolling off the text never moves and the intrinsic
// height is the whole text's, which is how a self-sizing cell takes its height from it; a
// scrolling text view has no intrinsic size, as on the platform.
//
// Selection, in user-perceived characters: `selectedRange` (empty at the caret), drawn as a
// tint-coloured highlight behind the text. Typing replaces it and delete removes it. When
// selectable, a double tap selects the word under the finger; when editable, a tap makes the
// view first responder (showing the keyboard) and puts the caret at the touched character.
// A view that is not editable passes its touches on to the next responder, so a tap still
// reaches the cell it sits in.
class TextView : public ScrollView, public KeyInput {
public:
    static constexpr double kLineFragmentPadding = 5;
    static constexpr EdgeInsets kDefaultTextContainerInset{8, 0, 8, 0};
    static constexpr double kSelectionAlpha = 0.2;

    static std::shared_ptr<TextView> create();
    const char* className() const override { return "TextView"; }

    const std::string& text() const { return buffer_.text(); }
    // Puts the caret at the end of the new text.
    void setText(std::string_view text);
    const gfx::Font& font() const { return font_; }
    void setFont(gfx::Font font);
    const gfx::Color& textColor() const { return textColor_; }
    void setTextColor(gfx::Color color) { textColor_ = std::move(color); }
    gfx::TextAlignment textAlignment() const { return alignment_; }
    void setTextAlignment(gfx::TextAlignment alignment) { alignment_ = alignment; }
    bool isEditable() const { return editable_; }
    void setEditable(bool editable);
    bool isSelectable() const { return selectable_; }
    // A view that stops being selectable drops its selection.
    void setSelectable(bool selectable);
    // Turning scrolling off also scrolls back to the top.
    void setScrollEnabled(bool enabled) override;
    EdgeInsets textContainerInset() const { return inset_; }
    void setTextContainerInset(EdgeInsets inset);

    // In user-perceived characters; clamped to the text.
    CharacterRange selectedRange() const { return buffer_.selection(); }
    void setSelectedRange(CharacterRange range) { buffer_.select(range); }
    std::size_t caretIndex() const { return buffer_.caret(); }
    void moveCaret(int delta) override { buffer_.moveCaret(delta); }
    // The delegate (weak) is also the scroll view's delegate.
    std::shared_ptr<TextViewDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::weak_ptr<TextViewDelegate>& delegate);

    // KeyInput; typing reaches the view only while it is first responder.
    bool hasText() const override { return !text().empty(); }
    void insertText(std::string_view text) override;
    void deleteBackward() override;
    bool pressesBegan(const Press& press) override {
        return handleEditingPress(press) || ScrollView::pressesBegan(press);
    }

    bool canBecomeFirstResponder() const override { return editable_; }
    bool becomeFirstResponder() override;
    bool resignFirstResponder() override;

    // The rectangle the text is laid out in, in content coordinates (scrolling moves the
    // bounds over it).
    gfx::Rect textContainerRect() const;
    gfx::Rect caretRect() const;
    // The highlight of the selection (none when it is empty), in content coordinates.
    std::vector<gfx::Rect> selectionRects() const;
    // The character under a point in the view's bounds coordinates.
    std::size_t characterIndexAtPoint(gfx::Point point) const;

    gfx::Size sizeThatFits(gfx::Size size) const override;
    gfx::Size intrinsicContentSize() const override;
    bool intrinsicContentSizeDependsOnWidth() const override { return true; }
    bool hasContent() const override { return true; }
    void draw(gfx::Painter& painter, const gfx::Rect& rect) override;

    void touchesBegan(const Touches& touches) override;
    void touchesMoved(const Touches& touches) override;
    void touchesEnded(const Touches& touches) override;
    void touchesCancelled(const Touches& touches) override;
    bool gestureRecognizerShouldBegin(GestureRecognizer& recognizer) override;
    void didMoveToWindow() override;

protected:
    TextView();
    void layoutSubviews() override;

private:
    // The text laid out at `textWidth` (the container less the padding).
    gfx::TextLayout layoutAt(double textWidth) const;
    gfx::TextLayout containerLayout() const;
    // Converts between the view's bounds coordinates and the text layout's.
    gfx::Point layoutPoint(gfx::Point point) const;
    double textHeightAt(double width) const;
    void updateContentSize();
    void textDidChange();
    // Offers a change to the delegate and applies `edit` when it agrees.
    void change(Utf16Range range, const std::string& replacement, void (TextView::*edit)(const std::string&));
    void insertAtSelection(const std::string& text) { buffer_.insert(text); }
    void deleteAtCaret(const std::string&) { buffer_.deleteBackward(); }
    void edited();
    void selectionChanged();
    void endEditing();
    void selectWordAtTap();

    TextBuffer buffer_;
    gfx::Font font_;
    gfx::Color textColor_;
    gfx::TextAlignment alignment_ = gfx::TextAlignment::Natural;
    bool editable_ = true;
    bool selectable_ = true;
    bool editing_ = false;
    EdgeInsets inset_ = kDefaultTextContainerInset;
    std::weak_ptr<TextViewDelegate> delegate_;
    std::weak_ptr<Window> keyboardWindow_;
    std::shared_ptr<TapGestureRecognizer> doubleTap_;
};

}  // namespace ui
