#pragma once

#include <string>
#include <vector>

#include "sys/Spawn.h"

namespace sys {

// Starts installed applications and hands URLs to the desktop.
//
// An application is started from its desktop entry (the command of its Exec line, through
// GIO). A URL is handed to the URL opener, `xdg-open` unless the caller sets another
// command; the URL becomes the opener's last argument. Neither call waits for what it
// started: the started process is reaped in the background and `exited` (optional) is
// called on a thread of its own once it ends.
class Launcher {
public:
    // False when no application has the bundle identifier `bundleID` (see
    // ApplicationWorkspace) or it cannot start.
    // (An application started over D-Bus activation has no process of ours to wait for,
    // so `exited` is not called for it.)
    static bool launch(const std::string& bundleID, Spawn::ExitHandler exited = {});

    // False, and nothing is started, when `url` is not an absolute URL (it needs a scheme:
    // a letter, then letters, digits, "+", "-" or ".", then ":"), so a text that an opener
    // would take for one of its options never reaches it.
    static bool openURL(const std::string& url, Spawn::ExitHandler exited = {});

    // The opener's program and leading arguments; an empty command restores `xdg-open`.
    static void setURLOpener(std::vector<std::string> command);
    static std::vector<std::string> urlOpener();

    static bool isAbsoluteURL(const std::string& url);
};

}  // namespace sys
