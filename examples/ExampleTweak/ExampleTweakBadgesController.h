#pragma once

#include "ExampleTweakListController.h"

// The example tweak's second settings document, "Badges", on the same list screen.
class ExampleTweakBadgesController : public ExampleTweakListController {
protected:
    void viewDidLoad() override;
};
