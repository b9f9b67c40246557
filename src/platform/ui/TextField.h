#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "gfx/Font.h"
#include "gfx/TextLayout.h"
#include "ui/Control.h"
#include "ui/KeyInput.h"
#include "ui/TextBuffer.h"
#include "ui/TextFieldDelegate.h"
#include "ui/TextInputTraits.h"

namespace ui {

class Window;

// One line of editable text. A tap focuses it (it becomes first responder, unless its
// delegate refuses), which shows the on-screen keyboard; resigning hides it.
//
// Typing goes through the KeyInput methods (the drawn keyboard and the hosts call them) and
// reaches the field only while it is being edited. Every change is offered to the delegate
// first as a range of UTF-16 code units and a replacement; a refusal leaves the text alone.
// The caret counts user-perceived characters, so delete removes a whole emoji or accented
// letter. Line breaks typed inside text become spaces; a lone "\n" is the return key.
//
// Layout, leading to trailing: the left view, the text, the clear button (a 19-point grey
// circle in a 28-point column) and the right view, each accessory shown as its mode says. The
// clear button shows only while there is text. Without text the placeholder is drawn in the
// placeholder grey (tertiary label colour). The caret is a 2-point bar in the tint colour; text
// wider than its column slides so that the caret stays in view.
//
// Events: editing did begin, editing changed (a person's edit, never `setText`), editing did
// end; the return key sends primary action triggered when the delegate agrees.
class TextField : public Control, public KeyInput {
public:
    static constexpr double kClearButtonSize = 19;
    static constexpr double kClearButtonColumn = 28;
    static constexpr double kCaretWidth = 2;

    static std::shared_ptr<TextField> create();
    const char* className() const override { return "TextField"; }

    const std::string& text() const { return buffer_.text(); }
    // Sets the text silently (no event, no delegate question); the caret goes to its end.
    void setText(std::string_view text);
    const std::string& placeholder() const { return placeholder_; }
    void setPlaceholder(std::string placeholder);
    const gfx::Font& font() const { return font_; }
    void setFont(gfx::Font font);
    const gfx::Color& textColor() const { return textColor_; }
    void setTextColor(gfx::Color color) { textColor_ = std::move(color); }
    gfx::TextAlignment textAlignment() const { return alignment_; }
    void setTextAlignment(gfx::TextAlignment alignment) { alignment_ = alignment; }

    const std::shared_ptr<View>& leftView() const { return leftView_; }
    void setLeftView(std::shared_ptr<View> view);
    TextFieldViewMode leftViewMode() const { return leftViewMode_; }
    void setLeftViewMode(TextFieldViewMode mode);
    const std::shared_ptr<View>& rightView() const { return rightView_; }
    void setRightView(std::shared_ptr<View> view);
    TextFieldViewMode rightViewMode() const { return rightViewMode_; }
    void setRightViewMode(TextFieldViewMode mode);
    TextFieldViewMode clearButtonMode() const { return clearButtonMode_; }
    void setClearButtonMode(TextFieldViewMode mode);

    AutocorrectionType autocorrectionType() const { return autocorrection_; }
    void setAutocorrectionType(AutocorrectionType type) { autocorrection_ = type; }
    AutocapitalizationType autocapitalizationType() const { return autocapitalization_; }
    void setAutocapitalizationType(AutocapitalizationType type) { autocapitalization_ = type; }
    ReturnKeyType returnKeyType() const { return returnKeyType_; }
    void setReturnKeyType(ReturnKeyType type) { returnKeyType_ = type; }
    KeyboardType keyboardType() const { return keyboardType_; }
    void setKeyboardType(KeyboardType type) { keyboardType_ = type; }

    std::shared_ptr<TextFieldDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::weak_ptr<TextFieldDelegate>& delegate) { delegate_ = delegate; }

    bool isEditing() const { return editing_; }
    // In user-perceived characters.
    std::size_t caretIndex() const { return buffer_.caret(); }
    void moveCaret(int delta) override;
    // Asks the delegate; on yes sends primary action triggered. The field stays first responder.
    bool returnKey();
    // What the clear button does: asks the delegate, empties the text and sends editing
    // changed; a field not being edited begins editing first.
    void clear();

    // KeyInput.
    bool hasText() const override { return !text().empty(); }
    void insertText(std::string_view text) override;
    void deleteBackward() override;
    bool pressesBegan(const Press& press) override {
        return handleEditingPress(press) || Control::pressesBegan(press);
    }

    bool canBecomeFirstResponder() const override { return isEnabled(); }
    bool becomeFirstResponder() override;
    bool resignFirstResponder() override;

    // Geometry, in bounds coordinates; empty rectangles for accessories not shown.
    gfx::Rect textRect() const;
    gfx::Rect clearButtonRect() const;
    bool isClearButtonVisible() const;
    // Where the caret is drawn.
    gfx::Rect caretRect() const;

    gfx::Size intrinsicContentSize() const override;
    gfx::Size sizeThatFits(gfx::Size) const override { return intrinsicContentSize(); }
    void layoutSubviews() override;
    bool hasContent() const override { return true; }
    void draw(gfx::Painter& painter, const gfx::Rect& rect) override;
    // A field handles its own touches (a tap focuses, places the caret or clears), so it
    // sends no touch events and keeps the primary action for the return key.
    void touchesBegan(const Touches& touches) override;
    void touchesMoved(const Touches&) override {}
    void touchesEnded(const Touches& touches) override;
    void touchesCancelled(const Touches&) override { touchDown_ = false; }
    void didMoveToWindow() override;

protected:
    TextField();

private:
    static bool showsInMode(TextFieldViewMode mode, bool editing);
    bool showsLeftView() const;
    bool showsRightView() const;
    gfx::TextLayout textLayout() const;
    // The horizontal offset of the text in textRect (alignment, and sliding to the caret).
    double textOffset(const gfx::TextLayout& layout) const;
    void setAccessory(std::shared_ptr<View>& slot, std::shared_ptr<View> view);
    // Offers the change to the delegate and applies `edit` if it agrees.
    void change(Utf16Range range, const std::string& replacement,
                void (TextField::*edit)(const std::string&));
    void insertAtCaret(const std::string& text);
    void deleteAtCaret(const std::string&);
    void beginEditing();
    void endEditing();
    void placeCaretAt(gfx::Point point);
    void contentDidChange();

    TextBuffer buffer_;
    std::string placeholder_;
    gfx::Font font_;
    gfx::Color textColor_;
    gfx::TextAlignment alignment_ = gfx::TextAlignment::Natural;
    std::shared_ptr<View> leftView_, rightView_;
    TextFieldViewMode leftViewMode_ = TextFieldViewMode::Never;
    TextFieldViewMode rightViewMode_ = TextFieldViewMode::Never;
    TextFieldViewMode clearButtonMode_ = TextFieldViewMode::Never;
    AutocorrectionType autocorrection_ = AutocorrectionType::Default;
    AutocapitalizationType autocapitalization_ = AutocapitalizationType::Sentences;
    ReturnKeyType returnKeyType_ = ReturnKeyType::Default;
    KeyboardType keyboardType_ = KeyboardType::Default;
    std::weak_ptr<TextFieldDelegate> delegate_;
    bool editing_ = false;
    bool touchDown_ = false;
    std::weak_ptr<Window> keyboardWindow_;  // where this field showed the keyboard
};

}  // namespace ui
