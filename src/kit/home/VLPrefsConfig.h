#pragma once

#include <memory>
#include <string>
#include <vector>

#include "gfx/Image.h"
#include "home/VLPrefsCategoriesData.h"

// What a tweak tells the kit about its settings: what its home screen shows, how its settings
// are organised and which preference document its list screen loads. The tweak fills one and
// hands it to its screens with `updateWithPrefsConfig`; the kit never makes one itself.
struct VLPrefsConfig {
    gfx::Image heroCover;
    gfx::Image heroIcon;
    std::string tweakName;
    // Shown verbatim under the name.
    std::string tweakVersion;
    bool isTutorialVideoAvailable = false;
    // Shared with the home screen, which shows whatever it holds when the strip reloads.
    std::shared_ptr<std::vector<std::shared_ptr<VLPrefsCategoriesData>>> categoriesArray;
    // The list screen's title.
    std::string titleString;
    // The document the list screen loads, without its extension.
    std::string plistName;
    bool isCategoriesAvailable = false;
    std::string singlePrefsClassName;
};
