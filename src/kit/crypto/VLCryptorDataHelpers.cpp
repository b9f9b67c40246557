#include "crypto/VLCryptorDataHelpers.h"

#include <stdexcept>

base::Data vl_consumeToIndex(base::Data& data, std::size_t index) {
    if (index > data.size()) throw std::out_of_range("vl_consumeToIndex: index beyond the end of the data");
    base::Data head(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(index));
    data.erase(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(index));
    return head;
}

bool vl_isEqualInConsistentTime(const base::Data& receiver, const base::Data& other) {
    if (receiver.empty()) return other.empty();
    // Every byte of the argument is visited even after a difference, so the time taken
    // reveals nothing about the position of the first mismatch.
    unsigned difference = receiver.size() != other.size() ? 1u : 0u;
    for (std::size_t i = 0; i < other.size(); ++i) difference |= other[i] ^ receiver[i % receiver.size()];
    return difference == 0;
}
