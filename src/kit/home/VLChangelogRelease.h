#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One release of a tweak's changelog, as the changelog sheet shows it: the texts of its date
// chip, its version and its entries, each with a category code (0 to 4 are known categories,
// anything else shows no category).
struct VLChangelogRelease {
    struct Entry {
        std::string message;
        std::int32_t categoryCode = 0;
        bool operator==(const Entry&) const = default;
    };

    std::string date;
    std::string month;
    std::string year;
    std::string version;
    std::vector<Entry> entries;

    bool operator==(const VLChangelogRelease&) const = default;
};
