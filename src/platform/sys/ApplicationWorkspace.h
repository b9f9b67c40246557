#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sys {

// One installed application: its bundle identifier and its display name in the current
// locale (absent when the entry has none). The bundle identifier is the desktop-file ID of
// its entry without the ".desktop" ending: "org.gnome.Calculator" for
// "org.gnome.Calculator.desktop", "vendor-tool" for "vendor/tool.desktop" (the application
// ID of the desktop-entry conventions, and the reverse-DNS form bundle identifiers have).
struct InstalledApplication {
    std::string bundleIdentifier;
    std::optional<std::string> localizedName;

    bool operator==(const InstalledApplication&) const = default;
};

// The installed applications: every application desktop entry in the user's and the
// system's application directories (XDG_DATA_HOME and XDG_DATA_DIRS, "applications"
// below each, subdirectories included), each read through GIO; an entry in an earlier
// directory hides the entry with the same desktop-file ID in a later directory. Entries
// marked Hidden (deleted) or NoDisplay (not for menus and pickers) are left out, and GIO
// itself only admits entries of type Application.
//
// What each file said is remembered, and a file is read again only when its modification
// time or size has changed (or the language has), so listing a few thousand applications
// again costs little more than looking at the directories.
class ApplicationWorkspace {
public:
    static constexpr std::string_view kDesktopFileEnding = ".desktop";
    // The desktop-file ID of a bundle identifier (one that already ends in ".desktop" is
    // taken as it is).
    static std::string desktopFileID(std::string_view bundleID);

    // Directory by directory, each in order of ID; each call looks at the directories afresh.
    static std::vector<InstalledApplication> allApplications();
};

}  // namespace sys
