#include "gfx/TextLayout.h"

#include <glib.h>

#include <map>
#include <mutex>
#include <tuple>

#include "gfx/FontLibrary.h"
#include "gfx/TextLayoutImpl.h"

namespace gfx {

TextLayout::Impl::Impl(std::string initialText, Font initialFont)
    : text(std::move(initialText)), font(std::move(initialFont)) {
    layout = pango_layout_new(FontLibrary::shared().context());
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
    pango_layout_set_font_description(layout, font.resolved().description);
    applyText();
    applyAlignment();
}

TextLayout::Impl::~Impl() { g_object_unref(layout); }

void TextLayout::Impl::applyText() {
    // Pango needs valid UTF-8; anything else is repaired with replacement characters.
    if (g_utf8_validate(text.data(), gssize(text.size()), nullptr)) {
        pango_layout_set_text(layout, text.data(), int(text.size()));
        return;
    }
    gchar* valid = g_utf8_make_valid(text.data(), gssize(text.size()));
    pango_layout_set_text(layout, valid, -1);
    g_free(valid);
}

void TextLayout::Impl::applyWidthAndLines() {
    pango_layout_set_width(layout, width ? int(*width * PANGO_SCALE) : -1);
    if (maximumLines > 0) {
        // A negative height limits the number of lines; the last one is ellipsized.
        pango_layout_set_height(layout, -maximumLines);
        pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
    } else {
        pango_layout_set_height(layout, -1);
        pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_NONE);
    }
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

TextLayout::TextLayout(std::string text, Font font)
    : impl_(std::make_unique<Impl>(std::move(text), std::move(font))) {}
TextLayout::~TextLayout() = default;
TextLayout::TextLayout(TextLayout&&) noexcept = default;
TextLayout& TextLayout::operator=(TextLayout&&) noexcept = default;

void TextLayout::setText(std::string text) {
    if (text == impl_->text) return;
    impl_->text = std::move(text);
    impl_->applyText();
}

void TextLayout::setFont(Font font) {
    impl_->font = std::move(font);
    pango_layout_set_font_description(impl_->layout, impl_->font.resolved().description);
}

void TextLayout::setWidth(std::optional<double> width) {
    impl_->width = width;
    impl_->applyWidthAndLines();
}

void TextLayout::setMaximumLines(int lines) {
    impl_->maximumLines = lines > 0 ? lines : 0;
    impl_->applyWidthAndLines();
}

void TextLayout::setAlignment(TextAlignment alignment) {
    impl_->alignment = alignment;
    impl_->applyAlignment();
}

const std::string& TextLayout::text() const { return impl_->text; }
const Font& TextLayout::font() const { return impl_->font; }
std::optional<double> TextLayout::width() const { return impl_->width; }
TextAlignment TextLayout::alignment() const { return impl_->alignment; }

Size TextLayout::size() const {
    PangoRectangle logical;
    pango_layout_get_extents(impl_->layout, nullptr, &logical);
    return {logical.width / double(PANGO_SCALE), logical.height / double(PANGO_SCALE)};
}

int TextLayout::lineCount() const { return pango_layout_get_line_count(impl_->layout); }

bool TextLayout::isTruncated() const { return pango_layout_is_ellipsized(impl_->layout); }

double TextLayout::firstBaseline() const {
    return pango_layout_get_baseline(impl_->layout) / double(PANGO_SCALE);
}

namespace {

// Tables and lists measure the same short strings again and again; shaping dominates the
// cost, so one-shot measurements are remembered. Bounded: the memo starts over when full.
class MeasureMemo {
public:
    using Key = std::tuple<std::string, std::string, double, int>;
    static constexpr std::size_t kCapacity = 4096;

    static Key keyFor(const std::string& text, const Font& font, std::optional<double> width,
                      int maximumLines) {
        char* description = pango_font_description_to_string(font.resolved().description);
        Key key{text, description, width.value_or(-1), maximumLines};
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
                         int maximumLines) {
    auto key = MeasureMemo::keyFor(text, font, width, maximumLines);
    if (auto size = measureMemo().find(key)) return *size;
    Size size = measureUncached(text, font, width, maximumLines);
    measureMemo().insert(std::move(key), size);
    return size;
}

Size TextLayout::measureUncached(const std::string& text, const Font& font, std::optional<double> width,
                                 int maximumLines) {
    TextLayout layout(text, font);
    if (width || maximumLines > 0) {
        layout.impl_->width = width;
        layout.impl_->maximumLines = maximumLines > 0 ? maximumLines : 0;
        layout.impl_->applyWidthAndLines();
    }
    return layout.size();
}

}  // namespace gfx
