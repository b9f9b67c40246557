#include "store/VLPrefsPaths.h"

#include "base/FileSystemRoot.h"

bool VLPrefsPaths::isSafeSegment(std::string_view segment) {
    if (segment.empty() || segment == "." || segment == "..") return false;
    return segment.find('/') == std::string_view::npos && segment.find('\0') == std::string_view::npos;
}

std::filesystem::path VLPrefsPaths::preferenceDirectory() {
    return base::FileSystemRoot::resolve(kPreferenceDirectory);
}

std::string VLPrefsPaths::preferenceFileName(std::string_view identifier) {
    std::string name(identifier);
    name += ".plist";
    return name;
}

std::filesystem::path VLPrefsPaths::thumbnailFile(std::string_view identifier, std::string_view key) {
    std::string name(identifier);
    name += '_';
    name += key;
    name += ".png";
    return base::FileSystemRoot::resolve(kThumbnailDirectory) / name;
}
