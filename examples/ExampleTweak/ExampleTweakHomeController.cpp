#include "ExampleTweakHomeController.h"

#include "ExampleTweakListController.h"
#include "ExampleTweakSymbols.h"
#include "base/FileSystemRoot.h"
#include "gfx/SymbolImage.h"
#include "ui/AlertController.h"
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
    auto alert = ui::AlertController::create(
        "Example Tweak",
        "1. Turn the tweak on in Settings.\n2. Choose the badges' size and colour.\n3. Respring.");
    alert->addAction({"OK", ui::AlertAction::Style::Default, nullptr});
    present(alert, true);
}
