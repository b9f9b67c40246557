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

}  // namespace
