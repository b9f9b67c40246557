#include "HostApplication.h"

#include <iostream>

#include "HostPageViewController.h"
#include "InstalledTweaksViewController.h"
#include "TweakScreen.h"
#include "base/DistributedNotificationCenter.h"
#include "base/NotificationCenter.h"
#include "gfx/TraitCollection.h"
#include "home/VLFreePrefsHomeViewController.h"
#include "home/VLPackageRepository.h"
#include "home/VLPrefsHomeBaseViewController.h"
#include "prefslist/VLPreferencesListViewController.h"
#include "ui/NavigationController.h"
#include "ui/TabBarController.h"
#include "ui/Window.h"

namespace {

using Row = HostPageViewController::Row;

std::shared_ptr<HostPageViewController> page(std::string title, std::string symbol, std::vector<Row> rows) {
    auto controller = HostPageViewController::create(title, std::move(rows));
    controller->setTabBarItem({std::move(title), std::move(symbol)});
    return controller;
}

std::string stringEntry(const base::Value& info, const char* key) {
    const auto* text = info[key].asString();
    return text ? *text : std::string();
}

}  // namespace

HostApplication::HostApplication(ui::Window& window)
    : window_(window),
      tweaks_(InstalledTweaksViewController::create()),
      tweaksNavigation_(ui::NavigationController::create(tweaks_)),
      tabs_(ui::TabBarController::create()) {
    tweaksNavigation_->setTabBarItem({"Tweaks", "shippingbox.fill"});
    bool dark = window.windowTraitCollection().isDark();
    tabs_->setViewControllers(
        {tweaksNavigation_,
         page("Store", "bag.fill",
              {Row::text("Repository", VLPackageRepository::baseAddress()),
               Row::link("Browse the repository", VLPackageRepository::baseAddress())}),
         page("Settings", "gearshape.fill",
              {Row::toggle("Dark Appearance", dark,
                           [&window](bool on) {
                               window.setTraitCollection(on ? gfx::TraitCollection::dark()
                                                            : gfx::TraitCollection::light());
                           })}),
         page("Support", "questionmark.circle.fill",
              {Row::link("Writing a tweak's settings", "https://vellium.app/docs/guide"),
               Row::link("Report a problem", "mailto:support@vellium.app")})});
    window.setRootViewController(tabs_);
    donationObserver_ = base::NotificationCenter::defaultCenter().addObserver(
        VLPrefsHomeBaseViewController::kDonationNotification,
        [this](const base::Notification&) { presentDonation(); });
    auto style = base::DistributedNotificationCenter::defaultCenter().addObserver(
        VLFreePrefsHomeViewController::kStylePickerNotification, [this](const base::Notification& notice) {
            presentStylePicker(stringEntry(notice.userInfo, "tweakName"),
                               stringEntry(notice.userInfo, "plistName"));
        });
    if (style) {
        styleObserver_ = std::move(style.value());
    } else {
        std::cerr << "vellium-preview: style-picker requests will not be heard: " << style.error().description
                  << "\n";
    }
}

HostApplication::~HostApplication() = default;

void HostApplication::openTweak(const std::string& name) {
    tabs_->setSelectedIndex(0);
    tweaks_->openTweak(name);
}

void HostApplication::push(const std::shared_ptr<ui::ViewController>& screen) {
    tabs_->setSelectedIndex(0);
    tweaksNavigation_->pushViewController(screen, false);
}

void HostApplication::presentDonation() {
    presentSheet(HostPageViewController::create(
        "Donate", {Row::text("Thank you", "Donations keep the kit and its tweaks going"),
                   Row::link("Donate with PayPal", "https://paypal.me/vellium")}));
}

void HostApplication::presentStylePicker(const std::string& tweakName, const std::string& plistName) {
    TweakScreen::Request request{tweakName, plistName, "Style"};
    std::string problem;
    auto screen = TweakScreen::open(request, problem);
    if (!problem.empty()) std::cerr << "vellium-preview: " << problem << "\n";
    TweakScreen::configure(*screen, request);
    presentSheet(screen);
}

// From the screen on top, so a sheet asked for from a sheet still shows.
void HostApplication::presentSheet(const std::shared_ptr<ui::ViewController>& sheet) {
    std::shared_ptr<ui::ViewController> top = tabs_;
    while (top->presentedViewController()) top = top->presentedViewController();
    top->present(sheet, true);
}
