#pragma once

#include "prefslist/VLPreferencesListViewController.h"

// The example tweak's settings screen: the kit's list screen on the tweak's own document, plus
// the actions its button rows name ("respring", "resetSettings"; "beginHapticFeedback" is the
// kit's own).
class ExampleTweakListController : public VLPreferencesListViewController {
public:
    static constexpr const char* kTweakName = "ExampleTweak";
    static constexpr const char* kPreferenceID = "com.example.exampletweak";

    ExampleTweakListController();

protected:
    void viewDidLoad() override;

private:
    void confirmReset();
    void resetSettings();
};
