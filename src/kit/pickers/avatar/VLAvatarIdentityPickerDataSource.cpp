#include "pickers/avatar/VLAvatarIdentityPickerDataSource.h"

#include <algorithm>

#include "base/FileSystemRoot.h"
#include "base/Files.h"
#include "base/Strings.h"

namespace {

struct Preset {
    const char* emoji;
    const char* colour;
};

constexpr Preset kPresets[] = {
    {"\U0001F600", "a8e6cf"}, {"\U0001F976", "d0e1f9"},   {"\U0001F61C", "a8e6cf"}, {"\U0001F60D", "ffaaa5"},
    {"\U0001F618", "eedbdb"}, {"\U0001F973", "dddddd"},   {"\U0001F63B", "e4dcf1"}, {"\U0001F48B", "eee3e7"},
    {"\U0001F48D", "e7d3d3"}, {"\U0001F984", "fec8c1"},   {"\U0001F37B", "96ceb4"}, {"\U0001F942", "ff6f69"},
    {"\U0001F37F", "ffdbac"}, {"\u26BD\uFE0F", "64a1f4"}, {"\U0001F3C8", "add6ff"}, {"\U0001F3D2", "ffefd7"},
    {"\U0001F697", "a8e6cf"}, {"\U0001F6F4", "dcedc1"},   {"\U0001F680", "ffcc5c"}, {"\U0001F4BB", "b3cde0"},
};

// The suffix test is case-sensitive: "Face.PNG" is not a sticker.
bool isStickerName(const std::string& name) { return name.ends_with(".png"); }

}  // namespace

VLAvatarIdentityPickerDataSource& VLAvatarIdentityPickerDataSource::sharedInstance() {
    static VLAvatarIdentityPickerDataSource instance;
    return instance;
}

std::filesystem::path VLAvatarIdentityPickerDataSource::stickerPath(const std::string& name) {
    return base::FileSystemRoot::resolve(kStickerDirectory) / name;
}

std::vector<std::string> VLAvatarIdentityPickerDataSource::stickersData() const {
    auto entries = base::Files::listDirectory(base::FileSystemRoot::resolve(kStickerDirectory));
    if (!entries) return {};
    std::vector<std::string> names;
    for (auto& name : entries.value()) {
        if (isStickerName(name)) names.push_back(std::move(name));
    }
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return base::strings::localizedCaseInsensitiveCompare(a, b) < 0;
    });
    return names;
}

std::vector<std::shared_ptr<VLAvatarIdentityPickerEmojiDataModel>>
VLAvatarIdentityPickerDataSource::emojiData() const {
    std::vector<std::shared_ptr<VLAvatarIdentityPickerEmojiDataModel>> presets;
    presets.reserve(std::size(kPresets));
    for (const auto& preset : kPresets)
        presets.push_back(VLAvatarIdentityPickerEmojiDataModel::initWithEmoji(preset.emoji, preset.colour));
    return presets;
}
