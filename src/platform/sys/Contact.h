#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sys {

// One card of the address book. Name fields are absent when the card has no value for them
// and empty when it has an empty one; lists keep the card's order.
struct Contact {
    std::string identifier;
    std::optional<std::string> givenName;
    std::optional<std::string> familyName;
    std::optional<std::string> nickname;
    std::vector<std::string> phoneNumbers;
    std::vector<std::string> emailAddresses;
    // The photo's encoded bytes (PNG, JPEG), empty when the card has none.
    std::vector<std::uint8_t> imageData;

    bool operator==(const Contact&) const = default;
};

}  // namespace sys
