// Font descriptor archives come from preference files that any process may have written:
// whatever the bytes, unarchiving returns a descriptor or nothing, and never crashes.
#include <cstddef>
#include <cstdint>
#include <span>

#include "gfx/FontDescriptor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto descriptor = gfx::FontDescriptor::unarchive(std::span<const std::uint8_t>(data, size));
    if (descriptor) {
        // What was read must archive again and read back the same.
        auto archive = descriptor->archive();
        if (archive.ok()) {
            auto again = gfx::FontDescriptor::unarchive(archive.value());
            if (!again || !(*again == *descriptor)) __builtin_trap();
        }
    }
    return 0;
}
