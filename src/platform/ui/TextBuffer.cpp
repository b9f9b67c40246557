#include "ui/TextBuffer.h"

#include <algorithm>

#include "base/Strings.h"

namespace ui {

void TextBuffer::setText(std::string_view text) {
    text_ = base::strings::sanitized(text);
    reindex();
    caret_ = characterCount();
}

void TextBuffer::setCaret(std::size_t caret) { caret_ = std::min(caret, characterCount()); }

void TextBuffer::moveCaret(int delta) {
    if (delta < 0) {
        auto back = std::size_t(-static_cast<long long>(delta));
        caret_ = back > caret_ ? 0 : caret_ - back;
    } else {
        setCaret(caret_ + std::size_t(delta));
    }
}

Utf16Range TextBuffer::insertionRange() const { return {utf16Offset(caret_), 0}; }

Utf16Range TextBuffer::characterBeforeCaret() const {
    if (caret_ == 0) return {0, 0};
    std::size_t start = utf16Offset(caret_ - 1);
    return {start, utf16Offset(caret_) - start};
}

void TextBuffer::insert(std::string_view text) {
    std::string inserted = base::strings::sanitized(text);
    if (inserted.empty()) return;
    // The insertion may join the characters around it (an accent after a letter), so the
    // caret is found again by its byte position after the inserted text.
    std::size_t end = byteOffset(caret_) + inserted.size();
    text_.insert(byteOffset(caret_), inserted);
    reindex();
    auto at = std::lower_bound(boundaries_.begin(), boundaries_.end(), end);
    caret_ = std::min(std::size_t(at - boundaries_.begin()), characterCount());
}

bool TextBuffer::deleteBackward() {
    if (caret_ == 0) return false;
    std::size_t start = byteOffset(caret_ - 1);
    text_.erase(start, byteOffset(caret_) - start);
    reindex();
    auto at = std::lower_bound(boundaries_.begin(), boundaries_.end(), start);
    caret_ = std::min(std::size_t(at - boundaries_.begin()), characterCount());
    return true;
}

std::string_view TextBuffer::prefix(std::size_t index) const {
    return std::string_view(text_).substr(0, byteOffset(std::min(index, characterCount())));
}

std::size_t TextBuffer::utf16Offset(std::size_t index) const {
    return base::strings::utf16Length(prefix(index));
}

void TextBuffer::reindex() { boundaries_ = base::strings::composedCharacterBoundaries(text_); }

}  // namespace ui
