#pragma once

#include <memory>
#include <string>

// One preset of the avatar picker: an emoji on a background colour, the colour as six
// hexadecimal digits without prefix.
class VLAvatarIdentityPickerEmojiDataModel {
public:
    static std::shared_ptr<VLAvatarIdentityPickerEmojiDataModel> initWithEmoji(std::string emoji,
                                                                               std::string colour);

    const std::string& emoji() const { return emoji_; }
    const std::string& colour() const { return colour_; }

private:
    VLAvatarIdentityPickerEmojiDataModel(std::string emoji, std::string colour)
        : emoji_(std::move(emoji)), colour_(std::move(colour)) {}

    std::string emoji_;
    std::string colour_;
};
