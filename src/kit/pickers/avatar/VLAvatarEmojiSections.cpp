#include "pickers/avatar/VLAvatarEmojiSections.h"

#include "base/PropertyList.h"

namespace {

VLAvatarEmojiSections::Section sectionFrom(const base::Value& entry) {
    VLAvatarEmojiSections::Section section;
    if (const auto* title = entry["Title"].asString()) section.title = *title;
    if (const auto* emojis = entry["Emojis"].asArray()) {
        section.emojis.reserve(emojis->size());
        for (const auto& emoji : *emojis) {
            if (const auto* text = emoji.asString()) section.emojis.push_back(*text);
        }
    }
    return section;
}

std::optional<std::vector<VLAvatarEmojiSections::Section>> sectionsFrom(const base::Value& root) {
    const auto* entries = root.asArray();
    if (!entries) return std::nullopt;
    std::vector<VLAvatarEmojiSections::Section> sections;
    sections.reserve(entries->size());
    for (const auto& entry : *entries) sections.push_back(sectionFrom(entry));
    return sections;
}

}  // namespace

std::optional<std::vector<VLAvatarEmojiSections::Section>> VLAvatarEmojiSections::readFile(
    const std::filesystem::path& path) {
    auto root = base::PropertyList::readFile(path);
    if (!root) return std::nullopt;
    return sectionsFrom(root.value());
}

std::optional<std::vector<VLAvatarEmojiSections::Section>> VLAvatarEmojiSections::parse(
    std::span<const std::uint8_t> bytes) {
    auto root = base::PropertyList::parse(bytes);
    if (!root) return std::nullopt;
    return sectionsFrom(root.value());
}
