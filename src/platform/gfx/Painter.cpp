#include "gfx/Painter.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <fstream>

#include "gfx/BoxBlur.h"
#include "gfx/CairoPath.h"
#include "gfx/PainterImpl.h"
#include "gfx/PngCodec.h"
#include "gfx/TextLayoutImpl.h"

namespace gfx {
namespace {

base::Error painterError(std::string description) {
    return {Painter::kErrorDomain, 1, std::move(description)};
}

cairo_pattern_t* makeGradient(const LinearGradient& gradient, const TraitCollection& traits) {
    cairo_pattern_t* pattern =
        cairo_pattern_create_linear(gradient.start.x, gradient.start.y, gradient.end.x, gradient.end.y);
    for (const GradientStop& stop : gradient.stops) {
        Color c = stop.color.resolved(traits);
        cairo_pattern_add_color_stop_rgba(pattern, std::clamp(stop.location, 0.0, 1.0), c.red(), c.green(),
                                          c.blue(), c.alpha());
    }
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    return pattern;
}

// A Cairo view of an image's pixels; Cairo only reads them.
cairo_surface_t* surfaceForImage(const Image& image) {
    return cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(const_cast<std::uint32_t*>(image.data())), CAIRO_FORMAT_ARGB32,
        image.pixelWidth(), image.pixelHeight(), image.pixelWidth() * 4);
}

// Where an image of `imageSize` points lands in `rect` for a content mode.
Rect placeImage(Size imageSize, const Rect& rect, ContentMode mode) {
    if (mode == ContentMode::ScaleToFill || imageSize.isEmpty()) return rect;
    double factor = 1;
    if (mode == ContentMode::ScaleAspectFit) {
        factor = std::min(rect.width / imageSize.width, rect.height / imageSize.height);
    } else if (mode == ContentMode::ScaleAspectFill) {
        factor = std::max(rect.width / imageSize.width, rect.height / imageSize.height);
    }
    Size placed{imageSize.width * factor, imageSize.height * factor};
    return {rect.midX() - placed.width / 2, rect.midY() - placed.height / 2, placed.width, placed.height};
}

// From this radius in pixels on, a blur is made at half resolution.
constexpr int kHalfResolutionRadius = 8;

struct Material {
    Color tint;
    double sigma;  // blur strength in points
};

Material materialFor(BlurStyle style, const TraitCollection& traits) {
    switch (style) {
        case BlurStyle::Light:
            return {{1.0, 1.0, 1.0, 0.45}, 10};
        case BlurStyle::Dark:
            return {{0.07, 0.07, 0.08, 0.6}, 10};
        case BlurStyle::SystemMaterial:
            return traits.isDark() ? Material{{0.14, 0.14, 0.15, 0.78}, 15}
                                   : Material{{0.97, 0.97, 0.98, 0.78}, 15};
    }
    return {{1, 1, 1, 0.45}, 10};
}

// The device-pixel box covering `rect` under the current transform, within the surface.
struct PixelBox {
    int x0, y0, x1, y1;
    bool isEmpty() const { return x1 <= x0 || y1 <= y0; }
};

// The device-space bounding box of `rect` (user space) under the current transform.
struct DeviceBounds {
    double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
};

DeviceBounds deviceBounds(cairo_t* cr, const Rect& rect) {
    double xs[4] = {rect.minX(), rect.maxX(), rect.minX(), rect.maxX()};
    double ys[4] = {rect.minY(), rect.minY(), rect.maxY(), rect.maxY()};
    DeviceBounds bounds;
    for (int i = 0; i < 4; ++i) {
        cairo_user_to_device(cr, &xs[i], &ys[i]);
        bounds.minX = std::min(bounds.minX, xs[i]);
        bounds.maxX = std::max(bounds.maxX, xs[i]);
        bounds.minY = std::min(bounds.minY, ys[i]);
        bounds.maxY = std::max(bounds.maxY, ys[i]);
    }
    return bounds;
}

PixelBox deviceBox(cairo_t* cr, const Rect& rect, int width, int height, int margin) {
    DeviceBounds b = deviceBounds(cr, rect);
    return {std::clamp(int(std::floor(b.minX)) - margin, 0, width),
            std::clamp(int(std::floor(b.minY)) - margin, 0, height),
            std::clamp(int(std::ceil(b.maxX)) + margin, 0, width),
            std::clamp(int(std::ceil(b.maxY)) + margin, 0, height)};
}

// The device pixels that drawing within `rect` (user space) can touch, antialiasing included.
Rect touchedPixels(cairo_t* cr, const Rect& rect) {
    DeviceBounds b = deviceBounds(cr, rect);
    double left = std::floor(b.minX) - 1, top = std::floor(b.minY) - 1;
    return {left, top, std::ceil(b.maxX) + 1 - left, std::ceil(b.maxY) + 1 - top};
}

// For one drawing operation: gives Cairo the deferred rounded clips that could change what the
// operation draws (all of them when its extent is unknown), and takes them back afterwards.
class ClipsForOperation {
public:
    ClipsForOperation(Painter::Impl& impl, const std::optional<Rect>& extent) : cr_(impl.cr) {
        if (impl.roundedClips.empty()) return;
        std::optional<Rect> pixels;
        if (extent) pixels = touchedPixels(cr_, *extent);
        for (const DeferredRoundedClip& clip : impl.roundedClips) {
            if (pixels && clip.leavesUntouched(*pixels)) continue;
            if (!saved_) cairo_save(cr_);
            saved_ = true;
            clip.applyTo(cr_);
        }
    }
    ~ClipsForOperation() {
        if (saved_) cairo_restore(cr_);
    }
    ClipsForOperation(const ClipsForOperation&) = delete;
    ClipsForOperation& operator=(const ClipsForOperation&) = delete;

private:
    cairo_t* cr_;
    bool saved_ = false;
};

// The ink of a laid-out text at `origin`, in user space.
Rect textInk(const TextLayout& layout, Point origin) {
    PangoRectangle ink;
    pango_layout_get_extents(layout.impl().laidOut(), &ink, nullptr);
    return {origin.x + double(ink.x) / PANGO_SCALE, origin.y + double(ink.y) / PANGO_SCALE,
            double(ink.width) / PANGO_SCALE, double(ink.height) / PANGO_SCALE};
}

}  // namespace

Painter::Painter(Size size, double scale) : impl_(std::make_unique<Impl>()) {
    impl_->scale = scale > 0 ? scale : 1.0;
    impl_->size = size;
    int width = std::max(0, int(std::lround(size.width * impl_->scale)));
    int height = std::max(0, int(std::lround(size.height * impl_->scale)));
    impl_->surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    impl_->cr = cairo_create(impl_->surface);
    cairo_scale(impl_->cr, impl_->scale, impl_->scale);
}

Painter::~Painter() {
    cairo_destroy(impl_->cr);
    cairo_surface_destroy(impl_->surface);
}

void Painter::clear() {
    cairo_destroy(impl_->cr);
    impl_->cr = cairo_create(impl_->surface);
    cairo_set_operator(impl_->cr, CAIRO_OPERATOR_CLEAR);
    cairo_paint(impl_->cr);
    cairo_set_operator(impl_->cr, CAIRO_OPERATOR_OVER);
    cairo_scale(impl_->cr, impl_->scale, impl_->scale);
    impl_->roundedClips.clear();
    impl_->roundedClipsAtSave.clear();
}

Painter::PixelView Painter::pixels() const {
    cairo_surface_flush(impl_->surface);
    return {reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(impl_->surface)),
            pixelWidth(), pixelHeight(), cairo_image_surface_get_stride(impl_->surface) / 4};
}

int Painter::pixelWidth() const { return cairo_image_surface_get_width(impl_->surface); }
int Painter::pixelHeight() const { return cairo_image_surface_get_height(impl_->surface); }
double Painter::scale() const { return impl_->scale; }
Size Painter::size() const { return impl_->size; }

void Painter::setTraitCollection(const TraitCollection& traits) { impl_->traits = traits; }
const TraitCollection& Painter::traitCollection() const { return impl_->traits; }

void Painter::save() { impl_->saveState(); }
void Painter::restore() { impl_->restoreState(); }
void Painter::translate(double dx, double dy) { cairo_translate(impl_->cr, dx, dy); }
void Painter::scaleBy(double sx, double sy) { cairo_scale(impl_->cr, sx, sy); }
void Painter::rotate(double radians) { cairo_rotate(impl_->cr, radians); }

void Painter::concat(const AffineTransform& t) {
    cairo_matrix_t matrix;
    cairo_matrix_init(&matrix, t.a, t.b, t.c, t.d, t.tx, t.ty);
    cairo_transform(impl_->cr, &matrix);
}

void Painter::clipToRect(const Rect& rect) {
    cairo_rectangle(impl_->cr, rect.x, rect.y, rect.width, rect.height);
    cairo_clip(impl_->cr);
}

void Painter::clipToRoundedRect(const Rect& rect, const CornerStyle& corners) {
    DeferredRoundedClip clip(impl_->cr, rect, corners);
    if (clip.isPixelAligned()) clip.applyBoundingBoxTo(impl_->cr);
    impl_->roundedClips.push_back(clip);
}

void Painter::clear(const Color& color) {
    ClipsForOperation clips(*impl_, std::nullopt);
    cairo_save(impl_->cr);
    cairo_set_operator(impl_->cr, CAIRO_OPERATOR_SOURCE);
    impl_->setSource(color);
    cairo_paint(impl_->cr);
    cairo_restore(impl_->cr);
}

void Painter::fillRect(const Rect& rect, const Color& color) {
    ClipsForOperation clips(*impl_, rect);
    cairo_rectangle(impl_->cr, rect.x, rect.y, rect.width, rect.height);
    impl_->setSource(color);
    cairo_fill(impl_->cr);
}

void Painter::strokeRect(const Rect& rect, const Color& color, double lineWidth) {
    ClipsForOperation clips(*impl_, rect);
    // The stroke lies inside the rectangle, as a layer border does.
    Rect inner = rect.insetBy(lineWidth / 2, lineWidth / 2);
    cairo_rectangle(impl_->cr, inner.x, inner.y, inner.width, inner.height);
    impl_->setSource(color);
    cairo_set_line_width(impl_->cr, lineWidth);
    cairo_stroke(impl_->cr);
}

void Painter::fillRoundedRect(const Rect& rect, const CornerStyle& corners, const Color& color) {
    ClipsForOperation clips(*impl_, rect);
    impl_->setSource(color);
    if (impl_->roundedRectMasks.fill(impl_->cr, rect, corners)) return;
    cairo_new_path(impl_->cr);
    appendRoundedRect(impl_->cr, rect, corners);
    cairo_fill(impl_->cr);
}

void Painter::strokeRoundedRect(const Rect& rect, const CornerStyle& corners, const Color& color,
                                double lineWidth) {
    ClipsForOperation clips(*impl_, rect);
    CornerStyle inner = corners;
    inner.radius = std::max(0.0, corners.radius - lineWidth / 2);
    cairo_new_path(impl_->cr);
    appendRoundedRect(impl_->cr, rect.insetBy(lineWidth / 2, lineWidth / 2), inner);
    impl_->setSource(color);
    cairo_set_line_width(impl_->cr, lineWidth);
    cairo_stroke(impl_->cr);
}

void Painter::fillEllipse(const Rect& rect, const Color& color) {
    if (rect.isEmpty()) return;
    ClipsForOperation clips(*impl_, rect);
    cairo_t* cr = impl_->cr;
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_translate(cr, rect.midX(), rect.midY());
    cairo_scale(cr, rect.width / 2, rect.height / 2);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    impl_->setSource(color);
    cairo_fill(cr);
}

void Painter::fillLinearGradient(const Rect& rect, const LinearGradient& gradient) {
    ClipsForOperation clips(*impl_, rect);
    cairo_pattern_t* pattern = makeGradient(gradient, impl_->traits);
    cairo_rectangle(impl_->cr, rect.x, rect.y, rect.width, rect.height);
    cairo_set_source(impl_->cr, pattern);
    cairo_fill(impl_->cr);
    cairo_pattern_destroy(pattern);
}

void Painter::beginLayer() {
    impl_->saveState();
    cairo_push_group(impl_->cr);
}

// The group is composited under the clips in force when it began; those set inside it end
// with it.
void Painter::endLayer(double opacity) {
    cairo_pop_group_to_source(impl_->cr);
    {
        ClipsForOperation clips(*impl_, std::nullopt);
        cairo_paint_with_alpha(impl_->cr, std::clamp(opacity, 0.0, 1.0));
    }
    impl_->restoreState();
}

void Painter::endLayerWithMask(const LinearGradient& mask) {
    cairo_pop_group_to_source(impl_->cr);
    cairo_pattern_t* pattern = makeGradient(mask, impl_->traits);
    {
        ClipsForOperation clips(*impl_, std::nullopt);
        cairo_mask(impl_->cr, pattern);
    }
    cairo_pattern_destroy(pattern);
    impl_->restoreState();
}

void Painter::drawImage(const Image& image, const Rect& rect, ContentMode mode,
                        const std::optional<Color>& tint) {
    if (image.isNull() || rect.isEmpty()) return;
    ClipsForOperation clips(*impl_, rect);
    cairo_t* cr = impl_->cr;
    Rect placed = placeImage(image.size(), rect, mode);
    cairo_surface_t* source = surfaceForImage(image);
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(source);
    // Pattern space is image pixels: map the placed rectangle onto them.
    cairo_matrix_t matrix;
    cairo_matrix_init_scale(&matrix, image.pixelWidth() / placed.width, image.pixelHeight() / placed.height);
    cairo_matrix_translate(&matrix, -placed.x, -placed.y);
    cairo_pattern_set_matrix(pattern, &matrix);
    cairo_pattern_set_filter(pattern, CAIRO_FILTER_GOOD);
    // Edge pixels repeat outwards, so a scaled image does not fade at its own border.
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);

    cairo_save(cr);
    cairo_rectangle(cr, rect.x, rect.y, rect.width, rect.height);
    cairo_clip(cr);
    cairo_rectangle(cr, placed.x, placed.y, placed.width, placed.height);
    cairo_clip(cr);
    if (image.isTemplate()) {
        impl_->setSource(tint.value_or(Color::systemBlue()));
        cairo_mask(cr, pattern);
    } else {
        cairo_set_source(cr, pattern);
        cairo_paint(cr);
    }
    cairo_restore(cr);
    cairo_pattern_destroy(pattern);
    cairo_surface_finish(source);
    cairo_surface_destroy(source);
}

void Painter::drawText(const TextLayout& layout, Point origin, const Color& color) {
    layout.impl().setColorTraits(impl_->traits);
    ClipsForOperation clips(*impl_, textInk(layout, origin));
    cairo_t* cr = impl_->cr;
    cairo_save(cr);
    cairo_move_to(cr, origin.x, origin.y);
    impl_->setSource(color);
    layout.impl().setColorTraits(impl_->traits);
    pango_cairo_show_layout(cr, layout.impl().laidOut());
    cairo_restore(cr);
}

void Painter::drawTextShadow(const TextLayout& layout, Point origin, const Color& color) {
    // Without run colours the glyphs draw as they do for the text itself; with them, their
    // outlines are filled instead, as Pango would paint each run in its own colour.
    if (!layout.impl().hasColors()) {
        drawText(layout, origin, color);
        return;
    }
    layout.impl().setColorTraits(impl_->traits);
    ClipsForOperation clips(*impl_, textInk(layout, origin));
    cairo_t* cr = impl_->cr;
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, origin.x, origin.y);
    impl_->setSource(color);
    pango_cairo_layout_path(cr, layout.impl().laidOut());
    cairo_fill(cr);
    cairo_restore(cr);
}

void Painter::drawBlur(const Rect& rect, BlurStyle style) {
    cairo_t* cr = impl_->cr;
    Material material = materialFor(style, impl_->traits);
    int radius = std::max(1, int(std::lround(material.sigma * impl_->scale)));
    int width = pixelWidth(), height = pixelHeight();
    // 1. Copy what lies behind, with a margin so the blur at the edges sees its neighbours.
    PixelBox box = deviceBox(cr, rect, width, height, 2 * radius);
    if (box.isEmpty()) return;
    ClipsForOperation clips(*impl_, rect);
    cairo_surface_flush(impl_->surface);
    int boxWidth = box.x1 - box.x0, boxHeight = box.y1 - box.y0;
    int stride = cairo_image_surface_get_stride(impl_->surface) / 4;
    const auto* source = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(impl_->surface));
    std::vector<std::uint32_t> pixels(std::size_t(boxWidth) * boxHeight);
    for (int y = 0; y < boxHeight; ++y) {
        const std::uint32_t* row = source + std::size_t(box.y0 + y) * stride + box.x0;
        std::copy(row, row + boxWidth, pixels.begin() + std::ptrdiff_t(y) * boxWidth);
    }
    // 2. Blur the copy; a wide blur at half resolution, scaled back up smoothly.
    bool half = radius >= kHalfResolutionRadius;
    HalfBlur small;
    if (half) {
        small = halfResolutionBlur(pixels.data(), boxWidth, boxHeight, radius);
    } else {
        boxBlur(pixels.data(), boxWidth, boxHeight, boxWidth, radius);
    }
    std::uint32_t* blurredPixels = half ? small.pixels.data() : pixels.data();
    int blurredWidth = half ? small.width : boxWidth, blurredHeight = half ? small.height : boxHeight;
    // 3. Put it back inside the rectangle (and the current clip), then tint it.
    cairo_surface_t* blurred = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(blurredPixels), CAIRO_FORMAT_ARGB32, blurredWidth, blurredHeight,
        blurredWidth * 4);
    cairo_save(cr);
    cairo_rectangle(cr, rect.x, rect.y, rect.width, rect.height);
    cairo_clip(cr);
    cairo_identity_matrix(cr);
    cairo_translate(cr, box.x0, box.y0);
    if (half) cairo_scale(cr, 2, 2);
    cairo_set_source_surface(cr, blurred, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BILINEAR);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    cairo_identity_matrix(cr);
    impl_->setSource(material.tint);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_finish(blurred);
    cairo_surface_destroy(blurred);
}

Image Painter::makeImage() const {
    cairo_surface_flush(impl_->surface);
    int width = pixelWidth(), height = pixelHeight();
    int stride = cairo_image_surface_get_stride(impl_->surface) / 4;
    const auto* data = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(impl_->surface));
    std::vector<std::uint32_t> pixels(std::size_t(width) * height);
    for (int y = 0; y < height; ++y) {
        std::copy(data + std::size_t(y) * stride, data + std::size_t(y) * stride + width,
                  pixels.begin() + std::ptrdiff_t(y) * width);
    }
    return Image(width, height, std::move(pixels), impl_->scale);
}

base::Result<base::Data> Painter::encodePng() const {
    cairo_surface_flush(impl_->surface);
    base::Data out;
    std::string error;
    const auto* data = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(impl_->surface));
    if (!PngCodec::encode(data, pixelWidth(), pixelHeight(),
                          cairo_image_surface_get_stride(impl_->surface) / 4, out, error)) {
        return painterError(error);
    }
    return out;
}

base::Result<void> Painter::writePng(const std::filesystem::path& path) const {
    auto png = encodePng();
    if (!png) return png.error();
    // Write beside the target, then rename over it: a reader sees the old or the new file.
    std::filesystem::path temporary = path;
    temporary += ".tmp";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(png.value().data()), std::streamsize(png.value().size()));
        file.flush();
        if (!file) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return painterError("cannot write " + temporary.string());
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) return painterError("cannot replace " + path.string() + ": " + error.message());
    return {};
}

}  // namespace gfx
