#pragma once

namespace ui {

// How an on-screen keyboard should treat a text input. The values are stored for the host
// and the kit to read; the drawn keyboard has one layout and does not correct or capitalise.
enum class AutocorrectionType { Default, No, Yes };
enum class AutocapitalizationType { None, Words, Sentences, AllCharacters };
enum class ReturnKeyType {
    Default,
    Go,
    Google,
    Join,
    Next,
    Route,
    Search,
    Send,
    Yahoo,
    Done,
    EmergencyCall,
    Continue
};
enum class KeyboardType {
    Default,
    AsciiCapable,
    NumbersAndPunctuation,
    URL,
    NumberPad,
    PhonePad,
    EmailAddress,
    DecimalPad
};

// When a text field shows an accessory (its left or right view, or its clear button).
enum class TextFieldViewMode { Never, WhileEditing, UnlessEditing, Always };

}  // namespace ui
