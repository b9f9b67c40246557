#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "gfx/Font.h"
#include "gfx/TextLayout.h"
#include "ui/EdgeInsets.h"
#include "ui/KeyInput.h"
#include "ui/TextBuffer.h"
#include "ui/View.h"

namespace ui {

class Window;

// Multi-line text, wrapped at word boundaries within the text container: the bounds less
// `textContainerInset` (8 points top and bottom, none at the sides) and less the line
// fragment padding (5 points at each side), as the platform lays text out.
//
// Its content height gives a self-sizing cell its height: the intrinsic height is that of
// the text wrapped at the view's width plus the insets (an empty text view is one line high),
// and the window measures it again whenever constraints change the width. This view does not
// scroll yet: `scrollEnabled` is stored, and text longer than the bounds is clipped.
//
// When editable, a tap makes it first responder (showing the keyboard) and typing works as in
// a text field, line breaks included. A view that is not editable passes its touches on to
// the next responder, so a tap reaches the cell it sits in.
class TextView : public View, public KeyInput {
public:
    static constexpr double kLineFragmentPadding = 5;
    static constexpr EdgeInsets kDefaultTextContainerInset{8, 0, 8, 0};

    static std::shared_ptr<TextView> create();
    const char* className() const override { return "TextView"; }

    const std::string& text() const { return buffer_.text(); }
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
    void setSelectable(bool selectable) { selectable_ = selectable; }
    bool isScrollEnabled() const { return scrollEnabled_; }
    void setScrollEnabled(bool enabled) { scrollEnabled_ = enabled; }
    EdgeInsets textContainerInset() const { return inset_; }
    void setTextContainerInset(EdgeInsets inset);

    // In user-perceived characters.
    std::size_t caretIndex() const { return buffer_.caret(); }
    void moveCaret(int delta) { buffer_.moveCaret(delta); }
    // Called after every edit a person makes (not for setText).
    void setOnChange(std::function<void(TextView&)> onChange) { onChange_ = std::move(onChange); }

    // KeyInput; typing reaches the view only while it is first responder.
    bool hasText() const override { return !text().empty(); }
    void insertText(std::string_view text) override;
    void deleteBackward() override;

    bool canBecomeFirstResponder() const override { return editable_; }
    bool becomeFirstResponder() override;
    bool resignFirstResponder() override;

    // The rectangle the text is laid out in, in bounds coordinates.
    gfx::Rect textContainerRect() const;
    gfx::Rect caretRect() const;

    gfx::Size sizeThatFits(gfx::Size size) const override;
    gfx::Size intrinsicContentSize() const override;
    bool intrinsicContentSizeDependsOnWidth() const override { return true; }
    bool hasContent() const override { return true; }
    void draw(gfx::Painter& painter, const gfx::Rect& rect) override;

    void touchesBegan(const Touches& touches) override;
    void touchesEnded(const Touches& touches) override;
    void didMoveToWindow() override;

protected:
    TextView();

private:
    // The text laid out at `textWidth` (the container less the padding).
    gfx::TextLayout layoutAt(double textWidth) const;
    double textHeightAt(double width) const;
    void edited();
    void endEditing();

    TextBuffer buffer_;
    gfx::Font font_;
    gfx::Color textColor_;
    gfx::TextAlignment alignment_ = gfx::TextAlignment::Natural;
    bool editable_ = true;
    bool selectable_ = true;
    bool scrollEnabled_ = true;
    bool editing_ = false;
    EdgeInsets inset_ = kDefaultTextContainerInset;
    std::function<void(TextView&)> onChange_;
    std::weak_ptr<Window> keyboardWindow_;
};

}  // namespace ui
