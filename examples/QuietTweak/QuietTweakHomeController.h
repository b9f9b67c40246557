#pragma once

#include "home/VLFreePrefsHomeViewController.h"

// The quiet tweak's home screen, the bundle's principal class: the example's artwork, no
// categories, and one settings row that pushes the tweak's only settings list.
class QuietTweakHomeController : public VLFreePrefsHomeViewController {
public:
    static constexpr const char* kTweakName = "QuietTweak";

    // The written tutorial: an alert with the two steps.
    void presentTutorialVC() override;

protected:
    void viewDidLoad() override;
};
