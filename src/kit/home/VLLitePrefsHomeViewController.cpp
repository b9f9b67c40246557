#include "home/VLLitePrefsHomeViewController.h"

VLLitePrefsHomeViewController::VLLitePrefsHomeViewController() = default;

void VLLitePrefsHomeViewController::viewDidLoad() {
    VLPrefsHomeBaseViewController::viewDidLoad();
    layoutToggleContainer();
    addHeaderView();
}

void VLLitePrefsHomeViewController::updateWithPrefsConfig(const std::shared_ptr<VLPrefsConfig>& config) {
    if (!config) return;
    fillHero(*config);
    wireTutorialCard(config->isTutorialVideoAvailable);
    queueChangelogDownload(config->tweakName);
}
