#pragma once

#include <cstdint>

namespace layout {

// Internal unknowns of the tableau are small integers handed out in creation order; pivot
// choices break ties by the lower number, which is what makes results depend only on the order
// of calls. 0 is never a symbol.
using Symbol = std::uint32_t;
inline constexpr Symbol kNoSymbol = 0;

enum class SymbolKind : std::uint8_t {
    External,  // a caller's Variable: unrestricted in sign
    Slack,     // turns an inequality into an equation: >= 0
    Error,     // how far a preference is missed: >= 0, weighted in the objective
    Dummy,     // marks a required equality: fixed at 0, never enters the basis
};

inline constexpr double kEpsilon = 1e-8;
inline bool nearZero(double value) { return value < kEpsilon && value > -kEpsilon; }

}  // namespace layout
