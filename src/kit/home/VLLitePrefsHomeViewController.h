#pragma once

#include "home/VLPrefsHomeBaseViewController.h"

// The reduced home screen: the shared hero and header (see VLPrefsHomeBaseViewController) over
// the toggle container alone; no categories and no settings row.
class VLLitePrefsHomeViewController : public VLPrefsHomeBaseViewController {
public:
    VLLitePrefsHomeViewController();

    // The hero, the tutorial card and the changelog; categories and the settings class are
    // ignored.
    void updateWithPrefsConfig(const std::shared_ptr<VLPrefsConfig>& config) override;

protected:
    void viewDidLoad() override;
};
