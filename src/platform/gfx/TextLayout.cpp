#include "gfx/TextLayout.h"

#include <glib.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <mutex>
#include <tuple>

#include "gfx/FontLibrary.h"
#include "gfx/TextLayoutImpl.h"

namespace gfx {

namespace {

// Pango needs valid UTF-8; anything else is repaired with replacement characters.
std::string validUtf8(const std::string& text) {
    if (g_utf8_validate(text.data(), gssize(text.size()), nullptr)) return text;
    gchar* valid = g_utf8_make_valid(text.data(), gssize(text.size()));
    std::string out = valid;
    g_free(valid);
    return out;
}

constexpr const char* kEllipsis = "\u2026";

bool isTruncating(LineBreak lineBreak) {
    return lineBreak == LineBreak::TruncateHead || lineBreak == LineBreak::TruncateTail ||
           lineBreak == LineBreak::TruncateMiddle;
}

PangoEllipsizeMode ellipsizeMode(LineBreak lineBreak) {
    switch (lineBreak) {
        case LineBreak::TruncateHead:
            return PANGO_ELLIPSIZE_START;
        case LineBreak::TruncateMiddle:
            return PANGO_ELLIPSIZE_MIDDLE;
        case LineBreak::TruncateTail:
            return PANGO_ELLIPSIZE_END;
        default:
            return PANGO_ELLIPSIZE_NONE;
    }
}

void setColor(PangoAttrList* list, const Color& color, unsigned start, unsigned end) {
    auto channel = [](double value) { return guint16(std::clamp(value, 0.0, 1.0) * 65535 + 0.5); };
    PangoAttribute* foreground =
        pango_attr_foreground_new(channel(color.red()), channel(color.green()), channel(color.blue()));
    PangoAttribute* alpha = pango_attr_foreground_alpha_new(channel(color.alpha()));
    for (PangoAttribute* attribute : {foreground, alpha}) {
        attribute->start_index = start;
        attribute->end_index = end;
        pango_attr_list_insert(list, attribute);
    }
}

}  // namespace

TextLayout::Impl::Impl(std::string initialText, Font initialFont)
    : text(validUtf8(initialText)), font(std::move(initialFont)) {
    layout = pango_layout_new(FontLibrary::shared().context());
}

TextLayout::Impl::~Impl() { g_object_unref(layout); }

void TextLayout::Impl::setColorTraits(const TraitCollection& traits) {
    if (traits == colorTraits) return;
    colorTraits = traits;
    if (hasColors()) dirty = true;
}

bool TextLayout::Impl::hasColors() const {
    for (const auto& span : spans)
        if (span.color) return true;
    return false;
}

void TextLayout::Impl::applyAttributes() {
    pango_layout_set_font_description(layout, font.resolved().description);
    if (spans.empty()) {
        pango_layout_set_attributes(layout, nullptr);
        return;
    }
    PangoAttrList* list = pango_attr_list_new();
    for (const auto& span : spans) {
        if (span.start == span.end) continue;
        if (span.font) {
            PangoAttribute* attribute = pango_attr_font_desc_new(span.font->resolved().description);
            attribute->start_index = span.start;
            attribute->end_index = span.end;
            pango_attr_list_insert(list, attribute);
        }
        if (span.color) setColor(list, span.color->resolved(colorTraits), span.start, span.end);
    }
    pango_layout_set_attributes(layout, list);
    pango_attr_list_unref(list);
}

void TextLayout::Impl::applyAlignment() {
    // Natural alignment follows the direction of the text; the others are fixed.
    pango_layout_set_auto_dir(layout, alignment == TextAlignment::Natural);
    switch (alignment) {
        case TextAlignment::Left:
        case TextAlignment::Natural:
            pango_layout_set_alignment(layout, PANGO_ALIGN_LEFT);
            break;
        case TextAlignment::Center:
            pango_layout_set_alignment(layout, PANGO_ALIGN_CENTER);
            break;
        case TextAlignment::Right:
            pango_layout_set_alignment(layout, PANGO_ALIGN_RIGHT);
            break;
    }
}

int TextLayout::Impl::endOfLine(int index) const {
    PangoLayoutLine* line = pango_layout_get_line_readonly(layout, index);
    return line ? line->start_index + line->length : int(text.size());
}

double TextLayout::Impl::bottomOfLine(int index) const {
    PangoLayoutIter* iter = pango_layout_get_iter(layout);
    for (int i = 0; i < index && pango_layout_iter_next_line(iter);) ++i;
    int top = 0, bottom = 0;
    pango_layout_iter_get_line_yrange(iter, &top, &bottom);
    pango_layout_iter_free(iter);
    return bottom;
}

// Shows the text up to byte `end` only (attributes keep their places), trimming the line break
// or spaces the cut leaves at its end: a space that hung past the width would now count.
void TextLayout::Impl::cutAfter(int end, bool withEllipsis) {
    std::string shown = text.substr(0, std::size_t(end));
    shown.erase(shown.find_last_not_of(" \t\r\n") + 1);
    if (withEllipsis) shown += kEllipsis;
    pango_layout_set_text(layout, shown.data(), int(shown.size()));
}

// Lays the text out in passes:
//   1. the whole text, wrapped (unless it is one unbroken clipped line), without a limit;
//   2. within the line limit: done;
//   3. over it without ellipsis (or without a width to ellipsize within): cut after the last
//      line that fits, adding the ellipsis for the truncating modes;
//   4. over it with a truncating mode: let Pango ellipsize the last line that fits (a height
//      of exactly that many lines limits them across hard line breaks too). When that line
//      fits whole but later paragraphs are left out, Pango marks nothing: cut and mark it.
PangoLayout* TextLayout::Impl::laidOut() {
    if (!dirty) return layout;
    dirty = false;
    std::optional<PlainSettings> settings;
    if (spans.empty()) settings = PlainSettings{text, font, width, maximumLines, lineBreak, alignment};
    if (settings && settings == laidOutPlain) return layout;
    laidOutPlain = std::move(settings);
    truncated = false;

    // 1.
    pango_layout_set_text(layout, text.data(), int(text.size()));
    applyAttributes();
    applyAlignment();
    pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_NONE);
    pango_layout_set_height(layout, -1);
    pango_layout_set_wrap(layout, lineBreak == LineBreak::CharWrap ? PANGO_WRAP_CHAR : PANGO_WRAP_WORD_CHAR);
    bool unbroken = lineBreak == LineBreak::Clip && maximumLines == 1;
    int pangoWidth = width ? int(std::max(0.0, *width) * PANGO_SCALE) : -1;
    pango_layout_set_width(layout, unbroken ? -1 : pangoWidth);
    if (unbroken && pangoWidth >= 0) {
        // Aligned within the width when it fits; otherwise it runs past the width, unbroken.
        PangoRectangle logical;
        pango_layout_get_extents(layout, nullptr, &logical);
        if (logical.width <= pangoWidth) pango_layout_set_width(layout, pangoWidth);
    }

    // 2.
    int lines = pango_layout_get_line_count(layout);
    if (maximumLines == 0 || lines <= maximumLines) return layout;
    truncated = true;

    // 3.
    bool ellipsizes = isTruncating(lineBreak);
    if (!ellipsizes || pango_layout_get_width(layout) < 0) {
        cutAfter(endOfLine(maximumLines - 1), ellipsizes);
        return layout;
    }

    // 4.
    int height = int(bottomOfLine(maximumLines - 1));
    pango_layout_set_ellipsize(layout, ellipsizeMode(lineBreak));
    pango_layout_set_height(layout, height);
    lines = pango_layout_get_line_count(layout);
    if (lines <= maximumLines && pango_layout_is_ellipsized(layout)) return layout;
    int last = std::min(lines, maximumLines) - 1;
    int end = endOfLine(last);
    pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
    cutAfter(end, true);
    return layout;
}

TextLayout::TextLayout(std::string text, Font font)
    : impl_(std::make_unique<Impl>(std::move(text), std::move(font))) {}
TextLayout::~TextLayout() = default;
TextLayout::TextLayout(TextLayout&&) noexcept = default;
TextLayout& TextLayout::operator=(TextLayout&&) noexcept = default;

void TextLayout::setText(std::string text) {
    std::string valid = validUtf8(text);
    if (impl_->spans.empty() && valid == impl_->text) return;
    impl_->text = std::move(valid);
    impl_->spans.clear();
    impl_->dirty = true;
}

void TextLayout::setAttributedText(AttributedString text) {
    impl_->text.clear();
    impl_->spans.clear();
    for (const auto& run : text.runs()) {
        Impl::Span span;
        span.start = unsigned(impl_->text.size());
        impl_->text += validUtf8(run.text);
        span.end = unsigned(impl_->text.size());
        span.font = run.font;
        span.color = run.color;
        impl_->spans.push_back(std::move(span));
    }
    impl_->dirty = true;
}

void TextLayout::setFont(Font font) {
    if (font == impl_->font) return;
    impl_->font = std::move(font);
    impl_->dirty = true;
}

void TextLayout::setWidth(std::optional<double> width) {
    if (width == impl_->width) return;
    impl_->width = width;
    impl_->dirty = true;
}

void TextLayout::setMaximumLines(int lines) {
    lines = lines > 0 ? lines : 0;
    if (lines == impl_->maximumLines) return;
    impl_->maximumLines = lines;
    impl_->dirty = true;
}

void TextLayout::setLineBreak(LineBreak lineBreak) {
    if (lineBreak == impl_->lineBreak) return;
    impl_->lineBreak = lineBreak;
    impl_->dirty = true;
}

void TextLayout::setAlignment(TextAlignment alignment) {
    if (alignment == impl_->alignment) return;
    impl_->alignment = alignment;
    impl_->dirty = true;
}

const std::string& TextLayout::text() const { return impl_->text; }
const Font& TextLayout::font() const { return impl_->font; }
std::optional<double> TextLayout::width() const { return impl_->width; }
int TextLayout::maximumLines() const { return impl_->maximumLines; }
LineBreak TextLayout::lineBreak() const { return impl_->lineBreak; }
TextAlignment TextLayout::alignment() const { return impl_->alignment; }

Size TextLayout::size() const {
    PangoRectangle logical;
    pango_layout_get_extents(impl_->laidOut(), nullptr, &logical);
    return {logical.width / double(PANGO_SCALE), logical.height / double(PANGO_SCALE)};
}

int TextLayout::lineCount() const { return pango_layout_get_line_count(impl_->laidOut()); }

bool TextLayout::isTruncated() const {
    PangoLayout* layout = impl_->laidOut();
    return impl_->truncated || pango_layout_is_ellipsized(layout);
}

std::optional<double> TextLayout::lineOffsetWithin(double width) const {
    if (impl_->width) return std::nullopt;
    PangoLayout* layout = impl_->laidOut();
    if (impl_->truncated || pango_layout_get_line_count(layout) != 1) return std::nullopt;
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    int pangoWidth = int(std::max(0.0, width) * PANGO_SCALE);
    if (logical.width > pangoWidth) return std::nullopt;
    // Pango places right-to-left lines within a width in ways of its own: leave them to it.
    PangoLayoutLine* line = pango_layout_get_line_readonly(layout, 0);
    if (line->resolved_dir != PANGO_DIRECTION_LTR) return std::nullopt;
    PangoAlignment alignment = pango_layout_get_alignment(layout);
    int spare = pangoWidth - logical.width;
    switch (alignment) {
        case PANGO_ALIGN_LEFT:
            return 0.0;
        case PANGO_ALIGN_CENTER: {
            // Pango keeps a centred line on whole points when both widths are whole.
            int offset = spare / 2;
            if (((pangoWidth | logical.width) & (PANGO_SCALE - 1)) == 0) offset = PANGO_UNITS_ROUND(offset);
            return offset / double(PANGO_SCALE);
        }
        case PANGO_ALIGN_RIGHT:
            return spare / double(PANGO_SCALE);
    }
    return std::nullopt;
}

double TextLayout::firstBaseline() const {
    return pango_layout_get_baseline(impl_->laidOut()) / double(PANGO_SCALE);
}

Rect TextLayout::caretRect(std::size_t byteIndex) const {
    PangoLayout* layout = impl_->laidOut();
    const std::size_t length = std::strlen(pango_layout_get_text(layout));
    PangoRectangle strong;
    pango_layout_get_cursor_pos(layout, int(std::min(byteIndex, length)), &strong, nullptr);
    return {strong.x / double(PANGO_SCALE), strong.y / double(PANGO_SCALE), 0,
            strong.height / double(PANGO_SCALE)};
}

std::size_t TextLayout::byteIndexAtPoint(Point point) const {
    PangoLayout* layout = impl_->laidOut();
    int index = 0, trailing = 0;
    pango_layout_xy_to_index(layout, int(point.x * PANGO_SCALE), int(point.y * PANGO_SCALE), &index,
                             &trailing);
    // `trailing` counts the characters to step over when the point lies in a glyph's far half.
    const char* text = pango_layout_get_text(layout);
    const char* at = text + index;
    for (; trailing > 0 && *at; --trailing) at = g_utf8_next_char(at);
    return std::size_t(at - text);
}

std::size_t TextLayout::byteIndexOfCharacterAtPoint(Point point) const {
    int index = 0, trailing = 0;
    pango_layout_xy_to_index(impl_->laidOut(), int(point.x * PANGO_SCALE), int(point.y * PANGO_SCALE), &index,
                             &trailing);
    return std::size_t(index);
}

std::vector<Rect> TextLayout::rangeRects(std::size_t start, std::size_t end) const {
    std::vector<Rect> rects;
    if (end <= start) return rects;
    PangoLayoutIter* iter = pango_layout_get_iter(impl_->laidOut());
    do {
        PangoLayoutLine* line = pango_layout_iter_get_line_readonly(iter);
        const auto lineStart = std::size_t(line->start_index),
                   lineEnd = lineStart + std::size_t(line->length);
        // An empty line (between two line breaks) is covered when the range runs across it.
        bool covered =
            line->length == 0 ? start <= lineStart && end > lineStart : start < lineEnd && end > lineStart;
        if (!covered) continue;
        int top = 0, bottom = 0, count = 0;
        int* ranges = nullptr;
        pango_layout_iter_get_line_yrange(iter, &top, &bottom);
        pango_layout_line_get_x_ranges(line, int(start), int(end), &ranges, &count);
        for (int i = 0; i < count; ++i) {
            double left = ranges[2 * i] / double(PANGO_SCALE),
                   right = ranges[2 * i + 1] / double(PANGO_SCALE);
            // Pango may split one stretch into adjacent ranges; they make one rectangle.
            if (i > 0 && std::abs(rects.back().maxX() - left) < 0.01) {
                rects.back().width = right - rects.back().x;
                continue;
            }
            rects.push_back(
                {left, top / double(PANGO_SCALE), right - left, (bottom - top) / double(PANGO_SCALE)});
        }
        g_free(ranges);
    } while (pango_layout_iter_next_line(iter));
    pango_layout_iter_free(iter);
    return rects;
}

std::string TextLayout::visibleText() const {
    PangoLayout* layout = impl_->laidOut();
    const char* shown = pango_layout_get_text(layout);
    std::string out;
    int count = pango_layout_get_line_count(layout);
    for (int i = 0; i < count; ++i) {
        if (i > 0) out += '\n';
        PangoLayoutLine* line = pango_layout_get_line_readonly(layout, i);
        for (GSList* item = line->runs; item; item = item->next) {
            auto* run = static_cast<PangoGlyphItem*>(item->data);
            if (run->item->analysis.flags & PANGO_ANALYSIS_FLAG_IS_ELLIPSIS) {
                out += kEllipsis;
            } else {
                out.append(shown + run->item->offset, std::size_t(run->item->length));
            }
        }
    }
    return out;
}

namespace {

// Tables and lists measure the same short strings again and again; shaping dominates the
// cost, so one-shot measurements are remembered. Bounded: the memo starts over when full.
class MeasureMemo {
public:
    using Key = std::tuple<std::string, std::string, double, int, int>;
    static constexpr std::size_t kCapacity = 4096;

    static Key keyFor(const std::string& text, const Font& font, std::optional<double> width,
                      int maximumLines, LineBreak lineBreak) {
        char* description = pango_font_description_to_string(font.resolved().description);
        Key key{text, description, width.value_or(-1), maximumLines, int(lineBreak)};
        g_free(description);
        return key;
    }
    std::optional<Size> find(const Key& key) {
        std::lock_guard lock(mutex_);
        auto found = sizes_.find(key);
        if (found == sizes_.end()) return std::nullopt;
        return found->second;
    }
    void insert(Key key, Size size) {
        std::lock_guard lock(mutex_);
        if (sizes_.size() >= kCapacity) sizes_.clear();
        sizes_.emplace(std::move(key), size);
    }

private:
    std::mutex mutex_;
    std::map<Key, Size> sizes_;
};

MeasureMemo& measureMemo() {
    static MeasureMemo* memo = new MeasureMemo();  // lives as long as the process
    return *memo;
}

}  // namespace

Size TextLayout::measure(const std::string& text, const Font& font, std::optional<double> width,
                         int maximumLines, LineBreak lineBreak) {
    auto key = MeasureMemo::keyFor(text, font, width, maximumLines, lineBreak);
    if (auto size = measureMemo().find(key)) return *size;
    Size size = measureUncached(text, font, width, maximumLines, lineBreak);
    measureMemo().insert(std::move(key), size);
    return size;
}

Size TextLayout::measureUncached(const std::string& text, const Font& font, std::optional<double> width,
                                 int maximumLines, LineBreak lineBreak) {
    TextLayout layout(text, font);
    layout.setWidth(width);
    layout.setMaximumLines(maximumLines);
    layout.setLineBreak(lineBreak);
    return layout.size();
}

}  // namespace gfx
