#include "InstalledTweaksViewController.h"

#include <iostream>

#include "TweakBundle.h"
#include "TweakScreen.h"
#include "base/PropertyList.h"
#include "gfx/Image.h"
#include "ui/ImageView.h"
#include "ui/NavigationController.h"
#include "ui/TableView.h"
#include "ui/TableViewCell.h"

namespace {

constexpr double kIconSide = 40;

}  // namespace

std::shared_ptr<InstalledTweaksViewController> InstalledTweaksViewController::create() {
    std::vector<Tweak> tweaks = findInstalled();
    std::vector<Row> rows;
    for (const Tweak& tweak : tweaks) rows.push_back(Row::text(tweak.name, tweak.identifier));
    return std::shared_ptr<InstalledTweaksViewController>(
        new InstalledTweaksViewController(std::move(tweaks), std::move(rows)));
}

InstalledTweaksViewController::InstalledTweaksViewController(std::vector<Tweak> tweaks, std::vector<Row> rows)
    : HostPageViewController("Tweaks", std::move(rows)), tweaks_(std::move(tweaks)) {
    setTabBarItem({"Tweaks", "shippingbox.fill"});
}

// Read without loading any library: the list shows what is installed, whether it loads or not.
std::vector<InstalledTweaksViewController::Tweak> InstalledTweaksViewController::findInstalled() {
    std::vector<Tweak> tweaks;
    for (const std::string& name : TweakBundle::installedNames()) {
        auto folder = TweakBundle::directoryOf(name);
        Tweak tweak{name, {}, {}};
        if (auto info = base::PropertyList::readFile(folder / "Info.plist")) {
            if (const auto* identifier = info.value()["CFBundleIdentifier"].asString())
                tweak.identifier = *identifier;
        }
        std::error_code error;
        if (auto icon = folder / "Assets/Images/icon.png"; std::filesystem::exists(icon, error))
            tweak.iconPath = icon.string();
        tweaks.push_back(std::move(tweak));
    }
    return tweaks;
}

std::shared_ptr<ui::TableViewCell> InstalledTweaksViewController::cellForRowAtIndexPath(ui::TableView& table,
                                                                                        ui::IndexPath ip) {
    auto cell = HostPageViewController::cellForRowAtIndexPath(table, ip);
    const Tweak& tweak = tweaks_[static_cast<std::size_t>(ip.row)];
    auto image = tweak.iconPath.empty() ? base::Result<gfx::Image>(gfx::Image())
                                        : gfx::Image::fromFile(tweak.iconPath);
    auto icon = ui::ImageView::create(image ? image.value() : gfx::Image(), tweak.name + " icon");
    icon->setFrame({0, 0, kIconSide, kIconSide});
    icon->setClipsToBounds(true);
    icon->layer().setCornerRadius(9);
    cell->setAccessoryView(icon);
    return cell;
}

void InstalledTweaksViewController::didSelectRowAtIndexPath(ui::TableView& table, ui::IndexPath ip) {
    table.deselectRowAtIndexPath(ip, true);
    openTweak(tweaks_[static_cast<std::size_t>(ip.row)].name);
}

void InstalledTweaksViewController::openTweak(const std::string& name) {
    std::string problem;
    auto screen = TweakScreen::openPrincipal(name, problem);
    if (!problem.empty()) std::cerr << "vellium-preview: " << problem << "\n";
    if (auto navigation = navigationController()) navigation->pushViewController(screen, true);
}
