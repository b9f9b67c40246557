#pragma once

#include <functional>
#include <memory>
#include <string>

#include "ui/Responder.h"
#include "ui/Touch.h"
#include "ui/Window.h"

namespace testsupport {

// A target that runs `onAction` for the action "changed".
class ActionRecorder : public ui::Responder {
public:
    static std::shared_ptr<ActionRecorder> create(std::function<void()> onAction) {
        std::shared_ptr<ActionRecorder> recorder(new ActionRecorder());
        recorder->registerAction("changed", std::move(onAction));
        return recorder;
    }
};

// A finger that goes down and up at `point` (window coordinates).
inline void tap(ui::Window& window, gfx::Point point, int finger = 1) {
    window.sendTouch(ui::Touch(finger, ui::TouchPhase::Began, point));
    window.sendTouch(ui::Touch(finger, ui::TouchPhase::Ended, point));
}

// A finger that goes down at `from`, moves to `to` in `steps` equal moves, and lifts there
// (or is cancelled).
inline void drag(ui::Window& window, gfx::Point from, gfx::Point to, int steps, bool cancel = false) {
    window.sendTouch(ui::Touch(1, ui::TouchPhase::Began, from));
    gfx::Point at = from;
    for (int step = 1; step <= steps; ++step) {
        at = {from.x + (to.x - from.x) * step / steps, from.y + (to.y - from.y) * step / steps};
        window.sendTouch(ui::Touch(1, ui::TouchPhase::Moved, at));
    }
    window.sendTouch(ui::Touch(1, cancel ? ui::TouchPhase::Cancelled : ui::TouchPhase::Ended, at));
}

}  // namespace testsupport
