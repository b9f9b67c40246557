#pragma once

// TextLayout's private state, shared with the painter. Internal to gfx.
#include <pango/pango.h>

#include <vector>

#include "gfx/TextLayout.h"
#include "gfx/TraitCollection.h"

namespace gfx {

struct TextLayout::Impl {
    // A run's place in the plain text, in bytes.
    struct Span {
        unsigned start = 0, end = 0;
        std::optional<Font> font;
        std::optional<Color> color;
    };

    std::string text;         // valid UTF-8: every run repaired on its own
    std::vector<Span> spans;  // empty for plain text
    Font font;
    std::optional<double> width;
    int maximumLines = 0;
    LineBreak lineBreak = LineBreak::TruncateTail;
    TextAlignment alignment = TextAlignment::Natural;
    // Run colours are resolved for this appearance; the painter sets its own before drawing.
    TraitCollection colorTraits = TraitCollection::light();
    bool truncated = false;
    bool dirty = true;
    // What the Pango layout holds now, for plain text: a label cleared for reuse and given the
    // same text again is not shaped again.
    struct PlainSettings {
        std::string text;
        Font font;
        std::optional<double> width;
        int maximumLines;
        LineBreak lineBreak;
        TextAlignment alignment;
        bool operator==(const PlainSettings&) const = default;
    };
    std::optional<PlainSettings> laidOutPlain;
    PangoLayout* layout = nullptr;

    Impl(std::string text, Font font);
    ~Impl();

    // The Pango layout with every setting applied.
    PangoLayout* laidOut();
    void setColorTraits(const TraitCollection& traits);
    bool hasColors() const;

private:
    void applyAttributes();
    void applyAlignment();
    int endOfLine(int index) const;
    double bottomOfLine(int index) const;
    void cutAfter(int end, bool withEllipsis);
};

}  // namespace gfx
