#pragma once

#include <memory>
#include <string>

#include "base/Observation.h"

namespace ui {
class NavigationController;
class TabBarController;
class ViewController;
class Window;
}  // namespace ui
class InstalledTweaksViewController;

// The application the kit is loaded into: a tab bar with "Tweaks" (the installed bundles; a
// tweak's screens are pushed there), "Store", "Settings" and "Support" (at index 3, where a home
// screen's support button switches to). It answers the two requests the kit's home screens
// make of their host: "VelliumAppShowDonationViewController" with a donation sheet, and
// "com.vellium.vellium/presentStylePicker" (from any process) with a sheet showing the named
// style document of that tweak.
class HostApplication {
public:
    // Becomes the window's root; the Store page shows the package repository set before.
    explicit HostApplication(ui::Window& window);
    ~HostApplication();
    HostApplication(const HostApplication&) = delete;
    HostApplication& operator=(const HostApplication&) = delete;

    const std::shared_ptr<ui::TabBarController>& tabs() const { return tabs_; }
    // Opens a tweak's principal class on the Tweaks tab, as choosing it in the list does.
    void openTweak(const std::string& name);
    // Pushes a screen of the host's own choosing on the Tweaks tab (a tweak's list screen).
    void push(const std::shared_ptr<ui::ViewController>& screen);

private:
    void presentDonation();
    void presentStylePicker(const std::string& tweakName, const std::string& plistName);
    void presentSheet(const std::shared_ptr<ui::ViewController>& sheet);

    ui::Window& window_;
    std::shared_ptr<InstalledTweaksViewController> tweaks_;
    std::shared_ptr<ui::NavigationController> tweaksNavigation_;
    std::shared_ptr<ui::TabBarController> tabs_;
    base::Observation donationObserver_;
    base::Observation styleObserver_;
};
