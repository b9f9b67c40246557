#pragma once

#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "base/Result.h"

namespace sys {

// Starting programs with posix_spawn and waiting for them.
class Spawn {
public:
    static constexpr const char* kErrorDomain = "sys.Spawn";

    enum class Environment {
        Empty,      // the program starts with no environment variables at all
        Inherited,  // the program gets this process's environment
    };
    // Called with the child's wait status once it has exited.
    using ExitHandler = std::function<void(int waitStatus)>;

    // Starts `program` with the argument vector `arguments` (its first element is the name
    // the program sees as argv[0]). A program named without a "/" is searched in PATH. The
    // error's code is the errno of the failure (ENOENT for a missing program).
    static base::Result<pid_t> start(const std::filesystem::path& program,
                                     const std::vector<std::string>& arguments, Environment environment);
    // Blocks until the child has exited (never returns early for a stopped child and never
    // leaves it a zombie); the wait status.
    static base::Result<int> wait(pid_t child);
    // Starts the program and reaps it on a thread of its own, so the caller never blocks
    // and no zombie is left; `exited` (if set) runs on that thread.
    static base::Result<pid_t> startDetached(const std::filesystem::path& program,
                                             const std::vector<std::string>& arguments,
                                             Environment environment, ExitHandler exited = {});
    // Reaps an already started child on a thread of its own.
    static void reapDetached(pid_t child, ExitHandler exited = {});
};

}  // namespace sys
