#pragma once

#include <string>

#include "ui/ScrollViewDelegate.h"
#include "ui/TextBuffer.h"

namespace ui {

class TextView;

// What a text view tells and asks its owner; it also hears the scrolling of the view. Every
// method has the platform's default, so a delegate overrides only what it cares about. Ranges
// are in UTF-16 code units of the current text.
class TextViewDelegate : public ScrollViewDelegate {
public:
    virtual bool textViewShouldBeginEditing(TextView&) { return true; }
    virtual void textViewDidBeginEditing(TextView&) {}
    virtual bool textViewShouldEndEditing(TextView&) { return true; }
    virtual void textViewDidEndEditing(TextView&) {}
    // Refusing leaves the text as it was and nothing is reported.
    virtual bool shouldChangeTextInRange(TextView&, Utf16Range, const std::string& /*replacement*/) {
        return true;
    }
    // After every edit a person makes (not for `setText`).
    virtual void textViewDidChange(TextView&) {}
    // After the selection or the caret moved through a touch or an edit.
    virtual void textViewDidChangeSelection(TextView&) {}
};

}  // namespace ui
