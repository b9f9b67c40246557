#pragma once

#include <string>

namespace ui {

// What a controller shows for itself in a tab bar: a title and a system symbol's name.
struct TabBarItem {
    std::string title;
    std::string symbolName;
};

}  // namespace ui
