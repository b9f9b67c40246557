#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gfx/AttributedString.h"
#include "gfx/Font.h"
#include "gfx/Geometry.h"

namespace gfx {

enum class TextAlignment { Left, Center, Right, Natural };

// How text that does not fit is broken into lines and where it is cut.
//   WordWrap, CharWrap: lines break between words (a word too long for a line breaks inside)
//     or between any two characters; text past the line limit is left out.
//   Clip: lines break between words; a single line does not break at all and runs past the
//     width (whoever draws it clips); text past the line limit is left out.
//   TruncateHead, TruncateTail, TruncateMiddle: lines break between words; the last line that
//     fits ends in, starts with, or has in its middle an ellipsis standing for what is cut.
enum class LineBreak { WordWrap, CharWrap, Clip, TruncateHead, TruncateTail, TruncateMiddle };

// A paragraph of text, shaped once and reused for measuring and drawing (HarfBuzz shaping
// through Pango). Without a width it is one line per hard line break; with a width it wraps;
// with a line limit it stops after that many lines in all, cut as its line break says.
// Attributed text sets a font and colour per run; runs without them use the layout's font and
// the colour it is drawn in. Alignment applies within the width (or the widest line). Sizes are
// in points. Settings are applied lazily, when the layout is next measured or drawn.
// Not thread-safe: use it on the thread that draws.
class TextLayout {
public:
    TextLayout(std::string text, Font font);
    ~TextLayout();
    TextLayout(TextLayout&&) noexcept;
    TextLayout& operator=(TextLayout&&) noexcept;
    TextLayout(const TextLayout&) = delete;
    TextLayout& operator=(const TextLayout&) = delete;

    void setText(std::string text);
    void setAttributedText(AttributedString text);
    void setFont(Font font);
    void setWidth(std::optional<double> width);
    void setMaximumLines(int lines);  // 0: no limit
    void setLineBreak(LineBreak lineBreak);
    void setAlignment(TextAlignment alignment);

    // The plain text (of every run, for attributed text).
    const std::string& text() const;
    const Font& font() const;
    std::optional<double> width() const;
    int maximumLines() const;
    LineBreak lineBreak() const;
    TextAlignment alignment() const;

    // Logical size of the laid-out text (the width of its widest line, the height of its lines).
    Size size() const;
    int lineCount() const;
    // Whether some of the text is cut off: left out past the line limit or ellipsized.
    bool isTruncated() const;
    // For a layout without a width holding one whole line that fits in `width`: how far in
    // its alignment would start the line at that width. Drawing it that much further right
    // looks the same as setting the width, without laying the text out again. Nothing when
    // the layout has a width, the width could change the line, or the line runs right to left.
    std::optional<double> lineOffsetWithin(double width) const;
    double firstBaseline() const;
    // Where a caret before byte `byteIndex` of the text stands: a zero-width rectangle as tall
    // as its line, in the layout's coordinates (top left at the drawing origin). An index past
    // the end means the end. For text that is not truncated.
    Rect caretRect(std::size_t byteIndex) const;
    // The byte index of the character boundary nearest to `point` (layout coordinates).
    std::size_t byteIndexAtPoint(Point point) const;

    // The byte index where the character under `point` begins; beside a line, its nearest
    // character. Unlike byteIndexAtPoint, the far half of a glyph still counts as that glyph.
    std::size_t byteIndexOfCharacterAtPoint(Point point) const;
    // The rectangles (one or more a line, left to right) covering bytes [start, end), in
    // layout coordinates. A range that runs on past a line's end covers the rest of that
    // line's width, as a selection highlight does.
    std::vector<Rect> rangeRects(std::size_t start, std::size_t end) const;

    // The text as laid out, with the ellipsis where it is truncated (for tests and dumps).
    std::string visibleText() const;

    // One-shot measurement of plain text, remembered for repeated questions.
    static Size measure(const std::string& text, const Font& font, std::optional<double> width = std::nullopt,
                        int maximumLines = 0, LineBreak lineBreak = LineBreak::TruncateTail);
    static Size measureUncached(const std::string& text, const Font& font,
                                std::optional<double> width = std::nullopt, int maximumLines = 0,
                                LineBreak lineBreak = LineBreak::TruncateTail);

    struct Impl;
    Impl& impl() const { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace gfx
