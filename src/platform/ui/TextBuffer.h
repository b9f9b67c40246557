#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "gfx/TextLayout.h"

namespace ui {

// A range of text in UTF-16 code units, as text delegates receive it: a character outside
// the Basic Multilingual Plane (most emoji) counts two, a flag four.
struct Utf16Range {
    std::size_t location = 0;
    std::size_t length = 0;
    bool operator==(const Utf16Range&) const = default;
};

// A range of text in user-perceived characters; an empty one is a caret position.
struct CharacterRange {
    std::size_t location = 0;
    std::size_t length = 0;
    std::size_t end() const { return location + length; }
    bool operator==(const CharacterRange&) const = default;
};

// The text of an editor with its caret and selection. The text is always well-formed UTF-8 (ill-formed
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
    // Moves the caret by `delta` characters, stopping at either end. A selection collapses
    // to its start (delta < 0) or end (delta > 0) instead.
    void moveCaret(int delta);

    // The selected characters; empty at the caret when nothing is selected. Selecting clamps
    // the range to the text and puts the caret at its end; setting the caret clears it.
    CharacterRange selection() const;
    void select(CharacterRange range);
    // The word (or run of spaces, or punctuation mark) holding character `index`.
    CharacterRange wordAt(std::size_t index) const;

    // What typing replaces (the selection, empty at the caret) and what delete removes (the
    // selection, else the character before the caret, empty at the start), in UTF-16 units.
    Utf16Range insertionRange() const;
    Utf16Range characterBeforeCaret() const;

    // Inserts in place of the selection and moves the caret past the insertion.
    void insert(std::string_view text);
    // Removes the selection, else the character before the caret; false when neither exists.
    bool deleteBackward();

    // Where a tap at `point` lands in `layout` (this buffer's text laid out, in its
    // coordinates): the caret position nearest to it, and the character under it.
    std::size_t caretIndexAtPoint(const gfx::TextLayout& layout, gfx::Point point) const;
    std::size_t characterIndexAtPoint(const gfx::TextLayout& layout, gfx::Point point) const;
    // The character boundary at or after byte `byte`.
    std::size_t characterIndexAtByte(std::size_t byte) const;

    // The text before the character at `index` (for measuring where the caret is drawn).
    std::string_view prefix(std::size_t index) const;

private:
    std::size_t byteOffset(std::size_t index) const { return boundaries_[index]; }
    std::size_t utf16Offset(std::size_t index) const;
    void reindex();
    // Erases the selection (if any) and leaves the caret where it was.
    void eraseSelection();
    // Puts the caret at the boundary at or after byte `byte` and clears the selection.
    void setCaretAtByte(std::size_t byte);

    std::string text_;
    std::vector<std::size_t> boundaries_{0};
    std::size_t caret_ = 0;
    std::size_t anchor_ = 0;  // the other end of the selection (the caret when none)
};

}  // namespace ui
