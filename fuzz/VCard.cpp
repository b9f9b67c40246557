// The vCard reader on arbitrary bytes: no crash, no hang, and every card it keeps has an
// identifier and names that are well-formed UTF-8.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "base/Utf8.h"
#include "sys/VCardReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const auto& contact : sys::VCardReader::read(text, "fuzz.vcf")) {
        if (contact.identifier.empty()) std::abort();
        for (const auto* name : {&contact.givenName, &contact.familyName, &contact.nickname}) {
            if (*name && !base::Utf8::isValid(**name)) std::abort();
        }
    }
    return 0;
}
