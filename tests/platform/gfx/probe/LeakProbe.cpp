// Renders text and images the way the kit does, then exits; with the argument "leak" it first
// forgets to free three objects, so the sanitizer test can check that such a leak is reported
// despite the suppressions for the font libraries' own caches.
#include <cairo.h>
#include <pango/pangocairo.h>

#include <cstdio>
#include <cstring>

#include "gfx/FontLibrary.h"
#include "gfx/Image.h"
#include "gfx/Painter.h"
#include "gfx/TextLayout.h"

namespace {

void renderCard() {
    gfx::Painter painter({200, 80}, 2);
    painter.fillRoundedRect({0, 0, 200, 80}, gfx::CornerStyle::continuous(16), gfx::Color::whiteColor());
    gfx::TextLayout title("Leak probe 🍎", gfx::Font::system(17, gfx::FontWeight::Semibold));
    title.setWidth(180);
    title.setMaximumLines(1);
    painter.drawText(title, {10, 10}, gfx::Color::label());
    painter.drawBlur({0, 40, 200, 40}, gfx::BlurStyle::SystemMaterial);
    auto png = painter.encodePng();
    if (png.ok()) (void)gfx::Image::decode(png.value());
}

}  // namespace

// Each leak happens in a function of its own, so no copy of the pointer stays in main's frame.
[[gnu::noinline]] void leakTextLayout() { (void)new gfx::TextLayout("never freed", gfx::Font::system(12)); }

[[gnu::noinline]] void leakPangoLayout() {
    PangoLayout* layout = pango_layout_new(gfx::FontLibrary::shared().context());
    pango_layout_set_text(layout, "never freed", -1);
    int width = 0, height = 0;
    pango_layout_get_size(layout, &width, &height);
}

[[gnu::noinline]] void leakSurface() { (void)cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 64, 64); }

int main(int argc, char** argv) {
    renderCard();
    const char* mode = argc > 1 ? argv[1] : "clean";
    if (std::strcmp(mode, "leak") == 0) {
        leakTextLayout();
        leakPangoLayout();
        leakSurface();
    } else if (std::strcmp(mode, "clean") != 0) {
        std::fprintf(stderr, "unknown mode %s\n", mode);
        return 2;
    }
    return 0;
}
