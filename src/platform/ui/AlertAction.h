#pragma once

#include <functional>
#include <string>

namespace ui {

// A button of an alert: its title, its style and what it does once the alert has gone.
struct AlertAction {
    enum class Style { Default, Cancel, Destructive };
    std::string title;
    Style style = Style::Default;
    std::function<void(const AlertAction&)> handler;
};

}  // namespace ui
