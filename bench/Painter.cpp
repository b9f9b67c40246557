// One phone frame (390 x 844 points at scale 2: 780 x 1688 pixels) with ten rounded cards,
// each with an icon tile holding a symbol, a title and a subtitle: drawn through gfx::Painter
// and with the same Cairo and Pango calls made directly, with text layouts reused across
// frames and created per frame. Also the PNG encoding of that frame, and measuring 1,000
// short strings.
#include "gfx/Painter.h"

#include <benchmark/benchmark.h>
#include <cairo.h>
#include <pango/pangocairo.h>

#include <string>
#include <vector>

#include "gfx/CairoPath.h"
#include "gfx/FontLibrary.h"
#include "gfx/PngCodec.h"
#include "gfx/SymbolImage.h"
#include "gfx/TextLayout.h"

namespace {

constexpr double kScale = 2;
constexpr gfx::Size kFrame{390, 844};
constexpr int kCards = 10;
constexpr double kTextX = 20 + 15 + 40 + 12;
constexpr double kTextWidth = 350 - 15 - 40 - 12 - 15;
const gfx::Color kBackground{0.95, 0.95, 0.96};
const gfx::Color kCardColour{1, 1, 1};
const gfx::Color kAccent{90 / 255.0, 200 / 255.0, 250 / 255.0};
const gfx::Color kTitleColour{0, 0, 0};
const gfx::Color kSubtitleColour{60 / 255.0, 60 / 255.0, 67 / 255.0, 0.6};

gfx::Rect cardFrame(int i) { return {20, 60.0 + i * 76, 350, 68}; }
gfx::Rect tileFrame(int i) { return {35, cardFrame(i).y + 14, 40, 40}; }
std::string titleText(int i) { return "Setting number " + std::to_string(i + 1); }
std::string subtitleText(int i) {
    return "A short description of what setting " + std::to_string(i + 1) + " does";
}

const gfx::Image& symbol() {
    static gfx::Image image = gfx::SymbolImage::named("switch.2", 24, kScale);
    return image;
}

// ---- through gfx::Painter ----

struct PainterText {
    std::vector<gfx::TextLayout> titles, subtitles;
};

gfx::TextLayout makeLayout(const std::string& text, double size, gfx::FontWeight weight) {
    gfx::TextLayout layout(text, gfx::Font::system(size, weight));
    layout.setWidth(kTextWidth);
    layout.setMaximumLines(1);
    return layout;
}

PainterText painterText() {
    PainterText text;
    for (int i = 0; i < kCards; ++i) {
        text.titles.push_back(makeLayout(titleText(i), 16, gfx::FontWeight::Semibold));
        text.subtitles.push_back(makeLayout(subtitleText(i), 13, gfx::FontWeight::Regular));
    }
    return text;
}

void drawWithPainter(gfx::Painter& painter, const PainterText& text) {
    painter.clear(kBackground);
    for (int i = 0; i < kCards; ++i) {
        painter.fillRoundedRect(cardFrame(i), gfx::CornerStyle::continuous(20), kCardColour);
        painter.fillRoundedRect(tileFrame(i), gfx::CornerStyle::continuous(12),
                                kAccent.withAlphaComponent(0.4));
        painter.drawImage(symbol(), tileFrame(i).insetBy(8, 8), gfx::ContentMode::ScaleAspectFit, kAccent);
        painter.drawText(text.titles[i], {kTextX, cardFrame(i).y + 14}, kTitleColour);
        painter.drawText(text.subtitles[i], {kTextX, cardFrame(i).y + 36}, kSubtitleColour);
    }
}

void BM_FramePainterReusedLayouts(benchmark::State& state) {
    gfx::Painter painter(kFrame, kScale);
    PainterText text = painterText();
    for (auto _ : state) drawWithPainter(painter, text);
}
BENCHMARK(BM_FramePainterReusedLayouts)->Unit(benchmark::kMillisecond);

void BM_FramePainterNewLayouts(benchmark::State& state) {
    gfx::Painter painter(kFrame, kScale);
    for (auto _ : state) drawWithPainter(painter, painterText());
}
BENCHMARK(BM_FramePainterNewLayouts)->Unit(benchmark::kMillisecond);

// ---- Cairo and Pango directly ----

struct DirectText {
    PangoFontDescription* titleFont;
    PangoFontDescription* subtitleFont;
    std::vector<PangoLayout*> titles, subtitles;

    DirectText() {
        titleFont = pango_font_description_from_string("Inter,Noto Color Emoji Semi-Bold 16px");
        subtitleFont = pango_font_description_from_string("Inter,Noto Color Emoji 13px");
    }
    ~DirectText() {
        clear();
        pango_font_description_free(titleFont);
        pango_font_description_free(subtitleFont);
    }
    PangoLayout* layout(const std::string& text, PangoFontDescription* font) {
        PangoLayout* layout = pango_layout_new(gfx::FontLibrary::shared().context());
        pango_layout_set_font_description(layout, font);
        pango_layout_set_text(layout, text.c_str(), int(text.size()));
        pango_layout_set_width(layout, int(kTextWidth * PANGO_SCALE));
        pango_layout_set_height(layout, -1);
        pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
        return layout;
    }
    void make() {
        for (int i = 0; i < kCards; ++i) {
            titles.push_back(layout(titleText(i), titleFont));
            subtitles.push_back(layout(subtitleText(i), subtitleFont));
        }
    }
    void clear() {
        for (PangoLayout* layout : titles) g_object_unref(layout);
        for (PangoLayout* layout : subtitles) g_object_unref(layout);
        titles.clear();
        subtitles.clear();
    }
};

void setColour(cairo_t* cr, const gfx::Color& c) {
    cairo_set_source_rgba(cr, c.red(), c.green(), c.blue(), c.alpha());
}

void drawDirect(cairo_t* cr, cairo_surface_t* symbolSurface, const DirectText& text) {
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    setColour(cr, kBackground);
    cairo_paint(cr);
    cairo_restore(cr);
    for (int i = 0; i < kCards; ++i) {
        gfx::appendRoundedRect(cr, cardFrame(i), gfx::CornerStyle::continuous(20));
        setColour(cr, kCardColour);
        cairo_fill(cr);
        gfx::appendRoundedRect(cr, tileFrame(i), gfx::CornerStyle::continuous(12));
        setColour(cr, kAccent.withAlphaComponent(0.4));
        cairo_fill(cr);
        gfx::Rect icon = tileFrame(i).insetBy(8, 8);
        cairo_save(cr);
        cairo_translate(cr, icon.x, icon.y);
        cairo_scale(cr, icon.width / cairo_image_surface_get_width(symbolSurface),
                    icon.height / cairo_image_surface_get_height(symbolSurface));
        setColour(cr, kAccent);
        cairo_mask_surface(cr, symbolSurface, 0, 0);
        cairo_restore(cr);
        cairo_move_to(cr, kTextX, cardFrame(i).y + 14);
        setColour(cr, kTitleColour);
        pango_cairo_show_layout(cr, text.titles[i]);
        cairo_move_to(cr, kTextX, cardFrame(i).y + 36);
        setColour(cr, kSubtitleColour);
        pango_cairo_show_layout(cr, text.subtitles[i]);
    }
}

struct DirectCanvas {
    cairo_surface_t* surface;
    cairo_t* cr;
    cairo_surface_t* symbolSurface;

    DirectCanvas() {
        surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(kFrame.width * kScale),
                                             int(kFrame.height * kScale));
        cr = cairo_create(surface);
        cairo_scale(cr, kScale, kScale);
        const gfx::Image& image = symbol();
        symbolSurface = cairo_image_surface_create_for_data(
            reinterpret_cast<unsigned char*>(const_cast<std::uint32_t*>(image.data())), CAIRO_FORMAT_ARGB32,
            image.pixelWidth(), image.pixelHeight(), image.pixelWidth() * 4);
    }
    ~DirectCanvas() {
        cairo_surface_destroy(symbolSurface);
        cairo_destroy(cr);
        cairo_surface_destroy(surface);
    }
};

void BM_FrameDirectReusedLayouts(benchmark::State& state) {
    DirectCanvas canvas;
    DirectText text;
    text.make();
    for (auto _ : state) drawDirect(canvas.cr, canvas.symbolSurface, text);
}
BENCHMARK(BM_FrameDirectReusedLayouts)->Unit(benchmark::kMillisecond);

void BM_FrameDirectNewLayouts(benchmark::State& state) {
    DirectCanvas canvas;
    DirectText text;
    for (auto _ : state) {
        text.make();
        drawDirect(canvas.cr, canvas.symbolSurface, text);
        text.clear();
    }
}
BENCHMARK(BM_FrameDirectNewLayouts)->Unit(benchmark::kMillisecond);

// ---- PNG encoding of the frame ----

void BM_FramePngEncode(benchmark::State& state) {
    gfx::Painter painter(kFrame, kScale);
    drawWithPainter(painter, painterText());
    std::size_t bytes = 0;
    for (auto _ : state) bytes = painter.encodePng().value().size();
    state.counters["bytes"] = double(bytes);
}
BENCHMARK(BM_FramePngEncode)->Unit(benchmark::kMillisecond);

cairo_status_t countBytes(void* closure, const unsigned char*, unsigned int length) {
    *static_cast<std::size_t*>(closure) += length;
    return CAIRO_STATUS_SUCCESS;
}

void BM_FramePngEncodeCairoWriter(benchmark::State& state) {
    DirectCanvas canvas;
    DirectText text;
    text.make();
    drawDirect(canvas.cr, canvas.symbolSurface, text);
    std::size_t bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        cairo_surface_write_to_png_stream(canvas.surface, countBytes, &bytes);
    }
    state.counters["bytes"] = double(bytes);
}
BENCHMARK(BM_FramePngEncodeCairoWriter)->Unit(benchmark::kMillisecond);

// ---- measuring ----

std::vector<std::string> shortStrings() {
    std::vector<std::string> strings;
    for (int i = 0; i < 1000; ++i) strings.push_back("Option " + std::to_string(i) + " title");
    return strings;
}

void BM_Measure1000ShortStrings(benchmark::State& state) {
    auto strings = shortStrings();
    gfx::Font font = gfx::Font::system(17);
    for (auto _ : state) {
        double total = 0;
        for (const std::string& s : strings) total += gfx::TextLayout::measure(s, font).width;
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_Measure1000ShortStrings)->Unit(benchmark::kMillisecond);

void BM_Measure1000ShortStringsUncached(benchmark::State& state) {
    auto strings = shortStrings();
    gfx::Font font = gfx::Font::system(17);
    for (auto _ : state) {
        double total = 0;
        for (const std::string& s : strings) total += gfx::TextLayout::measureUncached(s, font).width;
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_Measure1000ShortStringsUncached)->Unit(benchmark::kMillisecond);

void BM_Measure1000ShortStringsReusedLayout(benchmark::State& state) {
    auto strings = shortStrings();
    gfx::TextLayout layout("", gfx::Font::system(17));
    for (auto _ : state) {
        double total = 0;
        for (const std::string& s : strings) {
            layout.setText(s);
            total += layout.size().width;
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_Measure1000ShortStringsReusedLayout)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
