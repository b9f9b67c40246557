#include "gfx/FontLibrary.h"

#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>

#include <algorithm>
#include <filesystem>

#include "base/Log.h"

namespace gfx {
namespace {

// Where Debian's fonts-inter, fonts-noto-color-emoji and fonts-material-design-icons-iconfont
// put their files.
constexpr const char* kInterDirectory = "/usr/share/fonts/opentype/inter";
constexpr const char* kFixedFiles[] = {
    "/usr/share/fonts/truetype/noto/NotoColorEmoji.ttf",
    "/usr/share/fonts/truetype/material-design-icons-iconfont/MaterialIcons-Regular.ttf",
};

// The colour emoji font is a bitmap font with one large strike. Bitmap faces get a matrix that
// scales the strike to the requested pixel size (and the size is corrected to match), so
// emoji sit in a line of text at its size rather than at the strike's.
constexpr const char* kConfiguration = R"(<?xml version="1.0"?>
<fontconfig>
  <match target="font">
    <test name="outline" compare="eq"><bool>false</bool></test>
    <edit name="pixelsizefixupfactor" mode="assign">
      <divide><name target="pattern">pixelsize</name><name target="font">pixelsize</name></divide>
    </edit>
  </match>
  <match target="font">
    <test name="outline" compare="eq"><bool>false</bool></test>
    <test name="pixelsizefixupfactor" compare="not_eq"><double>1.0</double></test>
    <edit name="matrix" mode="assign">
      <times>
        <name>matrix</name>
        <matrix><name>pixelsizefixupfactor</name><double>0</double>
                <double>0</double><name>pixelsizefixupfactor</name></matrix>
      </times>
    </edit>
    <edit name="size" mode="assign"><divide><name>size</name><name>pixelsizefixupfactor</name></divide></edit>
  </match>
</fontconfig>
)";

std::vector<std::string> fontFiles() {
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(kInterDirectory, error)) {
        std::string name = entry.path().filename().string();
        // Upright and italic Inter text faces; the display optical size is not part of the set.
        if (name.starts_with("Inter-") && name.ends_with(".otf")) files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    for (const char* file : kFixedFiles) files.emplace_back(file);
    return files;
}

std::vector<std::string> listFamilies(FcConfig* config) {
    std::vector<std::string> families;
    FcPattern* pattern = FcPatternCreate();
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* set = FcFontList(config, pattern, objects);
    for (int i = 0; set && i < set->nfont; ++i) {
        FcChar8* family = nullptr;
        // Only the first (primary) family name of each face.
        if (FcPatternGetString(set->fonts[i], FC_FAMILY, 0, &family) == FcResultMatch) {
            families.emplace_back(reinterpret_cast<const char*>(family));
        }
    }
    if (set) FcFontSetDestroy(set);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    std::sort(families.begin(), families.end());
    families.erase(std::unique(families.begin(), families.end()), families.end());
    return families;
}

cairo_font_options_t* fixedFontOptions() {
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_subpixel_order(options, CAIRO_SUBPIXEL_ORDER_RGB);
    return options;
}

}  // namespace

FontLibrary& FontLibrary::shared() {
    // Lives for the whole process: layouts and fonts made from it may outlive any scope.
    static FontLibrary* library = new FontLibrary();
    return *library;
}

FontLibrary::FontLibrary() {
    FcConfig* config = FcConfigCreate();
    if (!FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(kConfiguration), FcTrue)) {
        base::Log::line("gfx: font configuration rejected; emoji will not scale");
    }
    for (const std::string& file : fontFiles()) {
        if (FcConfigAppFontAddFile(config, reinterpret_cast<const FcChar8*>(file.c_str()))) {
            files_.push_back(file);
        } else {
            base::Log::line("gfx: font file missing or unreadable: " + file);
        }
    }
    FcConfigBuildFonts(config);
    families_ = listFamilies(config);

    PangoFontMap* fontMap = pango_cairo_font_map_new_for_font_type(CAIRO_FONT_TYPE_FT);
    pango_fc_font_map_set_config(PANGO_FC_FONT_MAP(fontMap), config);
    FcConfigDestroy(config);  // the font map holds its own reference
    pango_cairo_font_map_set_resolution(PANGO_CAIRO_FONT_MAP(fontMap), 72.0);

    context_ = pango_font_map_create_context(fontMap);
    g_object_unref(fontMap);  // the context keeps the map
    cairo_font_options_t* options = fixedFontOptions();
    pango_cairo_context_set_font_options(context_, options);
    cairo_font_options_destroy(options);
    pango_cairo_context_set_resolution(context_, 72.0);
    pango_context_set_round_glyph_positions(context_, FALSE);
    pango_context_set_language(context_, pango_language_from_string("en"));
}

bool FontLibrary::hasFamily(const std::string& family) const {
    return std::binary_search(families_.begin(), families_.end(), family);
}

}  // namespace gfx
