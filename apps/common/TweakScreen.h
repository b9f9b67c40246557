#pragma once

#include <memory>
#include <string>

class VLPreferencesListViewController;
namespace ui {
class ViewController;
}

// Opens the list screen of a tweak's bundle as both host programs do: loads the bundle's
// library, creates its principal class when that is a list screen (else a plain
// VLPreferencesListViewController), and configures it with the tweak name, document and title.
class TweakScreen {
public:
    struct Request {
        std::string bundle;    // the tweak name: "/var/QZN/Vellium/Preferences/BUNDLEPrefs.bundle"
        std::string document;  // without ".plist"; empty means the tweak name
        std::string title;
    };

    // The screen, never null. `problem` is one line when the bundle or the document is missing
    // or unusable, empty otherwise; the screen then shows what it can (an empty list).
    static std::shared_ptr<VLPreferencesListViewController> open(const Request& request,
                                                                 std::string& problem);
    // The bundle's principal class (a home screen), created through the registry once the
    // bundle's library is loaded; a plain controller, with `problem` set, when there is none.
    static std::shared_ptr<ui::ViewController> openPrincipal(const std::string& bundle, std::string& problem);
    // Loads the screen's view (so the title shows) and applies the request. A request whose
    // names are not plain names configures no document.
    static void configure(VLPreferencesListViewController& screen, const Request& request);
};
