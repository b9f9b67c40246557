#pragma once

#include <stdexcept>

// A command line the program cannot follow; main prints the message and the usage, exit 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
