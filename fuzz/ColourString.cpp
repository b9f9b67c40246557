// The colour string decoders take text from preference files and documents: any bytes
// must decode without crashing, and whatever decodes must encode to a string that decodes
// to the same colour.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "store/VLColourString.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    gfx::Color listColour = VLColourString::colorWithListString(text);
    (void)listColour;
    if (auto colour = VLColourString::parseHexString(text)) {
        std::string encoded = VLColourString::hexStringFromColor(*colour);
        if (encoded.size() != 6 || VLColourString::colorWithHexString(encoded) != *colour) std::abort();
    }
    return 0;
}
