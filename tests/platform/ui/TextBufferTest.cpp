#include <gtest/gtest.h>

#include "ui/TextBuffer.h"

namespace {

TEST(TextBuffer, TheCaretMovesOverWholeCharactersAndInsertionsThatJoinOneStayWhole) {
    ui::TextBuffer buffer;
    buffer.setText("e");
    buffer.insert("\xCC\x81");  // a combining acute accent joins the "e"
    EXPECT_EQ(buffer.characterCount(), 1u);
    EXPECT_EQ(buffer.caret(), 1u);
    EXPECT_EQ(buffer.characterBeforeCaret(), (ui::Utf16Range{0, 2}));
    buffer.insert("👨‍👩‍👧");  // a family: one character of eight UTF-16 units
    EXPECT_EQ(buffer.characterCount(), 2u);
    EXPECT_EQ(buffer.insertionRange(), (ui::Utf16Range{10, 0}));

    buffer.moveCaret(-100);
    EXPECT_EQ(buffer.caret(), 0u);
    EXPECT_FALSE(buffer.deleteBackward());
    buffer.moveCaret(100);
    EXPECT_EQ(buffer.caret(), 2u);
    EXPECT_TRUE(buffer.deleteBackward());
    EXPECT_EQ(buffer.text(), "e\xCC\x81");
}

TEST(TextBuffer, IllFormedInputBecomesReplacementCharacters) {
    ui::TextBuffer buffer;
    buffer.setText("a\xFF");
    buffer.insert("\xC0\xAF");  // an overlong "/"
    EXPECT_EQ(buffer.text().substr(0, 4), "a\xEF\xBF\xBD");
    EXPECT_EQ(buffer.caret(), buffer.characterCount());
    EXPECT_EQ(buffer.prefix(1), "a");
}

TEST(TextBuffer, TypingReplacesTheSelectionDeleteRemovesItAndArrowsCollapseIt) {
    ui::TextBuffer buffer;
    buffer.setText("a👍🏽 word, more");
    buffer.select({1, 1});  // the thumbs-up: four UTF-16 units for the delegate
    EXPECT_EQ(buffer.insertionRange(), (ui::Utf16Range{1, 4}));
    buffer.insert("b");
    EXPECT_EQ(buffer.text(), "ab word, more");
    buffer.select(buffer.wordAt(4));
    EXPECT_TRUE(buffer.deleteBackward());  // the whole selection, not one character
    EXPECT_EQ(buffer.text(), "ab , more");
    EXPECT_EQ(buffer.wordAt(100), (ui::CharacterRange{5, 4}));  // past the end: the last word

    buffer.select({1, 3});
    buffer.moveCaret(-1);
    EXPECT_EQ(buffer.selection(), (ui::CharacterRange{1, 0}));
    buffer.select({7, 50});  // clamped to the text
    EXPECT_EQ(buffer.selection(), (ui::CharacterRange{7, 2}));
}

}  // namespace
