// The changelog reader: any bytes (a downloaded document is outside input) are read into
// releases without crashing, hanging or reading out of bounds, whatever shape the releases have.
#include <cstddef>
#include <cstdint>
#include <span>

#include "home/VLChangelogReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto releases = VLChangelogReader::read(std::span(data, size));
    if (releases) {
        std::size_t characters = 0;
        for (const auto& release : releases.value()) {
            characters += release.date.size() + release.version.size();
            for (const auto& entry : release.entries) characters += entry.message.size();
        }
        static_cast<void>(characters);
    }
    return 0;
}
