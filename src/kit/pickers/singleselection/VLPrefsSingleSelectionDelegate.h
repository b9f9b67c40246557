#pragma once

#include <cstdint>

// What the single-selection picker tells its opener: the index of the confirmed option. It is
// called once, after the index is stored and the picker has begun to slide away; a cancelled
// or swiped-away picker calls nothing.
class VLPrefsSingleSelectionDelegate {
public:
    virtual ~VLPrefsSingleSelectionDelegate() = default;
    virtual void singleSelectionDidSelectedOptions(std::int64_t index) = 0;
};
