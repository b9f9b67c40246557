#pragma once

#include <memory>
#include <string>
#include <vector>

#include "HostPageViewController.h"

// The host's "Tweaks" tab: every preference bundle installed under the root's
// "/var/QZN/Vellium/Preferences/", by name, with its identifier and its icon. Choosing one
// loads its library and pushes its principal class (the tweak's home screen).
class InstalledTweaksViewController : public HostPageViewController {
public:
    static std::shared_ptr<InstalledTweaksViewController> create();

    // Loads tweak `name` and pushes its principal class; a bundle that cannot be opened still
    // pushes an empty screen, after one line on standard error.
    void openTweak(const std::string& name);

    std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView& table, ui::IndexPath ip) override;
    void didSelectRowAtIndexPath(ui::TableView& table, ui::IndexPath ip) override;

private:
    struct Tweak {
        std::string name;
        std::string identifier;
        std::string iconPath;  // empty without an icon
    };
    InstalledTweaksViewController(std::vector<Tweak> tweaks, std::vector<Row> rows);
    static std::vector<Tweak> findInstalled();

    std::vector<Tweak> tweaks_;
};
