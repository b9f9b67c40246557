#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

extern char** environ;

namespace testsupport {

// A finished child's exit status, or 128 plus the signal number when a signal ended it.
inline int exitCode(int waitStatus) {
    return WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : 128 + WTERMSIG(waitStatus);
}

// Waits for `child` to end and returns its exit code; -1 when there is no such child.
inline int waitForExit(pid_t child) {
    int status = 0;
    if (child <= 0 || ::waitpid(child, &status, 0) != child) return -1;
    return exitCode(status);
}

// Forks a child that runs `body` and exits with what it returns, without running the
// parent's exit handlers.
inline pid_t forkChild(const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(body());
    return child;
}

// Runs `body` in a forked child and returns the child's exit code.
inline int runInChild(const std::function<int()>& body) { return waitForExit(forkChild(body)); }

// A program running with its standard output, and its standard error unless told
// otherwise, on pipes. Killed if still running when the object goes away.
class ChildProcess {
public:
    enum class Errors { Capture, Inherit, Discard };

    explicit ChildProcess(std::vector<std::string> arguments, Errors errors = Errors::Capture) {
        int out[2] = {-1, -1}, err[2] = {-1, -1};
        if (::pipe2(out, O_CLOEXEC) != 0) return;
        if (errors == Errors::Capture && ::pipe2(err, O_CLOEXEC) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        if (errors == Errors::Capture) posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
        if (errors == Errors::Discard)
            posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        std::vector<char*> argv;
        for (std::string& argument : arguments) argv.push_back(argument.data());
        argv.push_back(nullptr);
        if (::posix_spawnp(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        if (err[1] >= 0) ::close(err[1]);
        out_ = out[0];
        err_ = err[0];
    }
    ~ChildProcess() {
        if (pid_ > 0) ::kill(pid_, SIGKILL);
        wait();
        if (out_ >= 0) ::close(out_);
        if (err_ >= 0) ::close(err_);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return pid_ > 0 || status_ != -1; }
    // Sends `signal` to the program while it runs (SIGTERM to end a watcher).
    void signal(int signal) const {
        if (pid_ > 0) ::kill(pid_, signal);
    }

    // The next line, without its line break; empty at the end of the stream.
    std::string readOutputLine() { return readLine(out_); }
    std::string readErrorLine() { return readLine(err_); }
    // Everything up to the end of the stream.
    std::string readAllOutput() { return readAll(out_); }
    std::string readAllErrors() { return readAll(err_); }

    // The exit code (see exitCode), waiting for the end if need be.
    int wait() {
        if (pid_ > 0) {
            status_ = waitForExit(pid_);
            pid_ = -1;
        }
        return status_;
    }

private:
    static std::string readLine(int fd) {
        std::string line;
        char c;
        while (fd >= 0 && ::read(fd, &c, 1) == 1 && c != '\n') line += c;
        return line;
    }
    static std::string readAll(int fd) {
        std::string text;
        char buffer[4096];
        for (ssize_t count; fd >= 0 && (count = ::read(fd, buffer, sizeof buffer)) > 0;)
            text.append(buffer, count);
        return text;
    }

    pid_t pid_ = -1;
    int out_ = -1, err_ = -1;
    int status_ = -1;
};

}  // namespace testsupport
