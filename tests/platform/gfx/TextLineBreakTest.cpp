#include <gtest/gtest.h>

#include "gfx/Painter.h"
#include "gfx/TextLayout.h"
#include "support/PixelCounts.h"

namespace {

using gfx::Font;
using gfx::LineBreak;
using gfx::TextLayout;

const std::string kSentence = "The quick brown fox jumps over the lazy dog near the river bank";
const std::string kEllipsis = "\u2026";

bool startsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }
bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

TextLayout layoutOf(const std::string& text, std::optional<double> width, int lines, LineBreak lineBreak) {
    TextLayout layout(text, Font::system(15));
    layout.setWidth(width);
    layout.setMaximumLines(lines);
    layout.setLineBreak(lineBreak);
    return layout;
}

TEST(TextLineBreak, EachModeCutsOneLineItsOwnWay) {
    auto cut = [](LineBreak lineBreak) { return layoutOf(kSentence, 120, 1, lineBreak); };
    auto tail = cut(LineBreak::TruncateTail), head = cut(LineBreak::TruncateHead),
         middle = cut(LineBreak::TruncateMiddle), word = cut(LineBreak::WordWrap),
         character = cut(LineBreak::CharWrap), clip = cut(LineBreak::Clip);

    EXPECT_TRUE(startsWith(tail.visibleText(), "The") && endsWith(tail.visibleText(), kEllipsis))
        << tail.visibleText();
    EXPECT_TRUE(startsWith(head.visibleText(), kEllipsis) && endsWith(head.visibleText(), "bank"))
        << head.visibleText();
    std::string m = middle.visibleText();
    EXPECT_TRUE(startsWith(m, "The") && endsWith(m, "bank") && m.find(kEllipsis) != std::string::npos) << m;
    for (auto* layout : {&tail, &head, &middle, &word, &character}) {
        EXPECT_EQ(layout->lineCount(), 1);
        EXPECT_TRUE(layout->isTruncated());
        EXPECT_LE(layout->size().width, 120.01);
    }
    // Wrapping modes leave out what does not fit, without a mark: whole words, or as many
    // characters as fit (never fewer than whole words).
    EXPECT_EQ(word.visibleText().find(kEllipsis), std::string::npos);
    EXPECT_TRUE(startsWith(kSentence, word.visibleText()));
    EXPECT_EQ(kSentence[word.visibleText().size()], ' ') << word.visibleText();  // cut after a word
    EXPECT_TRUE(startsWith(kSentence, character.visibleText()));
    EXPECT_GE(character.visibleText().size(), word.visibleText().size());
    // Clipping keeps the whole line, wider than the width; the drawer clips it.
    EXPECT_EQ(clip.visibleText(), kSentence);
    EXPECT_GT(clip.size().width, 120);
}

TEST(TextLineBreak, LineLimitHoldsAcrossHardBreaksAndWrappedLines) {
    // Pango limits lines per paragraph; the limit here is for the whole text.
    auto paragraphs = layoutOf("one\ntwo\nthree\nfour", 100, 2, LineBreak::TruncateTail);
    EXPECT_EQ(paragraphs.lineCount(), 2);
    EXPECT_TRUE(paragraphs.isTruncated());
    EXPECT_EQ(paragraphs.visibleText(), "one\ntwo" + kEllipsis);
    auto unwrapped = layoutOf("one\ntwo\nthree", std::nullopt, 2, LineBreak::TruncateTail);
    EXPECT_EQ(unwrapped.visibleText(), "one\ntwo" + kEllipsis);
    auto clipped = layoutOf("one\ntwo\nthree", std::nullopt, 2, LineBreak::Clip);
    EXPECT_EQ(clipped.visibleText(), "one\ntwo");

    auto oneLine = layoutOf(kSentence, std::nullopt, 0, LineBreak::TruncateTail);
    for (LineBreak lineBreak : {LineBreak::TruncateTail, LineBreak::TruncateHead, LineBreak::TruncateMiddle,
                                LineBreak::WordWrap, LineBreak::CharWrap, LineBreak::Clip}) {
        auto limited = layoutOf(kSentence, 100, 3, lineBreak);
        EXPECT_EQ(limited.lineCount(), 3) << int(lineBreak);
        EXPECT_TRUE(limited.isTruncated());
        EXPECT_NEAR(limited.size().height, 3 * oneLine.size().height, 1.0);
    }
    auto head = layoutOf(kSentence, 100, 2, LineBreak::TruncateHead).visibleText();
    EXPECT_TRUE(startsWith(head, "The") && endsWith(head, "bank")) << head;
    EXPECT_NE(head.find("\n" + kEllipsis), std::string::npos) << head;  // the last line starts with it

    // Within the limit nothing is cut.
    auto fits = layoutOf(kSentence, 1000, 2, LineBreak::TruncateTail);
    EXPECT_FALSE(fits.isTruncated());
    EXPECT_EQ(fits.visibleText(), kSentence);
}

TEST(TextLineBreak, AttributedRunsMeasureAndDrawWithTheirOwnFontAndColour) {
    Font base = Font::system(15);
    TextLayout plain("Price: 12", base);
    TextLayout rich("", base);
    rich.setAttributedText(gfx::AttributedString().append("Price: ").append(
        "12", Font::system(30, gfx::FontWeight::Bold), gfx::Color(0, 0, 1)));
    EXPECT_EQ(rich.text(), "Price: 12");
    EXPECT_GT(rich.size().width, plain.size().width + 10);
    EXPECT_GT(rich.size().height, plain.size().height + 10);

    // A run repaired from bad bytes does not shift the runs after it.
    TextLayout repaired("", base);
    repaired.setAttributedText(gfx::AttributedString().append("\xff\xfe").append("12", Font::system(30)));
    TextLayout bigDigits("", base);
    bigDigits.setAttributedText(gfx::AttributedString().append("12", Font::system(30)));
    EXPECT_GT(repaired.size().width, bigDigits.size().width);
    EXPECT_EQ(repaired.size().height, bigDigits.size().height);

    // The coloured run is blue, the rest in the colour drawn with.
    gfx::Painter painter({160, 50}, 2);
    painter.drawText(rich, {0, 0}, gfx::Color(1, 0, 0));
    gfx::Image image = painter.makeImage();
    using testsupport::countPixels;
    EXPECT_GT(countPixels(image, [](auto p) { return p.alpha >= 200 && p.red > 200 && p.blue < 50; }), 20);
    EXPECT_GT(countPixels(image, [](auto p) { return p.alpha >= 200 && p.blue > 200 && p.red < 50; }), 20);
}

}  // namespace
