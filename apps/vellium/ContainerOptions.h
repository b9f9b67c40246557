#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/Value.h"

// The options `vellium seal` and `vellium open` share:
//   (--password-file F | --password P | --key HEX --hmac-key HEX) [-i IN] [-o OUT]
// Wrong or missing options are usage errors.
struct ContainerOptions {
    std::optional<std::string> password;
    base::Data key;
    base::Data HMACKey;
    std::optional<std::string> inputPath;   // standard input when absent
    std::optional<std::string> outputPath;  // standard output when absent

    static ContainerOptions parse(std::span<const std::string> arguments);
};

// A one-line failure of a container command: main prints it and exits with status 1.
class ContainerFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
