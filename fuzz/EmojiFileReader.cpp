// The emoji file: any bytes are read as a property list and turned into sections without
// crashing, hanging or reading out of bounds.
#include <cstddef>
#include <cstdint>
#include <span>

#include "pickers/emoji/VLEmojiFileReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto sections = VLEmojiFileReader::parse(std::span(data, size));
    if (sections) {
        std::size_t bytes = 0;
        for (const auto& section : sections.value()) {
            bytes += section.title.size();
            for (const auto& emoji : section.emojis) bytes += emoji.size();
        }
        static_cast<void>(bytes);
    }
    return 0;
}
