#pragma once

#include <string>
#include <vector>

// One section of the emoji file: its header text and its emoji in display order. Either may be
// empty when the file leaves it out.
struct VLEmojiSection {
    std::string title;
    std::vector<std::string> emojis;

    bool operator==(const VLEmojiSection&) const = default;
};
