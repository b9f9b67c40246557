#include "ui/KeyboardNotifications.h"

#include <cmath>

namespace ui {

base::Value keyboardFrameValue(const gfx::Rect& frame) {
    return base::Value::Dictionary{
        {"x", frame.x}, {"y", frame.y}, {"width", frame.width}, {"height", frame.height}};
}

std::optional<gfx::Rect> keyboardFrameFromValue(const base::Value& value) {
    if (!value.asDictionary()) return std::nullopt;
    double parts[4];
    const char* keys[4] = {"x", "y", "width", "height"};
    for (int i = 0; i < 4; ++i) {
        const base::Value& part = value[keys[i]];
        if (!part.isNumber() || !std::isfinite(part.doubleValue())) return std::nullopt;
        parts[i] = part.doubleValue();
    }
    return gfx::Rect{parts[0], parts[1], parts[2], parts[3]};
}

std::optional<gfx::Rect> keyboardEndFrame(const base::Notification& notification) {
    return keyboardFrameFromValue(notification.userInfo[kKeyboardFrameEndUserInfoKey]);
}

}  // namespace ui
