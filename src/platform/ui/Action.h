#pragma once

#include <functional>
#include <string>

namespace ui {

// One item of a menu: its title, the system symbol shown beside it and what picking it does.
struct Action {
    std::string title;
    std::string symbolName;
    std::function<void()> handler;
};

}  // namespace ui
