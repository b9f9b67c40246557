#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

#include "base/Result.h"
#include "base/Value.h"
#include "gfx/Color.h"
#include "gfx/CornerStyle.h"
#include "gfx/Geometry.h"
#include "gfx/Gradient.h"
#include "gfx/Image.h"
#include "gfx/TraitCollection.h"

namespace gfx {

class TextLayout;

enum class ContentMode { ScaleToFill, ScaleAspectFit, ScaleAspectFill, Center };

// Frosted backdrop materials: a blurred copy of what lies behind, tinted. The system material
// adapts to the painter's trait collection.
enum class BlurStyle { Light, Dark, SystemMaterial };

// Draws into an offscreen RGBA bitmap through Cairo. Coordinates are points; the painter
// starts with the scale applied, so a 390 x 844 point frame at scale 2 is 780 x 1688 pixels.
// Dynamic colours are resolved against the painter's trait collection.
//
// State (transform, clip) is saved and restored in pairs; layers (opacity groups, masks)
// nest inside that state. Not thread-safe.
class Painter {
public:
    static constexpr const char* kErrorDomain = "gfx.Painter";

    // A transparent canvas of `size` points at `scale` pixels per point.
    Painter(Size size, double scale = 1.0);
    ~Painter();
    Painter(const Painter&) = delete;
    Painter& operator=(const Painter&) = delete;

    int pixelWidth() const;
    int pixelHeight() const;
    double scale() const;
    Size size() const;

    void setTraitCollection(const TraitCollection& traits);
    const TraitCollection& traitCollection() const;

    // Transform and clip state.
    void save();
    void restore();
    void translate(double dx, double dy);
    void scaleBy(double sx, double sy);
    void rotate(double radians);
    void concat(const AffineTransform& transform);
    void clipToRect(const Rect& rect);
    void clipToRoundedRect(const Rect& rect, const CornerStyle& corners);

    // Shapes.
    void clear(const Color& color);
    void fillRect(const Rect& rect, const Color& color);
    void strokeRect(const Rect& rect, const Color& color, double lineWidth = 1);
    void fillRoundedRect(const Rect& rect, const CornerStyle& corners, const Color& color);
    void strokeRoundedRect(const Rect& rect, const CornerStyle& corners, const Color& color,
                           double lineWidth = 1);
    void fillEllipse(const Rect& rect, const Color& color);
    void fillLinearGradient(const Rect& rect, const LinearGradient& gradient);

    // Layers: everything drawn between begin and end is composited at the end, with an
    // opacity or through the alpha of a gradient (the edge fades of a scrolling label).
    void beginLayer();
    void endLayer(double opacity = 1.0);
    void endLayerWithMask(const LinearGradient& mask);

    // Images. A template image draws in `tint` (or the system blue) through its alpha.
    void drawImage(const Image& image, const Rect& rect, ContentMode mode = ContentMode::ScaleToFill,
                   const std::optional<Color>& tint = std::nullopt);

    // Text, with the layout's top-left corner at `origin`, in `color` where its runs have no
    // colour of their own.
    void drawText(const TextLayout& layout, Point origin, const Color& color);
    // The text's shape all in one colour, whatever the colours of its runs: a text shadow.
    void drawTextShadow(const TextLayout& layout, Point origin, const Color& color);

    // Frosted glass over `rect` (within the current clip): what has been drawn there so far,
    // blurred and tinted.
    void drawBlur(const Rect& rect, BlurStyle style);

    // Starts a new picture on the same canvas: every pixel transparent, the transform and clips
    // as a new painter has them (a host draws every frame on one canvas).
    void clear();

    // Output.
    // The pixels drawn so far, premultiplied ARGB words (alpha highest) in rows `stride` words
    // apart; valid until the next drawing call.
    struct PixelView {
        const std::uint32_t* data;
        int width, height, stride;
    };
    PixelView pixels() const;
    Image makeImage() const;
    base::Result<base::Data> encodePng() const;
    // Replaces the file atomically.
    base::Result<void> writePng(const std::filesystem::path& path) const;

    struct Impl;
    Impl& impl() const { return *impl_; }  // for gfx's own drawing helpers

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace gfx
