#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "pickers/avatar/VLAvatarIdentityPickerEmojiDataModel.h"

// What the avatar picker offers besides its tools: the sticker images installed in
// "/var/mobile/Library/Avatar/Stickers" (under the filesystem root) and twenty fixed
// emoji-on-colour presets. It keeps no state; each call reads afresh and returns a new list.
class VLAvatarIdentityPickerDataSource {
public:
    static constexpr const char* kStickerDirectory = "/var/mobile/Library/Avatar/Stickers";

    static VLAvatarIdentityPickerDataSource& sharedInstance();

    // The names (not paths) of the directory's entries ending in ".png", in that exact case,
    // sorted ignoring case in the current locale's collation; empty when it cannot be read.
    std::vector<std::string> stickersData() const;
    std::vector<std::shared_ptr<VLAvatarIdentityPickerEmojiDataModel>> emojiData() const;

    // Where the sticker of a listed name lies.
    static std::filesystem::path stickerPath(const std::string& name);

private:
    VLAvatarIdentityPickerDataSource() = default;
};
