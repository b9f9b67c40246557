#pragma once

#include <string>

// What the emoji picker tells its presenter, exactly once per presentation: the emoji the user
// tapped (as the emoji file spells it, joiners and variation selectors included), or that the
// sheet went away without a choice.
class VLEmojiPickerProtocol {
public:
    virtual ~VLEmojiPickerProtocol() = default;
    virtual void didSelectEmoji(const std::string& emoji) = 0;
    virtual void didDismissedEmojiPicker() = 0;
};
