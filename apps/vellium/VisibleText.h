#pragma once

#include <memory>
#include <string>

#include "gfx/Geometry.h"

namespace ui {
class View;
class Window;
}  // namespace ui

// Finds what a person would tap to hit a text: the label or button showing exactly `text`,
// shown (not hidden, not transparent, itself and every ancestor) and with its centre inside
// the window. Of several, the one drawn last (on top) wins.
class VisibleText {
public:
    static std::shared_ptr<ui::View> find(ui::Window& window, const std::string& text);
    // The view's centre in window coordinates.
    static gfx::Point centre(const ui::View& view);
};
