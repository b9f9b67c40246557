#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "gfx/Image.h"

namespace sys {

// Application icons by bundle identifier: the Icon of the application's desktop entry,
// found in the icon theme (PNG, or SVG drawn through librsvg at the size asked for) or, when
// the entry names a file, read from that file.
//
// Theme look-up follows the icon-theme conventions in a reduced form: the themes searched
// are the caller's theme (if set), the themes it inherits from, then "hicolor"; within a
// theme the directory whose size fits best (an exact fit, else the nearest size) wins. The
// icon directories are "icons" under XDG_DATA_HOME and each of XDG_DATA_DIRS, then
// /usr/share/pixmaps for loose files, unless the caller sets its own.
class ApplicationIcons {
public:
    // The size of a home-screen icon, in points.
    static constexpr double kIconPoints = 60;

    // The icon `kIconPoints` points wide at `scale` (an SVG is drawn at that pixel size; a
    // bitmap keeps its pixels and gets the scale that makes it that wide). `format` is the
    // platform's icon-variant number; every variant is the same icon here, so it is not
    // used. A null image when the application, its entry's icon or the file is missing.
    static gfx::Image iconFor(const std::string& bundleID, int format, double scale);

    // Icon directories and the preferred theme; empty restores the defaults.
    static void setSearchDirectories(std::vector<std::filesystem::path> directories);
    static void setThemeName(std::string theme);

    // Loads an icon file (PNG, JPEG or SVG) `pixels` wide; a null image when it cannot.
    static gfx::Image loadIconFile(const std::filesystem::path& file, int pixels, double scale);
    // The file of the themed icon `iconName` best fitting `pixels`, or empty.
    static std::filesystem::path findThemedIcon(const std::string& iconName, int pixels, double scale);
};

}  // namespace sys
