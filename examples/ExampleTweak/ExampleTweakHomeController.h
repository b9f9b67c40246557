#pragma once

#include "home/VLFreePrefsHomeViewController.h"

// The example tweak's home screen, the bundle's principal class: its cover and icon from the
// bundle, one category per settings document (the main settings and the badges), and a
// style-picker category that asks the host for the badges' style document.
class ExampleTweakHomeController : public VLFreePrefsHomeViewController {
public:
    ExampleTweakHomeController();

    // The written tutorial: an alert with the three steps.
    void presentTutorialVC() override;

protected:
    void viewDidLoad() override;
};
