#pragma once

#include <string_view>

#include "base/Value.h"

// Whether a value can be written to an XML property list and read back as written:
// every string and key valid UTF-8 without the control characters XML cannot carry, no
// absent elements, and finite reals and dates. Storing anything else would leave a file
// that no longer parses, losing every entry in it.
class VLStorableValue {
public:
    static bool isStorable(const base::Value& value);
    static bool isStorableString(std::string_view text);
};
