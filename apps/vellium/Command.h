#pragma once

#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// One subcommand of the `vellium` tool: its name, a one-line usage and its entry point,
// which receives the arguments after the name and returns the exit status.
struct Command {
    std::string_view name;
    std::string_view usage;
    int (*run)(std::span<const std::string> arguments);
};

// Thrown by a subcommand for wrong arguments; main prints the message and the usage, exit 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Every subcommand, in the order `vellium --help` lists them (CommandTable.cpp).
std::span<const Command> commandTable();
