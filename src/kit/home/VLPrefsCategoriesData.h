#pragma once

#include <optional>
#include <string>

#include "gfx/Color.h"
#include "gfx/Image.h"

// One category of a tweak's home screen: its label and icon, and what selecting it opens
// (a screen class by name, or the host's style picker with a style document).
struct VLPrefsCategoriesData {
    VLPrefsCategoriesData() = default;
    VLPrefsCategoriesData(std::string title, gfx::Image icon, std::optional<gfx::Color> accent,
                          std::string className, bool isStylePicker, std::string stylePlistName)
        : title(std::move(title)),
          icon(std::move(icon)),
          accent(std::move(accent)),
          className(std::move(className)),
          isStylePicker(isStylePicker),
          stylePlistName(std::move(stylePlistName)) {}

    std::string title;
    gfx::Image icon;
    // Absent: the home screen's accent colour.
    std::optional<gfx::Color> accent;
    std::string className;
    bool isStylePicker = false;
    std::string stylePlistName;
};
