#include "ExampleTweakHomeController.h"

#include "ExampleTweakListController.h"
#include "ExampleTweakSymbols.h"
#include "base/FileSystemRoot.h"
#include "gfx/SymbolImage.h"
#include "home/VLTutorialViewController.h"
#include "uikit/VLViewControllerRegistry.h"

VL_REGISTER_VIEW_CONTROLLER(ExampleTweakHomeController);

namespace {

gfx::Image bundleImage(const char* file) {
    auto image = gfx::Image::fromFile(base::FileSystemRoot::resolve(
        std::string("/var/QZN/Vellium/Preferences/ExampleTweakPrefs.bundle/Assets/Images/") + file));
    return image ? std::move(image).value() : gfx::Image();
}

std::shared_ptr<VLPrefsCategoriesData> makeCategory(const char* title, const char* symbol,
                                                    const char* className, bool isStylePicker) {
    return std::make_shared<VLPrefsCategoriesData>(title, gfx::SymbolImage::named(symbol), std::nullopt,
                                                   className, isStylePicker, isStylePicker ? "Badges" : "");
}

}  // namespace

ExampleTweakHomeController::ExampleTweakHomeController() { ExampleTweakSymbols::registerOnce(); }

void ExampleTweakHomeController::viewDidLoad() {
    VLFreePrefsHomeViewController::viewDidLoad();
    auto config = std::make_shared<VLPrefsConfig>();
    config->heroCover = bundleImage("cover.png");
    config->heroIcon = bundleImage("icon.png");
    config->tweakName = ExampleTweakListController::kTweakName;
    config->tweakVersion = "v1.3";
    config->isCategoriesAvailable = true;
    config->categoriesArray = std::make_shared<Categories>(Categories{
        makeCategory("Settings", "switch.2", "ExampleTweakListController", false),
        makeCategory("Badges", "rectangle.grid.1x2.fill", "ExampleTweakBadgesController", false),
        makeCategory("Style", "paintpalette.fill", "", true),
    });
    updateWithPrefsConfig(config);
}

void ExampleTweakHomeController::presentTutorialVC() {
    present(
        VLTutorialViewController::create(
            ExampleTweakListController::kTweakName,
            "A home screen arranged the way you like it, in a few steps.",
            {
                {"Open Settings and switch Enabled on: nothing changes while it is off.", "power"},
                {"Choose a Layout and the number of Columns for the icons on your home screen.",
                 "square.grid.3x3"},
                {"Pick an Accent Colour and a Label Font, or hide the labels altogether.",
                 "paintpalette.fill"},
                {"In Badges, decide whether icons show their numbers and where the count stops.",
                 "app.badge.fill"},
                {"Hidden Applications keeps the badges of the applications you choose out of sight.",
                 "hand.tap.fill"},
                {"Tap Respring to restart the home screen and see every change at once.", "arrow.clockwise"},
            }),
        true);
}
