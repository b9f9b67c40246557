#pragma once

#include <filesystem>
#include <string>

#include "base/Result.h"
#include "gfx/Image.h"

namespace gfx {
class Painter;
}
namespace ui {
class View;
}

namespace host {

// Shows view trees without a screen: for tests, golden files and the command line.
//
// `render` lays the tree out (`layoutIfNeeded`), then draws `view` with its frame moved to the
// origin, at `scale` pixels per point, in the view's appearance (its window's trait
// collection). `dumpJson` describes the tree as pretty-printed JSON with a fixed key order and
// numbers rounded to 1/1000 point, so that the text only changes when the tree does:
//     {
//       "class": "Label",
//       "frame": [16, 20, 120, 21],      (window coordinates)
//       "alpha": 1,
//       "hidden": false,
//       "backgroundColor": "#FFFFFFFF",  (only when not clear, resolved, #RRGGBBAA)
//       "cornerRadius": 10,              (only when rounded)
//       "text": "Enabled",               (labels, with "textColor"; "numberOfLines" and
//                                         "lineBreakMode" when not 1 and "truncatingTail")
//       "states": {"normal": {"title": "Done", "titleColor": "#007AFFFF", "image": "gear"}},
//                                        (buttons: each state given content of its own)
//       "image": "gear",                 (image views: the name they were given)
//       "subviews": [ ... ]              (only when there are any)
//     }
class HeadlessHost {
public:
    // A null image for a view with an empty size.
    static gfx::Image render(ui::View& view, double scale = 2.0);
    // Draws `view` (laid out first) onto `painter`, which is the size of the view's frame.
    static void renderInto(ui::View& view, gfx::Painter& painter);
    static base::Result<void> writePng(ui::View& view, const std::filesystem::path& path, double scale = 2.0);
    static std::string dumpJson(ui::View& view);
};

}  // namespace host
