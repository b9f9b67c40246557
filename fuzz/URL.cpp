// URL parsing on arbitrary bytes: no crash, no hang, and whatever parses formats back to
// text that parses to the same URL.
#include "base/URL.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto url = base::URL::parse(text);
    if (url) {
        const auto reparsed = base::URL::parse(url->absoluteString());
        if (!reparsed || *reparsed != *url) std::abort();
        const auto appended = url->appendingPathComponent(text);
        if (!base::URL::parse(appended.absoluteString())) std::abort();
    }
    const auto encoded = base::URL::percentEncoded(text, base::URL::Allowed::Query);
    if (!base::URL::parse("x:?" + encoded)) std::abort();
    (void)base::URL::percentDecoded(text);
    return 0;
}
