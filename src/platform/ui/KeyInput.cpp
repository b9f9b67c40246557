#include "ui/KeyInput.h"

namespace ui {

bool KeyInput::handleEditingPress(const Press& press) {
    switch (press.key) {
        case Press::Key::Return:
            insertText("\n");
            return true;
        case Press::Key::Backspace:
            deleteBackward();
            return true;
        case Press::Key::Left:
        case Press::Key::Right:
            moveCaret(press.key == Press::Key::Left ? -1 : 1);
            return true;
        case Press::Key::Space:
            return true;  // it arrives as typed text; nothing further up may take it
        default:
            return false;
    }
}

}  // namespace ui
