#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace base {

// Checks run on property-list input before libplist parses it. libplist 2.2 recurses once
// per nesting level (a few hundred thousand nested arrays overflow the stack) and expands
// shared binary objects into a tree (a few hundred bytes can describe billions of nodes),
// so such input is refused up front.
class PropertyListLimits {
public:
    // Deeper nesting than any settings file needs, shallow enough for small thread stacks.
    static constexpr std::size_t kMaxDepth = 512;
    // Far more than any settings file holds; a binary list whose shared data, strings and
    // containers would expand beyond it is refused before it is expanded.
    static constexpr std::uint64_t kMaxExpandedBytes = std::uint64_t(64) << 20;

    // True when no XML element is nested deeper than kMaxDepth. Comments, CDATA sections,
    // processing instructions and declarations are skipped, as the parser skips them.
    static bool xmlWithinLimits(std::span<const std::uint8_t> xml);

    // True when the binary object graph is well formed (offsets and references in range),
    // has no cycle, is no deeper than kMaxDepth, expands to no more nodes than twice the
    // input size (a file without shared containers expands to fewer nodes than its size) and
    // to no more than kMaxExpandedBytes of content (every object counted once per reference).
    static bool binaryWithinLimits(std::span<const std::uint8_t> binary);
};

}  // namespace base
