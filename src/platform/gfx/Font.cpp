#include "gfx/Font.h"

#include <algorithm>

#include "gfx/FontLibrary.h"

namespace gfx {
namespace {

PangoWeight pangoWeight(FontWeight weight) {
    switch (weight) {
        case FontWeight::Regular:
            return PANGO_WEIGHT_NORMAL;
        case FontWeight::Medium:
            return PANGO_WEIGHT_MEDIUM;
        case FontWeight::Semibold:
            return PANGO_WEIGHT_SEMIBOLD;
        case FontWeight::Bold:
            return PANGO_WEIGHT_BOLD;
        case FontWeight::Heavy:
            return PANGO_WEIGHT_ULTRABOLD;
    }
    return PANGO_WEIGHT_NORMAL;
}

bool faceMentions(const std::string& face, const char* word) { return face.find(word) != std::string::npos; }

// A face name may carry a weight of its own ("Bold Italic"); it then wins over `weight`.
PangoWeight weightForFace(const std::string& face, FontWeight weight) {
    if (faceMentions(face, "Black") || faceMentions(face, "Heavy")) return PANGO_WEIGHT_HEAVY;
    if (faceMentions(face, "Extra Bold") || faceMentions(face, "ExtraBold")) return PANGO_WEIGHT_ULTRABOLD;
    if (faceMentions(face, "Semi Bold") || faceMentions(face, "SemiBold")) return PANGO_WEIGHT_SEMIBOLD;
    if (faceMentions(face, "Bold")) return PANGO_WEIGHT_BOLD;
    if (faceMentions(face, "Medium")) return PANGO_WEIGHT_MEDIUM;
    if (faceMentions(face, "Extra Light") || faceMentions(face, "ExtraLight")) return PANGO_WEIGHT_ULTRALIGHT;
    if (faceMentions(face, "Light")) return PANGO_WEIGHT_LIGHT;
    if (faceMentions(face, "Thin")) return PANGO_WEIGHT_THIN;
    return pangoWeight(weight);
}

}  // namespace

Font Font::make(std::string family, double pointSize, FontWeight weight, std::string face) {
    auto resolved = std::make_shared<Resolved>();
    resolved->family = std::move(family);
    resolved->pointSize = std::max(pointSize, 0.0);
    resolved->weight = weight;
    resolved->face = std::move(face);
    PangoFontDescription* description = pango_font_description_new();
    // Emoji come from the colour emoji font whatever the text font is.
    std::string families = resolved->family + "," + FontLibrary::kEmojiFamily;
    pango_font_description_set_family(description, families.c_str());
    pango_font_description_set_absolute_size(description, resolved->pointSize * PANGO_SCALE);
    pango_font_description_set_weight(description, weightForFace(resolved->face, weight));
    bool italic = faceMentions(resolved->face, "Italic") || faceMentions(resolved->face, "Oblique");
    pango_font_description_set_style(description, italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    resolved->description = description;
    return Font(std::move(resolved));
}

Font Font::system(double pointSize, FontWeight weight) { return make(kSystemFamily, pointSize, weight, {}); }

std::optional<Font> Font::named(const std::string& family, double pointSize, FontWeight weight,
                                const std::string& face) {
    if (!FontLibrary::shared().hasFamily(family)) return std::nullopt;
    return make(family, pointSize, weight, face);
}

std::vector<std::string> Font::familyNames() { return FontLibrary::shared().families(); }

std::vector<std::string> Font::faceNames(const std::string& family) {
    std::vector<std::string> names;
    PangoFontMap* map = pango_context_get_font_map(FontLibrary::shared().context());
    PangoFontFamily** families = nullptr;
    int familyCount = 0;
    pango_font_map_list_families(map, &families, &familyCount);
    for (int i = 0; i < familyCount; ++i) {
        if (family != pango_font_family_get_name(families[i])) continue;
        PangoFontFace** faces = nullptr;
        int faceCount = 0;
        pango_font_family_list_faces(families[i], &faces, &faceCount);
        for (int j = 0; j < faceCount; ++j) names.emplace_back(pango_font_face_get_face_name(faces[j]));
        g_free(faces);
    }
    g_free(families);
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

const std::string& Font::family() const { return resolved_->family; }
double Font::pointSize() const { return resolved_->pointSize; }
FontWeight Font::weight() const { return resolved_->weight; }
const std::string& Font::face() const { return resolved_->face; }

Font Font::withSize(double pointSize) const { return make(family(), pointSize, weight(), face()); }

FontMetrics Font::metrics() const {
    if (!resolved_->hasMetrics) {
        PangoFontMetrics* metrics =
            pango_context_get_metrics(FontLibrary::shared().context(), resolved_->description, nullptr);
        resolved_->metrics.ascent = pango_font_metrics_get_ascent(metrics) / double(PANGO_SCALE);
        resolved_->metrics.descent = pango_font_metrics_get_descent(metrics) / double(PANGO_SCALE);
        double height = pango_font_metrics_get_height(metrics) / double(PANGO_SCALE);
        resolved_->metrics.lineHeight =
            height > 0 ? height : resolved_->metrics.ascent + resolved_->metrics.descent;
        pango_font_metrics_unref(metrics);
        resolved_->hasMetrics = true;
    }
    return resolved_->metrics;
}

bool Font::operator==(const Font& other) const {
    return family() == other.family() && pointSize() == other.pointSize() && weight() == other.weight() &&
           face() == other.face();
}

}  // namespace gfx
