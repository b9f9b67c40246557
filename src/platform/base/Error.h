#pragma once

#include <string>

namespace base {

// A failure reported to a caller: the domain it belongs to, a code within that domain and
// an optional human-readable description.
struct Error {
    std::string domain;
    long code = 0;
    std::string description;

    bool operator==(const Error&) const = default;
};

}  // namespace base
