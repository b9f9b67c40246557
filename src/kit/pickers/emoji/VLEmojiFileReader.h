#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "base/Result.h"
#include "base/Value.h"
#include "pickers/emoji/VLEmojiSection.h"

// Reads the kit's emoji file: a property list (XML or binary) whose root is an array of
// sections, each a dictionary with the header text under "Title" and the emoji strings under
// "Emojis". Shared by the emoji picker and the avatar picker's emoji tool.
//
// Only the root must be well formed. Within it the reader is lenient, so one odd entry does not
// cost the user the whole grid: an element that is not a dictionary is a section with neither
// title nor emoji, a "Title" that is not a string is an empty title, and entries of "Emojis"
// that are not strings are left out. Strings are kept byte for byte.
class VLEmojiFileReader {
public:
    static constexpr const char* kErrorDomain = "VLEmojiFileReader";
    // Besides the property-list errors (unreadable, malformed) of base::PropertyList.
    enum ErrorCode : long { kRootNotAnArray = 1 };
    static constexpr const char* kDevicePath = "/var/QZN/Vellium/Emoji/Emoji.plist";

    // The installed file, at kDevicePath under the filesystem root.
    static base::Result<std::vector<VLEmojiSection>> readInstalled();
    static base::Result<std::vector<VLEmojiSection>> readFile(const std::filesystem::path& path);
    static base::Result<std::vector<VLEmojiSection>> parse(std::span<const std::uint8_t> bytes);
    static base::Result<std::vector<VLEmojiSection>> sections(const base::Value& root);

private:
    static VLEmojiSection section(const base::Value& element);
};
