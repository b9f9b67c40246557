#include "ui/TextBuffer.h"

#include <algorithm>

#include "base/Strings.h"

namespace ui {

void TextBuffer::setText(std::string_view text) {
    text_ = base::strings::sanitized(text);
    reindex();
    caret_ = anchor_ = characterCount();
}

void TextBuffer::setCaret(std::size_t caret) { caret_ = anchor_ = std::min(caret, characterCount()); }

void TextBuffer::moveCaret(int delta) {
    CharacterRange selected = selection();
    if (selected.length > 0 && delta != 0) {
        setCaret(delta < 0 ? selected.location : selected.end());
    } else if (delta < 0) {
        auto back = std::size_t(-static_cast<long long>(delta));
        setCaret(back > caret_ ? 0 : caret_ - back);
    } else {
        setCaret(caret_ + std::size_t(delta));
    }
}

CharacterRange TextBuffer::selection() const {
    return {std::min(anchor_, caret_), std::max(anchor_, caret_) - std::min(anchor_, caret_)};
}

void TextBuffer::select(CharacterRange range) {
    anchor_ = std::min(range.location, characterCount());
    caret_ = anchor_ + std::min(range.length, characterCount() - anchor_);
}

CharacterRange TextBuffer::wordAt(std::size_t index) const {
    auto word = base::strings::wordAt(text_, byteOffset(std::min(index, characterCount())));
    std::size_t start = characterIndexAtByte(word.offset);
    return {start, characterIndexAtByte(word.offset + word.length) - start};
}

Utf16Range TextBuffer::insertionRange() const {
    CharacterRange selected = selection();
    std::size_t start = utf16Offset(selected.location);
    return {start, utf16Offset(selected.end()) - start};
}

Utf16Range TextBuffer::characterBeforeCaret() const {
    if (selection().length > 0) return insertionRange();
    if (caret_ == 0) return {0, 0};
    std::size_t start = utf16Offset(caret_ - 1);
    return {start, utf16Offset(caret_) - start};
}

void TextBuffer::insert(std::string_view text) {
    std::string inserted = base::strings::sanitized(text);
    if (inserted.empty()) return;
    eraseSelection();
    // The insertion may join the characters around it (an accent after a letter), so the
    // caret is found again by its byte position after the inserted text.
    std::size_t at = byteOffset(caret_);
    text_.insert(at, inserted);
    reindex();
    setCaretAtByte(at + inserted.size());
}

bool TextBuffer::deleteBackward() {
    if (selection().length > 0) {
        eraseSelection();
        return true;
    }
    if (caret_ == 0) return false;
    std::size_t start = byteOffset(caret_ - 1);
    text_.erase(start, byteOffset(caret_) - start);
    reindex();
    setCaretAtByte(start);
    return true;
}

void TextBuffer::eraseSelection() {
    CharacterRange selected = selection();
    if (selected.length == 0) return;
    std::size_t start = byteOffset(selected.location);
    text_.erase(start, byteOffset(selected.end()) - start);
    reindex();
    setCaretAtByte(start);
}

void TextBuffer::setCaretAtByte(std::size_t byte) { setCaret(characterIndexAtByte(byte)); }

std::size_t TextBuffer::characterIndexAtByte(std::size_t byte) const {
    auto at = std::lower_bound(boundaries_.begin(), boundaries_.end(), byte);
    return std::min(std::size_t(at - boundaries_.begin()), characterCount());
}

std::size_t TextBuffer::caretIndexAtPoint(const gfx::TextLayout& layout, gfx::Point point) const {
    return characterIndexAtByte(layout.byteIndexAtPoint(point));
}

std::size_t TextBuffer::characterIndexAtPoint(const gfx::TextLayout& layout, gfx::Point point) const {
    // The character that starts at or before the byte under the point.
    std::size_t byte = layout.byteIndexOfCharacterAtPoint(point);
    auto after = std::upper_bound(boundaries_.begin(), boundaries_.end(), byte);
    std::size_t index = after == boundaries_.begin() ? 0 : std::size_t(after - boundaries_.begin()) - 1;
    return std::min(index, characterCount());
}

std::string_view TextBuffer::prefix(std::size_t index) const {
    return std::string_view(text_).substr(0, byteOffset(std::min(index, characterCount())));
}

std::size_t TextBuffer::utf16Offset(std::size_t index) const {
    return base::strings::utf16Length(prefix(index));
}

void TextBuffer::reindex() { boundaries_ = base::strings::composedCharacterBoundaries(text_); }

}  // namespace ui
