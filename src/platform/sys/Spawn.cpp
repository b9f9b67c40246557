#include "sys/Spawn.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <thread>

extern char** environ;

namespace sys {

namespace {

// Children start with no signal blocked and every disposition at its default, whatever this
// process blocked or ignored for itself (a blocked SIGTERM would make a restarted tool
// unstoppable; an ignored SIGPIPE would change how it ends on a closed pipe).
class CleanSignalAttributes {
public:
    CleanSignalAttributes() {
        ::posix_spawnattr_init(&attributes_);
        sigset_t none;
        sigemptyset(&none);
        sigset_t all;
        sigfillset(&all);
        ::posix_spawnattr_setsigmask(&attributes_, &none);
        ::posix_spawnattr_setsigdefault(&attributes_, &all);
        ::posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    }
    ~CleanSignalAttributes() { ::posix_spawnattr_destroy(&attributes_); }
    CleanSignalAttributes(const CleanSignalAttributes&) = delete;
    CleanSignalAttributes& operator=(const CleanSignalAttributes&) = delete;

    const posix_spawnattr_t* get() const { return &attributes_; }

private:
    posix_spawnattr_t attributes_;
};

}  // namespace

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
    const CleanSignalAttributes attributes;
    const int error = searchPath
                          ? ::posix_spawnp(&child, path.c_str(), nullptr, attributes.get(), argv.data(), envp)
                          : ::posix_spawn(&child, path.c_str(), nullptr, attributes.get(), argv.data(), envp);
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
