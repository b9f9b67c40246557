#include "pickers/contacts/VLContactInital.h"

#include <cstdio>

#include "base/Strings.h"
#include "gfx/AttributedString.h"
#include "gfx/ImageContext.h"
#include "gfx/OvalPath.h"
#include "gfx/TextLayout.h"
#include "ui/Application.h"

namespace {

// A stable text for the font in the cache key: equal fonts give equal texts.
std::string describeFont(const gfx::Font& font) {
    char text[64];
    std::snprintf(text, sizeof text, " %f pt weight %d face ", font.pointSize(),
                  static_cast<int>(font.weight()));
    return "font(" + font.family() + text + font.face() + ")";
}

std::string formatNumber(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%f", value);
    return text;
}

}  // namespace

gfx::Image VLContactInital::imageForName(const std::string& name, gfx::Size size) {
    static const gfx::Color kGrey = gfx::Color(0.784, 0.776, 0.8, 1);
    return imageForName(name, size, kGrey, gfx::Color::whiteColor(), gfx::Font::system(size.width * 0.5 - 1));
}

gfx::Image VLContactInital::imageForName(const std::string& name, gfx::Size size,
                                         const gfx::Color& backgroundColor, const gfx::Color& textColor,
                                         const gfx::Font& font) {
    const std::string initials = initialsForName(name);
    const std::string key = initials + "-" + formatNumber(size.width) + "-" + formatNumber(size.height) +
                            "-" + backgroundColor.description() + "-" + textColor.description() + "-" +
                            describeFont(font);
    if (auto cached = imageForKey(key)) return cached;
    gfx::Image image = drawImageForInitials(initials, size, backgroundColor, textColor, font);
    setImage(image, key);
    return image;
}

std::string VLContactInital::initialsForName(const std::string& name) {
    std::string initials;
    std::size_t start = 0;
    for (int position = 0; position < 2 && start <= name.size(); ++position) {
        std::size_t space = name.find(' ', start);
        std::string_view piece = std::string_view(name).substr(
            start, space == std::string::npos ? name.size() - start : space - start);
        if (!piece.empty()) initials += base::strings::firstComposedCharacter(piece);
        if (space == std::string::npos) break;
        start = space + 1;
    }
    return initials;
}

// Passes: an oval clip on a transparent context, the background filled inside it, then one
// line of text centred on the font's line height rather than on the glyphs' own extent.
gfx::Image VLContactInital::drawImageForInitials(const std::string& initials, gfx::Size size,
                                                 const gfx::Color& backgroundColor,
                                                 const gfx::Color& textColor, const gfx::Font& font) {
    if (!(size.width > 0) || !(size.height > 0)) return {};
    gfx::ImageContext context(size, ui::Application::shared().mainScreenScale());
    gfx::Painter& painter = context.painter();
    const gfx::Rect rect{0, 0, size.width, size.height};
    gfx::OvalPath::clip(painter, rect);
    gfx::OvalPath::stroke(painter, rect, gfx::Color::clear(), 1);
    painter.fillRect(rect, backgroundColor);

    gfx::TextLayout layout(initials, font);
    layout.setAttributedText(gfx::AttributedString().append(initials, font, textColor));
    const gfx::Size measured = layout.size();
    const gfx::Point origin{size.width / 2 - measured.width / 2,
                            size.height / 2 - font.metrics().lineHeight / 2};
    painter.drawText(layout, origin, textColor);
    return context.image();
}

std::unordered_map<std::string, gfx::Image>& VLContactInital::cachedImages() {
    // Created once on first use; entries are never removed.
    static auto* images = new std::unordered_map<std::string, gfx::Image>();
    return *images;
}

gfx::Image VLContactInital::imageForKey(const std::string& key) {
    auto& images = cachedImages();
    auto found = images.find(key);
    return found == images.end() ? gfx::Image() : found->second;
}

void VLContactInital::setImage(const gfx::Image& image, const std::string& key) {
    cachedImages()[key] = image;
}
