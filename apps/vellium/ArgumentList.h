#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

// The arguments of a subcommand, consumed as they are understood: options by name
// (`--count 3`, `--count=3`, `--json`), then the positional words that remain.
class ArgumentList {
public:
    explicit ArgumentList(std::span<const std::string> arguments);

    // Removes `--name VALUE` or `--name=VALUE`; a missing value is a usage error.
    std::optional<std::string> takeOption(const std::string& name);
    // Removes `--name` if present.
    bool takeFlag(const std::string& name);
    // The next positional argument; `what` names it in the usage error when it is missing.
    std::string takePositional(const std::string& what);
    std::vector<std::string> takeRemaining();
    bool empty() const { return words_.empty(); }
    // A usage error when an unknown option or an extra argument is left.
    void expectEnd() const;

private:
    std::vector<std::string> words_;
};
