#include "pickers/avatar/VLAvatarIdentityPickerEmojiDataModel.h"

std::shared_ptr<VLAvatarIdentityPickerEmojiDataModel> VLAvatarIdentityPickerEmojiDataModel::initWithEmoji(
    std::string emoji, std::string colour) {
    return std::shared_ptr<VLAvatarIdentityPickerEmojiDataModel>(
        new VLAvatarIdentityPickerEmojiDataModel(std::move(emoji), std::move(colour)));
}
