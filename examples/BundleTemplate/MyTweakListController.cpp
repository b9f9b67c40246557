#include "MyTweakListController.h"

#include "base/Log.h"
#include "home/VLPrefsConfig.h"
#include "uikit/VLViewControllerRegistry.h"

VL_REGISTER_VIEW_CONTROLLER(MyTweakListController);

MyTweakListController::MyTweakListController() {
    // A button row whose "Action" is "sayHello" calls this.
    registerAction("sayHello", [] { base::Log::line("MyTweak: hello"); });
}

void MyTweakListController::viewDidLoad() {
    VLPreferencesListViewController::viewDidLoad();
    auto config = std::make_shared<VLPrefsConfig>();
    config->tweakName = "MyTweak";
    config->titleString = "My Tweak";
    config->plistName = "MyTweak";
    updateWithPrefsConfig(config);
}
