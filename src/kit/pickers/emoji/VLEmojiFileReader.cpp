#include "pickers/emoji/VLEmojiFileReader.h"

#include "base/FileSystemRoot.h"
#include "base/PropertyList.h"

base::Result<std::vector<VLEmojiSection>> VLEmojiFileReader::readInstalled() {
    return readFile(base::FileSystemRoot::resolve(kDevicePath));
}

base::Result<std::vector<VLEmojiSection>> VLEmojiFileReader::readFile(const std::filesystem::path& path) {
    auto root = base::PropertyList::readFile(path);
    if (!root) return root.error();
    return sections(root.value());
}

base::Result<std::vector<VLEmojiSection>> VLEmojiFileReader::parse(std::span<const std::uint8_t> bytes) {
    auto root = base::PropertyList::parse(bytes);
    if (!root) return root.error();
    return sections(root.value());
}

base::Result<std::vector<VLEmojiSection>> VLEmojiFileReader::sections(const base::Value& root) {
    const auto* elements = root.asArray();
    if (!elements) {
        return base::Error{kErrorDomain, kRootNotAnArray,
                           std::string("the root is ") + base::Value::typeName(root.type())};
    }
    std::vector<VLEmojiSection> result;
    result.reserve(elements->size());
    for (const auto& element : *elements) result.push_back(section(element));
    return result;
}

VLEmojiSection VLEmojiFileReader::section(const base::Value& element) {
    VLEmojiSection section;
    if (const auto* title = element["Title"].asString()) section.title = *title;
    if (const auto* emojis = element["Emojis"].asArray()) {
        section.emojis.reserve(emojis->size());
        for (const auto& emoji : *emojis) {
            if (const auto* text = emoji.asString()) section.emojis.push_back(*text);
        }
    }
    return section;
}
