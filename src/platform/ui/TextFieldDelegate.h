#pragma once

#include <string>

#include "ui/TextBuffer.h"

namespace ui {

class TextField;

// What a text field asks its owner. Every method has the platform's default, so a delegate
// overrides only what it cares about. Ranges are in UTF-16 code units of the current text.
class TextFieldDelegate {
public:
    virtual ~TextFieldDelegate() = default;
    virtual bool textFieldShouldBeginEditing(TextField&) { return true; }
    virtual void textFieldDidBeginEditing(TextField&) {}
    virtual bool textFieldShouldEndEditing(TextField&) { return true; }
    virtual void textFieldDidEndEditing(TextField&) {}
    // Refusing leaves the text as it was; no editing-changed event is sent.
    virtual bool shouldChangeCharactersInRange(TextField&, Utf16Range, const std::string& /*replacement*/) {
        return true;
    }
    // Asked when the clear button is tapped.
    virtual bool textFieldShouldClear(TextField&) { return true; }
    // Asked when the return key is pressed; the field does not resign by itself.
    virtual bool textFieldShouldReturn(TextField&) { return true; }
};

}  // namespace ui
