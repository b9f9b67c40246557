#pragma once

#include <cstddef>

#include "base/Value.h"

// Removes the first `index` bytes of `data` and returns them; the rest moves to the front.
// Throws std::out_of_range when `data` is shorter than `index`.
base::Data vl_consumeToIndex(base::Data& data, std::size_t index);

// Compares `receiver` with `other` in a time that depends only on their lengths, not on
// where they differ. An empty receiver equals only an empty argument.
bool vl_isEqualInConsistentTime(const base::Data& receiver, const base::Data& other);
