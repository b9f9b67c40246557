#pragma once

// The built-in symbol name table. Internal to gfx.
#include <span>
#include <string_view>

namespace gfx {

struct SymbolName {
    std::string_view name;      // the platform's symbol name
    std::string_view ligature;  // the Material Icons icon name
};

std::span<const SymbolName> builtInSymbolNames();

}  // namespace gfx
