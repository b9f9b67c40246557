// The avatar picker's reading of the emoji file: any bytes are read as a property list and
// cut into sections of emoji without crashing, hanging or reading out of bounds.
#include <cstddef>
#include <cstdint>
#include <span>

#include "pickers/avatar/VLAvatarEmojiSections.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto sections = VLAvatarEmojiSections::parse(std::span(data, size));
    if (sections) {
        std::size_t total = 0;
        for (const auto& section : *sections) {
            total += section.title.size();
            for (const auto& emoji : section.emojis) total += emoji.size();
        }
        static_cast<void>(total);
    }
    return 0;
}
