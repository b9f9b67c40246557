#pragma once

#include <string_view>

#include "ui/Press.h"

namespace ui {

// What a keyboard types into: the first responder when it is a text input. Typing reaches an
// input only while it is being edited (it is the first responder); otherwise it is ignored.
class KeyInput {
public:
    virtual ~KeyInput() = default;
    virtual bool hasText() const = 0;
    // Inserts at the caret. A single "\n" is the return key.
    virtual void insertText(std::string_view text) = 0;
    // Deletes the user-perceived character before the caret.
    virtual void deleteBackward() = 0;
    // Moves the caret by `delta` user-perceived characters.
    virtual void moveCaret(int delta) = 0;

    // The keys every text input answers: Return types a newline, Backspace deletes, the left
    // and right arrows move the caret, Space is kept (its text arrives as typing). False for
    // any other key.
    bool handleEditingPress(const Press& press);
};

}  // namespace ui
