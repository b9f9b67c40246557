#include "Command.h"

int runNotify(std::span<const std::string> arguments);
int runPrefs(std::span<const std::string> arguments);
int runSeal(std::span<const std::string> arguments);
int runOpen(std::span<const std::string> arguments);
int runReachability(std::span<const std::string> arguments);
int runRender(std::span<const std::string> arguments);
int runRowTypes(std::span<const std::string> arguments);

namespace {

// One line per subcommand; each lives in a file of its own named after it.
const Command kCommands[] = {
    {"notify", "notify post NAME [KEY=VALUE...] | notify watch [--count N] NAME...", runNotify},
    {"prefs",
     "prefs get ID KEY | set ID KEY VALUE [--type T] [--no-notify] | set ID KEY --json VALUE | delete ID KEY "
     "| list ID [--json] | watch ID [--values] | notify ID | reset ID [--document DOC --bundle NAME] "
     "| export ID | import ID FILE [--document DOC --bundle NAME]",
     runPrefs},
    {"seal", "seal (--password-file F | --password P | --key HEX --hmac-key HEX) [-i IN] [-o OUT]", runSeal},
    {"open", "open (--password-file F | --password P | --key HEX --hmac-key HEX) [-i IN] [-o OUT]", runOpen},
    {"reachability", "reachability [HOST | ADDRESS | --internet | --local-wifi] [--watch]", runReachability},
    {"render",
     "render (BUNDLE [DOCUMENT] | --home BUNDLE) -o FILE.png [--json FILE] [--title T] [--size WxH] [--scale "
     "N] [--dark] "
     "[--repository URL] [--ca-file FILE] [--contacts DIR] "
     "[--tap TEXT | --tap-at X,Y | --type TEXT | --scroll Y | --action NAME]...",
     runRender},
    {"row-types", "row-types [--markdown]", runRowTypes},
};

}  // namespace

std::span<const Command> commandTable() { return kCommands; }
