#pragma once

#include <optional>
#include <string>
#include <vector>

namespace sys {

// One installed application: its bundle identifier (the desktop-file ID of its entry, such
// as "org.gnome.Calculator.desktop") and its display name in the current locale, absent
// when the entry has none.
struct InstalledApplication {
    std::string bundleIdentifier;
    std::optional<std::string> localizedName;

    bool operator==(const InstalledApplication&) const = default;
};

// The installed applications: every application desktop entry in the user's and the
// system's application directories (XDG_DATA_HOME and XDG_DATA_DIRS, "applications"
// below each), read through GIO; an entry in an earlier directory hides a same-named one
// in a later directory. Entries marked Hidden (deleted) or NoDisplay (not for menus and
// pickers) are left out, and GIO itself only admits entries of type Application.
class ApplicationWorkspace {
public:
    // In the order the directories list them; each call reads the entries afresh.
    static std::vector<InstalledApplication> allApplications();
};

}  // namespace sys
