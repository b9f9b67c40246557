#include "QuietTweakListController.h"

#include "home/VLPrefsConfig.h"
#include "uikit/VLViewControllerRegistry.h"

VL_REGISTER_VIEW_CONTROLLER(QuietTweakListController);

void QuietTweakListController::viewDidLoad() {
    VLPreferencesListViewController::viewDidLoad();
    auto config = std::make_shared<VLPrefsConfig>();
    config->tweakName = "QuietTweak";
    config->titleString = "Quiet Tweak";
    config->plistName = "QuietTweak";
    updateWithPrefsConfig(config);
}
