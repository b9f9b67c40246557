#pragma once

namespace ui {

// One key going down on a hardware keyboard. Typed text arrives separately, as text
// (KeyInput::insertText); a press names the keys that do something of their own.
struct Press {
    enum class Key { Return, Backspace, Left, Right, Up, Down, Space, Tab, Escape };
    Key key;
    bool control = false;
    bool shift = false;
};

}  // namespace ui
