#pragma once

// The painter's Cairo state. Internal to gfx.
#include <cairo.h>

#include <vector>

#include "gfx/DeferredRoundedClip.h"
#include "gfx/Painter.h"
#include "gfx/RoundedRectMaskCache.h"

namespace gfx {

struct Painter::Impl {
    cairo_surface_t* surface = nullptr;
    cairo_t* cr = nullptr;
    double scale = 1;
    Size size;
    TraitCollection traits;
    // Rounded clips in force but not given to Cairo, and how many there were at each save.
    std::vector<DeferredRoundedClip> roundedClips;
    std::vector<std::size_t> roundedClipsAtSave;
    RoundedRectMaskCache roundedRectMasks;

    void setSource(const Color& color) {
        Color c = color.resolved(traits);
        cairo_set_source_rgba(cr, c.red(), c.green(), c.blue(), c.alpha());
    }

    void saveState() {
        cairo_save(cr);
        roundedClipsAtSave.push_back(roundedClips.size());
    }
    void restoreState() {
        cairo_restore(cr);
        if (roundedClipsAtSave.empty()) return;
        roundedClips.erase(roundedClips.begin() + std::ptrdiff_t(roundedClipsAtSave.back()),
                           roundedClips.end());
        roundedClipsAtSave.pop_back();
    }
};

}  // namespace gfx
