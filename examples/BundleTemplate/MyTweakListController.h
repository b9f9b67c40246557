#pragma once

#include "prefslist/VLPreferencesListViewController.h"

// The bundle's principal class (NSPrincipalClass in Info.plist): the kit's list screen on the
// tweak's document, Resources/MyTweak.plist.
class MyTweakListController : public VLPreferencesListViewController {
public:
    MyTweakListController();

protected:
    void viewDidLoad() override;
};
