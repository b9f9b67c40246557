#pragma once

#include <memory>
#include <optional>
#include <string>

#include "gfx/Font.h"
#include "gfx/Geometry.h"

namespace gfx {

enum class TextAlignment { Left, Center, Right, Natural };

// A paragraph of text in one font, shaped once and reused for measuring and drawing
// (HarfBuzz shaping through Pango). Without a width it is one line per hard line break; with a
// width it wraps at word boundaries; with a line limit it stops after that many lines and ends
// the last one with an ellipsis. Alignment applies within the width (or the widest line).
// Sizes are in points. Not thread-safe: use it on the thread that draws.
class TextLayout {
public:
    TextLayout(std::string text, Font font);
    ~TextLayout();
    TextLayout(TextLayout&&) noexcept;
    TextLayout& operator=(TextLayout&&) noexcept;
    TextLayout(const TextLayout&) = delete;
    TextLayout& operator=(const TextLayout&) = delete;

    void setText(std::string text);
    void setFont(Font font);
    void setWidth(std::optional<double> width);
    void setMaximumLines(int lines);  // 0: no limit
    void setAlignment(TextAlignment alignment);

    const std::string& text() const;
    const Font& font() const;
    std::optional<double> width() const;
    TextAlignment alignment() const;

    // Logical size of the laid-out text (the width of its widest line, the height of its lines).
    Size size() const;
    int lineCount() const;
    bool isTruncated() const;
    double firstBaseline() const;

    // One-shot measurement, remembered for repeated questions.
    static Size measure(const std::string& text, const Font& font, std::optional<double> width = std::nullopt,
                        int maximumLines = 0);
    static Size measureUncached(const std::string& text, const Font& font,
                                std::optional<double> width = std::nullopt, int maximumLines = 0);

    struct Impl;
    Impl& impl() const { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace gfx
