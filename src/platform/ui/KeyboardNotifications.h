#pragma once

#include <optional>

#include "base/Notification.h"
#include "base/Value.h"
#include "gfx/Geometry.h"

namespace ui {

// The on-screen keyboard's notifications, posted on base::NotificationCenter::defaultCenter()
// with no object. Will-show and will-hide go out as the keyboard starts to slide (in or out,
// over kKeyboardAnimationDuration); did-show and did-hide when the slide has finished.
inline constexpr const char* kKeyboardWillShowNotification = "UIKeyboardWillShowNotification";
inline constexpr const char* kKeyboardDidShowNotification = "UIKeyboardDidShowNotification";
inline constexpr const char* kKeyboardWillHideNotification = "UIKeyboardWillHideNotification";
inline constexpr const char* kKeyboardDidHideNotification = "UIKeyboardDidHideNotification";

// User-info keys. The frames are the keyboard's rectangles in window coordinates at the start
// and at the end of the slide, each a dictionary {"x", "y", "width", "height"} of reals
// (keyboardFrameFromValue reads one back); the duration is a real in seconds.
inline constexpr const char* kKeyboardFrameBeginUserInfoKey = "UIKeyboardFrameBeginUserInfoKey";
inline constexpr const char* kKeyboardFrameEndUserInfoKey = "UIKeyboardFrameEndUserInfoKey";
inline constexpr const char* kKeyboardAnimationDurationUserInfoKey = "UIKeyboardAnimationDurationUserInfoKey";

inline constexpr double kKeyboardAnimationDuration = 0.25;

base::Value keyboardFrameValue(const gfx::Rect& frame);
// The rectangle of a frame value; nothing when the value is not a dictionary holding four
// finite numbers.
std::optional<gfx::Rect> keyboardFrameFromValue(const base::Value& value);
// The end frame a keyboard notification carries, if it carries one.
std::optional<gfx::Rect> keyboardEndFrame(const base::Notification& notification);

}  // namespace ui
