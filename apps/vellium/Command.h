#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "UsageError.h"

// One subcommand of the `vellium` tool: its name, a one-line usage and its entry point,
// which receives the arguments after the name and returns the exit status.
struct Command {
    std::string_view name;
    std::string_view usage;
    int (*run)(std::span<const std::string> arguments);
};

// Every subcommand, in the order `vellium --help` lists them (CommandTable.cpp).
std::span<const Command> commandTable();
