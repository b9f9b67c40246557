#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Where the store keeps its files, and which names may become part of a file name there.
// Identifiers and image keys are path segments: one that could leave its directory (a
// "/", a NUL byte, "." or "..", or nothing at all) is refused before any path is formed.
class VLPrefsPaths {
public:
    static constexpr std::string_view kPreferenceDirectory = "/var/mobile/Library/Preferences";
    static constexpr std::string_view kThumbnailDirectory = "/var/QZN/Vellium/Thumbnails";

    static bool isSafeSegment(std::string_view segment);

    // The preference directory under the current filesystem root.
    static std::filesystem::path preferenceDirectory();
    // "ID.plist", the preference file's name inside that directory.
    static std::string preferenceFileName(std::string_view identifier);
    // "/var/QZN/Vellium/Thumbnails/ID_KEY.png" under the filesystem root.
    static std::filesystem::path thumbnailFile(std::string_view identifier, std::string_view key);
};
