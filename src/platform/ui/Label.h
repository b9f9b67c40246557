#pragma once

#include <string>

#include "gfx/Font.h"
#include "gfx/TextLayout.h"
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

// Read-only text. Its intrinsic size is the size of its text on one line (or, with
// numberOfLines other than 1, of the text laid out unwrapped up to that many hard lines); it
// wraps to its width when drawn with more than one line, and ends a cut-off last line with an
// ellipsis. The text is centred vertically in the bounds, as on the platform.
class Label : public View {
public:
    static std::shared_ptr<Label> create(std::string text = {});

    const char* className() const override { return "Label"; }

    const std::string& text() const { return text_; }
    void setText(std::string text);
    const gfx::Font& font() const { return font_; }
    void setFont(gfx::Font font);
    const gfx::Color& textColor() const { return textColor_; }
    void setTextColor(const gfx::Color& color) { textColor_ = color; }
    gfx::TextAlignment textAlignment() const { return alignment_; }
    void setTextAlignment(gfx::TextAlignment alignment) { alignment_ = alignment; }
    // 0 means as many lines as the text needs.
    int numberOfLines() const { return numberOfLines_; }
    void setNumberOfLines(int lines);
    LineBreakMode lineBreakMode() const { return lineBreakMode_; }
    void setLineBreakMode(LineBreakMode mode) { lineBreakMode_ = mode; }

    gfx::Size intrinsicContentSize() const override;
    gfx::Size sizeThatFits(gfx::Size size) const override;
    void draw(gfx::Painter& painter, const gfx::Rect& rect) override;
    bool hasContent() const override { return !text_.empty(); }

protected:
    explicit Label(std::string text);

private:
    std::string text_;
    gfx::Font font_ = gfx::Font::system(17);
    gfx::Color textColor_ = gfx::Color::label();
    gfx::TextAlignment alignment_ = gfx::TextAlignment::Natural;
    int numberOfLines_ = 1;
    LineBreakMode lineBreakMode_ = LineBreakMode::ByTruncatingTail;
};

}  // namespace ui
