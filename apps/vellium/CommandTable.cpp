#include "Command.h"

int runNotify(std::span<const std::string> arguments);
int runReachability(std::span<const std::string> arguments);

namespace {

// One line per subcommand; each lives in a file of its own named after it.
const Command kCommands[] = {
    {"notify", "notify post NAME [KEY=VALUE...] | notify watch [--count N] NAME...", runNotify},
    {"reachability", "reachability [HOST | ADDRESS | --internet | --local-wifi] [--watch]", runReachability},
};

}  // namespace

std::span<const Command> commandTable() { return kCommands; }
