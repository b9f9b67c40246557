#pragma once

#include "pickers/contacts/VLContactPickerDelegate.h"
#include "prefslist/VLPreferencesListViewController.h"

// The example tweak's settings screen: the kit's list screen on the tweak's own document, plus
// the actions its button rows name ("respring", "resetSettings", "chooseEmergencyContact";
// "beginHapticFeedback" is the kit's own). The emergency contact comes from the contact picker
// and is stored as its name and number.
class ExampleTweakListController : public VLPreferencesListViewController, public VLContactPickerDelegate {
public:
    static constexpr const char* kTweakName = "ExampleTweak";
    static constexpr const char* kPreferenceID = "com.example.exampletweak";

    ExampleTweakListController();

    void didPickAContact(const VLContact& contact) override;

protected:
    void viewDidLoad() override;

private:
    void confirmReset();
    void resetSettings();
    void chooseEmergencyContact();
};
