#pragma once

#include <optional>
#include <string>

#include "gfx/Font.h"
#include "gfx/TextLayout.h"
#include "ui/AttributedString.h"
#include "ui/View.h"

namespace ui {

enum class LineBreakMode {
    ByWordWrapping,
    ByCharWrapping,
    ByClipping,
    ByTruncatingHead,
    ByTruncatingTail,
    ByTruncatingMiddle
};

// Read-only text, plain or attributed (runs with their own font and colour).
//
// One line (numberOfLines 1, the default): the intrinsic size is the text's on one line; drawn
// narrower, the line is cut as the line-break mode says (an ellipsis at the head, tail or
// middle; at a word or character; or clipped at the bounds). More lines (0 means as many as
// the text needs): the text wraps at words (at characters for ByCharWrapping) within
// `preferredMaxLayoutWidth` if set, else within the label's current width, and the last
// allowed line is cut as the mode says. Such a label's intrinsic size depends on its width:
// when constraints give it a new width, the window measures it again for that width.
// The text is centred vertically in the bounds; a shadow, when its colour is set, is drawn
// under the text at `shadowOffset`.
class Label : public View {
public:
    static std::shared_ptr<Label> create(std::string text = {});

    const char* className() const override { return "Label"; }

    // The plain text (of all runs, for attributed text).
    const std::string& text() const { return text_; }
    void setText(std::string text);
    // Runs without a font or colour use the label's.
    const std::optional<AttributedString>& attributedText() const { return attributed_; }
    void setAttributedText(AttributedString text);
    const gfx::Font& font() const { return font_; }
    void setFont(gfx::Font font);
    const gfx::Color& textColor() const { return textColor_; }
    void setTextColor(const gfx::Color& color) { textColor_ = color; }
    gfx::TextAlignment textAlignment() const { return alignment_; }
    void setTextAlignment(gfx::TextAlignment alignment) { alignment_ = alignment; }
    int numberOfLines() const { return numberOfLines_; }
    void setNumberOfLines(int lines);
    LineBreakMode lineBreakMode() const { return lineBreakMode_; }
    void setLineBreakMode(LineBreakMode mode);
    // The width a multi-line label wraps at for its intrinsic size; 0: its own width.
    double preferredMaxLayoutWidth() const { return preferredMaxLayoutWidth_; }
    void setPreferredMaxLayoutWidth(double width);
    // No shadow while the colour is unset.
    const std::optional<gfx::Color>& shadowColor() const { return shadowColor_; }
    void setShadowColor(std::optional<gfx::Color> color) { shadowColor_ = std::move(color); }
    gfx::Size shadowOffset() const { return shadowOffset_; }
    void setShadowOffset(gfx::Size offset) { shadowOffset_ = offset; }

    gfx::Size intrinsicContentSize() const override;
    bool intrinsicContentSizeDependsOnWidth() const override;
    gfx::Size sizeThatFits(gfx::Size size) const override;
    void draw(gfx::Painter& painter, const gfx::Rect& rect) override;
    bool hasContent() const override { return !text_.empty(); }

protected:
    explicit Label(std::string text);

private:
    gfx::Size measure(std::optional<double> width) const;
    gfx::TextLayout& layoutFor(std::optional<double> width) const;
    void textDidChange();

    std::string text_;
    std::optional<AttributedString> attributed_;
    gfx::Font font_ = gfx::Font::system(17);
    gfx::Color textColor_ = gfx::Color::label();
    gfx::TextAlignment alignment_ = gfx::TextAlignment::Natural;
    int numberOfLines_ = 1;
    LineBreakMode lineBreakMode_ = LineBreakMode::ByTruncatingTail;
    double preferredMaxLayoutWidth_ = 0;
    std::optional<gfx::Color> shadowColor_;
    gfx::Size shadowOffset_{0, -1};
    // Shaped once and kept: measuring and drawing at the same width reuse it.
    mutable gfx::TextLayout layout_;
    // The text's size on unbounded lines, until the text or a setting that changes it does.
    // Drawing narrower lays the text out at that width; measuring again must not undo it.
    mutable std::optional<gfx::Size> unboundedSize_;
};

}  // namespace ui
