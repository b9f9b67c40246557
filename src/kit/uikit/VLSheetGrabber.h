#pragma once

#include <memory>

#include "ui/View.h"

// The small rounded bar at the top of a sheet that shows it can be pulled down: 40 by 6 points,
// centred, 10 points below the top of the view it is added to.
class VLSheetGrabber {
public:
    static std::shared_ptr<ui::View> addTo(ui::View& parent);
};
