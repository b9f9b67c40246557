// The kit's own screens that hosts and home screens may name by class.
#include "prefslist/VLPreferencesListViewController.h"
#include "uikit/VLViewControllerRegistry.h"

VL_REGISTER_VIEW_CONTROLLER(VLPreferencesListViewController);
