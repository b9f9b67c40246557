#pragma once

#include <string>

#include "gfx/Image.h"

// The icon a tweak's preference bundle ships, "Assets/Images/icon.png" in
// "/var/QZN/Vellium/Preferences/NAMEPrefs.bundle" with the name as written (not lower-cased).
class VLTweakIcon {
public:
    // Empty when the file is missing or unreadable, or the name would leave the directory.
    static gfx::Image load(const std::string& tweakName);
};
