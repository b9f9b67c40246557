#include "QuietTweakHomeController.h"

#include "base/FileSystemRoot.h"
#include "ui/AlertController.h"
#include "uikit/VLViewControllerRegistry.h"

VL_REGISTER_VIEW_CONTROLLER(QuietTweakHomeController);

namespace {

gfx::Image bundleImage(const char* file) {
    auto image = gfx::Image::fromFile(base::FileSystemRoot::resolve(
        std::string("/var/QZN/Vellium/Preferences/QuietTweakPrefs.bundle/Assets/Images/") + file));
    return image ? std::move(image).value() : gfx::Image();
}

}  // namespace

void QuietTweakHomeController::viewDidLoad() {
    VLFreePrefsHomeViewController::viewDidLoad();
    auto config = std::make_shared<VLPrefsConfig>();
    config->heroCover = bundleImage("cover.png");
    config->heroIcon = bundleImage("icon.png");
    config->tweakName = kTweakName;
    config->tweakVersion = "v0.9";
    config->titleString = "Quiet Tweak";
    config->plistName = kTweakName;
    config->isCategoriesAvailable = false;
    config->singlePrefsClassName = "QuietTweakListController";
    updateWithPrefsConfig(config);
}

void QuietTweakHomeController::presentTutorialVC() {
    auto alert = ui::AlertController::create(
        "Quiet Tweak", "1. Choose when the quiet hours begin.\n2. Turn Quiet Hours on.");
    alert->addAction({"OK", ui::AlertAction::Style::Default, nullptr});
    present(alert, true);
}
