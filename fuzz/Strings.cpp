// The string helpers on arbitrary bytes: no crash, and results that are well-formed UTF-8
// and ranges that lie inside the searched text.
#include "base/Strings.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/Utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace base::strings;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto split = text.empty() ? 0 : std::size_t(data[0]) % text.size();
    const auto haystack = text.substr(0, split), needle = text.substr(split);

    if (auto range = findCaseInsensitive(haystack, needle)) {
        if (range->offset + range->length > haystack.size() || range->length == 0) std::abort();
    }
    for (const auto& result :
         {trimmed(text), uppercased(text), firstComposedCharacter(text), sanitized(text)}) {
        if (!base::Utf8::isValid(result)) std::abort();
    }
    if (utf16Length(text) > text.size()) std::abort();
    const std::string wellFormed = sanitized(text);
    if (!wellFormed.empty()) {
        const auto word = wordAt(wellFormed, split % wellFormed.size());
        if (word.offset + word.length > wellFormed.size()) std::abort();
    }
    (void)caseInsensitiveCompare(haystack, needle);
    return 0;
}
