#include "EmojiTestReader.h"

#include <sstream>
#include <string_view>

namespace {

constexpr std::string_view kGroupHeading = "# group: ";
constexpr std::string_view kFullyQualified = "fully-qualified";
constexpr std::string_view kSkippedGroup = "Component";

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

}  // namespace

base::Result<std::vector<EmojiTestReader::Group>> EmojiTestReader::read(std::istream& input) {
    std::vector<Group> groups;
    bool skipping = true;  // entries before the first heading belong to no group
    std::string line;
    for (int number = 1; std::getline(input, line); ++number) {
        std::string_view text(line);
        if (text.starts_with(kGroupHeading)) {
            std::string title(trimmed(text.substr(kGroupHeading.size())));
            skipping = title == kSkippedGroup;
            if (!skipping) groups.push_back({std::move(title), {}});
            continue;
        }
        if (text.empty() || text.front() == '#') continue;
        const auto semicolon = text.find(';');
        const auto hash = text.find('#', semicolon == std::string_view::npos ? 0 : semicolon);
        if (semicolon == std::string_view::npos) {
            return base::Error{"EmojiTestReader", number, "line " + std::to_string(number) + ": no status"};
        }
        if (skipping || trimmed(text.substr(semicolon + 1, hash - semicolon - 1)) != kFullyQualified)
            continue;
        std::string emoji = utf8(std::string(text.substr(0, semicolon)));
        if (emoji.empty()) {
            return base::Error{"EmojiTestReader", number,
                               "line " + std::to_string(number) + ": bad code points"};
        }
        groups.back().emojis.push_back(std::move(emoji));
    }
    std::erase_if(groups, [](const Group& group) { return group.emojis.empty(); });
    return groups;
}

std::string EmojiTestReader::utf8(const std::string& codePoints) {
    std::istringstream words(codePoints);
    std::string text;
    std::string word;
    while (words >> word) {
        if (word.size() > 6 || word.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
            return {};
        const auto value = static_cast<char32_t>(std::stoul(word, nullptr, 16));
        if (value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return {};
        appendUtf8(text, value);
    }
    return text;
}

void EmojiTestReader::appendUtf8(std::string& text, char32_t codePoint) {
    auto byte = [&text](char32_t bits) { text.push_back(static_cast<char>(bits)); };
    if (codePoint < 0x80) {
        byte(codePoint);
    } else if (codePoint < 0x800) {
        byte(0xC0 | (codePoint >> 6));
        byte(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        byte(0xE0 | (codePoint >> 12));
        byte(0x80 | ((codePoint >> 6) & 0x3F));
        byte(0x80 | (codePoint & 0x3F));
    } else {
        byte(0xF0 | (codePoint >> 18));
        byte(0x80 | ((codePoint >> 12) & 0x3F));
        byte(0x80 | ((codePoint >> 6) & 0x3F));
        byte(0x80 | (codePoint & 0x3F));
    }
}
