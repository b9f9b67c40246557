// vellium: the command-line face of the kit. `vellium [--root DIR] COMMAND ARGS...`
#include <cstdio>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "Command.h"
#include "base/FileSystemRoot.h"

namespace {

void printUsage(std::ostream& out) {
    out << "usage: vellium [--root DIR] COMMAND [ARGS...]\ncommands:\n";
    for (const Command& command : commandTable()) out << "  vellium " << command.usage << "\n";
}

const Command* findCommand(const std::string& name) {
    for (const Command& command : commandTable()) {
        if (command.name == name) return &command;
    }
    return nullptr;
}

int usageError(const std::string& message, const Command* command) {
    std::cerr << "vellium: " << message << "\n";
    if (command) {
        std::cerr << "usage: vellium " << command->usage << "\n";
    } else {
        printUsage(std::cerr);
    }
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    std::size_t next = 0;
    while (next < arguments.size() && arguments[next].starts_with("--")) {
        const std::string& option = arguments[next];
        if (option == "--help") {
            printUsage(std::cout);
            return 0;
        }
        if (option == "--root" && next + 1 < arguments.size()) {
            base::FileSystemRoot::set(arguments[next + 1]);
            next += 2;
        } else if (option.starts_with("--root=")) {
            base::FileSystemRoot::set(option.substr(7));
            next += 1;
        } else {
            return usageError("unknown option " + option, nullptr);
        }
    }
    if (next == arguments.size()) return usageError("missing command", nullptr);

    const Command* command = findCommand(arguments[next]);
    if (!command) return usageError("unknown command " + arguments[next], nullptr);
    std::span<const std::string> rest(arguments.data() + next + 1, arguments.size() - next - 1);
    // Catching here unwinds the command, so its temporary files are removed on the way.
    try {
        return command->run(rest);
    } catch (const UsageError& error) {
        return usageError(error.what(), command);
    } catch (const std::exception& error) {
        std::cerr << "vellium: " << command->name << ": " << error.what() << "\n";
    } catch (...) {
        std::cerr << "vellium: " << command->name << ": failed\n";
    }
    return 1;
}
