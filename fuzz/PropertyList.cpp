// Property-list input (XML or binary) into base::Value: no crash, no hang, whatever the
// bytes. Whatever parses must also serialize and parse back, unchanged through binary
// (XML keeps dates to the second).
#include "base/PropertyList.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using base::PropertyList;
    auto parsed = PropertyList::parse(std::span(data, size));
    if (!parsed) return 0;
    for (auto format : {PropertyList::Format::Xml, PropertyList::Format::Binary}) {
        auto bytes = PropertyList::serialize(parsed.value(), format);
        if (!bytes) continue;  // e.g. a string holding NUL, which libplist cannot take
        auto again = PropertyList::parse(bytes.value());
        if (!again) std::abort();
        // Descriptions compare NaN reals as equal, where Value's == would not.
        if (format == PropertyList::Format::Binary &&
            again.value().description() != parsed.value().description()) {
            std::abort();
        }
    }
    return 0;
}
