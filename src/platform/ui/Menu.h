#pragma once

#include <string>
#include <utility>
#include <vector>

#include "ui/Action.h"

namespace ui {

// A titled list of actions a button can open as a popover card.
struct Menu {
    std::string title;
    std::vector<Action> children;
};

}  // namespace ui
