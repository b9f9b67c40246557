#include "ExampleTweakListController.h"

#include "ExampleTweakSymbols.h"
#include "home/VLPrefsConfig.h"
#include "pickers/contacts/VLContactPickerViewController.h"
#include "services/VLUtilities.h"
#include "store/VLPrefsManager.h"
#include "ui/AlertController.h"
#include "ui/TableView.h"
#include "uikit/VLViewControllerRegistry.h"

VL_REGISTER_VIEW_CONTROLLER(ExampleTweakListController);

ExampleTweakListController::ExampleTweakListController() {
    ExampleTweakSymbols::registerOnce();
    registerAction("respring", [] { VLUtilities::sharedInstance()->respring(); });
    registerAction("resetSettings", [this] { confirmReset(); });
    registerAction("chooseEmergencyContact", [this] { chooseEmergencyContact(); });
}

void ExampleTweakListController::viewDidLoad() {
    VLPreferencesListViewController::viewDidLoad();
    // The screen configures itself; a host may configure it again with another document.
    auto config = std::make_shared<VLPrefsConfig>();
    config->tweakName = kTweakName;
    config->titleString = "Example Tweak";
    config->plistName = kTweakName;
    updateWithPrefsConfig(config);
}

void ExampleTweakListController::confirmReset() {
    auto alert = ui::AlertController::create(
        "Reset Settings", "Every Example Tweak setting goes back to its default. This cannot be undone.");
    alert->addAction({"Cancel", ui::AlertAction::Style::Cancel, {}});
    alert->addAction(
        {"Reset", ui::AlertAction::Style::Destructive, [this](const ui::AlertAction&) { resetSettings(); }});
    present(alert, true);
}

void ExampleTweakListController::chooseEmergencyContact() {
    auto picker = VLContactPickerViewController::create("Emergency Contact", accentColour());
    picker->setDelegate(std::static_pointer_cast<ExampleTweakListController>(sharedController()));
    present(picker, true);
}

void ExampleTweakListController::didPickAContact(const VLContact& contact) {
    auto& store = VLPrefsManager::sharedInstance();
    store.setObject(base::Value(contact.fullName), "EmergencyContact", kPreferenceID);
    store.setObject(base::Value(contact.phoneNumber.value_or("")), "EmergencyPhone", kPreferenceID);
    preferencesDidChangedNotification(kPreferenceID);
}

void ExampleTweakListController::resetSettings() {
    auto& store = VLPrefsManager::sharedInstance();
    const base::Value entries = store.allEntries(kPreferenceID);
    if (const auto* dictionary = entries.asDictionary()) {
        for (const auto& [key, value] : *dictionary) store.removeObjectForKey(key, kPreferenceID);
    }
    preferencesDidChangedNotification(kPreferenceID);
    // Every row shows its default again.
    setupData();
    if (tableView()) tableView()->reloadData();
}
