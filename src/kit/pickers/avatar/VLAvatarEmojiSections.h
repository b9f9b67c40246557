#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The emoji file the kit installs at "/var/QZN/Vellium/Emoji/Emoji.plist": a property list
// whose root is an array of sections, each a dictionary with a "Title" string and an
// "Emojis" array of strings, shown and returned unchanged.
//
// Reading is forgiving, as the file comes from outside: a section that is not a dictionary,
// or lacks a string "Title" or an "Emojis" array, becomes a section with an empty title or
// no emoji; entries that are not strings are skipped.
class VLAvatarEmojiSections {
public:
    static constexpr const char* kEmojiFile = "/var/QZN/Vellium/Emoji/Emoji.plist";

    struct Section {
        std::string title;
        std::vector<std::string> emojis;
    };

    // Nothing when the file is missing, unreadable or its root is not an array.
    static std::optional<std::vector<Section>> readFile(const std::filesystem::path& path);
    static std::optional<std::vector<Section>> parse(std::span<const std::uint8_t> bytes);
};
