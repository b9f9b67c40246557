#pragma once

#include "prefslist/VLPreferencesListViewController.h"

// The quiet tweak's one settings list, pushed from its home screen's settings row.
class QuietTweakListController : public VLPreferencesListViewController {
protected:
    void viewDidLoad() override;
};
