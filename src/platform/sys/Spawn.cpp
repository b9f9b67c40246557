#include "sys/Spawn.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstring>
#include <thread>

extern char** environ;

namespace sys {

base::Result<pid_t> Spawn::start(const std::filesystem::path& program,
                                 const std::vector<std::string>& arguments, Environment environment) {
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    char* noVariables[] = {nullptr};
    char** envp = environment == Environment::Empty ? noVariables : environ;

    const std::string path = program.string();
    pid_t child = 0;
    const bool searchPath = path.find('/') == std::string::npos;
    const int error = searchPath ? ::posix_spawnp(&child, path.c_str(), nullptr, nullptr, argv.data(), envp)
                                 : ::posix_spawn(&child, path.c_str(), nullptr, nullptr, argv.data(), envp);
    if (error != 0)
        return base::Error{kErrorDomain, error, "cannot start " + path + ": " + std::strerror(error)};
    return child;
}

base::Result<int> Spawn::wait(pid_t child) {
    int status = 0;
    for (;;) {
        if (::waitpid(child, &status, 0) == child) return status;
        if (errno != EINTR) return base::Error{kErrorDomain, errno, std::strerror(errno)};
    }
}

base::Result<pid_t> Spawn::startDetached(const std::filesystem::path& program,
                                         const std::vector<std::string>& arguments, Environment environment,
                                         ExitHandler exited) {
    auto started = start(program, arguments, environment);
    if (started) reapDetached(started.value(), std::move(exited));
    return started;
}

void Spawn::reapDetached(pid_t child, ExitHandler exited) {
    std::thread([child, exited = std::move(exited)] {
        const auto status = wait(child);
        if (exited && status) exited(status.value());
    }).detach();
}

}  // namespace sys
