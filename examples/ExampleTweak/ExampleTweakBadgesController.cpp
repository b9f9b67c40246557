#include "ExampleTweakBadgesController.h"

#include "home/VLPrefsConfig.h"
#include "uikit/VLViewControllerRegistry.h"

VL_REGISTER_VIEW_CONTROLLER(ExampleTweakBadgesController);

void ExampleTweakBadgesController::viewDidLoad() {
    ExampleTweakListController::viewDidLoad();
    auto config = std::make_shared<VLPrefsConfig>();
    config->tweakName = kTweakName;
    config->titleString = "Badges";
    config->plistName = "Badges";
    updateWithPrefsConfig(config);
}
