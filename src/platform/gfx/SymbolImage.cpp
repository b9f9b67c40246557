#include "gfx/SymbolImage.h"

#include <pango/pango.h>

#include <cmath>
#include <map>
#include <mutex>
#include <tuple>

#include "gfx/FontLibrary.h"
#include "gfx/ImageContext.h"
#include "gfx/SymbolNames.h"
#include "gfx/TextLayout.h"
#include "gfx/TextLayoutImpl.h"

namespace gfx {
namespace {

struct Registry {
    std::mutex mutex;
    std::map<std::string, std::string, std::less<>> ligatures;
    std::map<std::tuple<std::string, double, double>, Image> rendered;

    Registry() {
        for (const SymbolName& entry : builtInSymbolNames()) {
            ligatures.emplace(std::string(entry.name), std::string(entry.ligature));
        }
    }
};

Registry& registry() {
    static Registry* instance = new Registry();  // lives as long as the process
    return *instance;
}

Font symbolFont(double pointSize) {
    return Font::named(FontLibrary::kSymbolFamily, pointSize).value_or(Font::system(pointSize));
}

// An unknown icon name falls apart into one glyph per letter; a known one is one glyph of the
// icon font.
bool shapesToOneIconGlyph(const TextLayout& layout) {
    PangoLayoutLine* line = pango_layout_get_line_readonly(layout.impl().laidOut(), 0);
    if (!line || pango_layout_get_line_count(layout.impl().laidOut()) != 1) return false;
    int glyphs = 0;
    for (GSList* run = line->runs; run; run = run->next) {
        auto* glyphRun = static_cast<PangoGlyphItem*>(run->data);
        glyphs += glyphRun->glyphs->num_glyphs;
        if (glyphs > 1) return false;
        PangoFontDescription* description = pango_font_describe(glyphRun->item->analysis.font);
        bool isIconFont =
            g_strcmp0(pango_font_description_get_family(description), FontLibrary::kSymbolFamily) == 0;
        pango_font_description_free(description);
        if (!isIconFont || (glyphRun->glyphs->glyphs[0].glyph & PANGO_GLYPH_UNKNOWN_FLAG)) return false;
    }
    return glyphs == 1;
}

Image render(const std::string& ligature, double pointSize, double scale) {
    TextLayout layout(ligature, symbolFont(pointSize));
    if (!shapesToOneIconGlyph(layout)) return {};
    Size size = layout.size();
    ImageContext context({std::ceil(size.width), std::ceil(size.height)}, scale);
    context.painter().drawText(layout, {0, 0}, Color::blackColor());
    return context.image().withTemplate(true);
}

}  // namespace

std::optional<std::string> SymbolImage::ligatureFor(std::string_view name) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    auto found = r.ligatures.find(name);
    if (found == r.ligatures.end()) return std::nullopt;
    return found->second;
}

bool SymbolImage::ligatureShapesToOneGlyph(const std::string& ligature) {
    return !ligature.empty() && shapesToOneIconGlyph(TextLayout(ligature, symbolFont(kDefaultPointSize)));
}

bool SymbolImage::registerName(std::string name, std::string ligature) {
    if (!ligatureShapesToOneGlyph(ligature)) return false;
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    r.ligatures[std::move(name)] = std::move(ligature);
    return true;
}

Image SymbolImage::named(std::string_view name, double pointSize, double scale) {
    auto ligature = ligatureFor(name);
    if (!ligature || pointSize <= 0 || scale <= 0) return {};
    Registry& r = registry();
    auto key = std::make_tuple(*ligature, pointSize, scale);
    {
        std::lock_guard lock(r.mutex);
        if (auto cached = r.rendered.find(key); cached != r.rendered.end()) return cached->second;
    }
    Image image = render(*ligature, pointSize, scale);
    std::lock_guard lock(r.mutex);
    r.rendered.emplace(std::move(key), image);
    return image;
}

}  // namespace gfx
