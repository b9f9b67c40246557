#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

// A range of text in UTF-16 code units, as text delegates receive it: a character outside
// the Basic Multilingual Plane (most emoji) counts two, a flag four.
struct Utf16Range {
    std::size_t location = 0;
    std::size_t length = 0;
    bool operator==(const Utf16Range&) const = default;
};

// The text of an editor with its caret. The text is always well-formed UTF-8 (ill-formed
// input becomes U+FFFD); the caret sits between user-perceived characters (grapheme
// clusters), so moving or deleting never splits an emoji sequence or an accent from its
// letter. Ranges are offered in UTF-16 units for delegates.
class TextBuffer {
public:
    const std::string& text() const { return text_; }
    // Replaces the text and puts the caret at its end.
    void setText(std::string_view text);

    std::size_t characterCount() const { return boundaries_.size() - 1; }
    // In characters: 0 is before the first, characterCount() after the last.
    std::size_t caret() const { return caret_; }
    void setCaret(std::size_t caret);
    // Moves the caret by `delta` characters, stopping at either end.
    void moveCaret(int delta);

    // The range an insertion at the caret replaces (empty) and the range of the character
    // before the caret (empty at the start).
    Utf16Range insertionRange() const;
    Utf16Range characterBeforeCaret() const;

    // Inserts at the caret and moves the caret past the insertion.
    void insert(std::string_view text);
    // Removes the character before the caret; false when there is none.
    bool deleteBackward();

    // The text before the character at `index` (for measuring where the caret is drawn).
    std::string_view prefix(std::size_t index) const;

private:
    std::size_t byteOffset(std::size_t index) const { return boundaries_[index]; }
    std::size_t utf16Offset(std::size_t index) const;
    void reindex();

    std::string text_;
    std::vector<std::size_t> boundaries_{0};
    std::size_t caret_ = 0;
};

}  // namespace ui
