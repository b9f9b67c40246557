#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "gfx/Color.h"

// The category a changelog entry is tagged with: its label, colour and symbol, by code.
struct VLChangelogCategory {
    std::string label;
    gfx::Color colour;
    std::string symbolName;

    // Codes 0 ("Initial Release") to 4 ("Transition"); any other code has no category.
    static std::optional<VLChangelogCategory> forCode(std::int32_t code);
};
