// Property-list input (XML or binary) into base::Value: no crash, no hang, whatever the
// bytes. Whatever parses must also serialize and parse back to the same value.
#include "base/PropertyList.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto parsed = base::PropertyList::parse(std::span(data, size));
    if (!parsed) return 0;
    for (auto format : {base::PropertyList::Format::Xml, base::PropertyList::Format::Binary}) {
        auto bytes = base::PropertyList::serialize(parsed.value(), format);
        if (!bytes) continue;  // e.g. a string holding NUL, which libplist cannot take
        auto again = base::PropertyList::parse(bytes.value());
        if (!again) std::abort();
    }
    return 0;
}
