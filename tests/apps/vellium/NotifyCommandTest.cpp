#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {

// `vellium ARGUMENTS...` running with its standard output and error on pipes.
class Vellium {
public:
    explicit Vellium(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), VK_VELLIUM);
        int out[2], err[2];
        if (pipe(out) != 0 || pipe(err) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        posix_spawn_file_actions_addclose(&actions, err[0]);
        std::vector<char*> argv;
        for (auto& argument : arguments) argv.push_back(argument.data());
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        close(err[1]);
        out_ = out[0];
        err_ = err[0];
    }
    ~Vellium() {
        if (pid_ > 0) kill(pid_, SIGKILL);
        wait();
        close(out_);
        close(err_);
    }

    std::string readOutputLine() { return readLine(out_); }
    std::string readErrorLine() { return readLine(err_); }
    std::string readAllErrors() {
        std::string text;
        for (std::string line; !(line = readLine(err_)).empty();) text += line + "\n";
        return text;
    }
    // The exit status; -1 when it did not exit normally.
    int wait() {
        if (pid_ > 0) {
            int status = 0;
            waitpid(pid_, &status, 0);
            status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            pid_ = -1;
        }
        return status_;
    }

private:
    static std::string readLine(int fd) {
        std::string line;
        char c;
        while (read(fd, &c, 1) == 1 && c != '\n') line += c;
        return line;
    }

    pid_t pid_ = -1;
    int out_ = -1, err_ = -1;
    int status_ = -1;
};

TEST(NotifyCommand, UsageErrorsExitWithStatusTwoAndPrintTheUsage) {
    const std::vector<std::vector<std::string>> mistakes = {
        {"notify"},
        {"notify", "shout", "Name"},
        {"notify", "post"},
        {"notify", "post", "Name", "novalue"},
        {"notify", "post", "Name", "n:int=twelve"},
        {"notify", "post", "Name", "n:colour=red"},
        {"notify", "watch"},
        {"notify", "watch", "--count", "0", "Name"},
        {"notify", "watch", "--count", "x", "Name"},
        {"notify", "watch", "--loud", "Name"},
    };
    for (const auto& arguments : mistakes) {
        Vellium vellium(arguments);
        const std::string errors = vellium.readAllErrors();
        EXPECT_EQ(vellium.wait(), 2) << arguments.back() << ": " << errors;
        EXPECT_NE(errors.find("usage: vellium notify"), std::string::npos) << errors;
    }
}

TEST(NotifyCommand, WatchPrintsWhatPostSendsAndStopsAfterCount) {
    if (!std::getenv("DBUS_SESSION_BUS_ADDRESS")) {
        GTEST_SKIP()
            << "no D-Bus session bus (DBUS_SESSION_BUS_ADDRESS is not set); run under dbus-run-session";
    }
    const std::string name = "com.vellium.tests/Cli." + std::to_string(getpid());
    Vellium watcher({"notify", "watch", "--count", "2", name});
    ASSERT_EQ(watcher.readErrorLine(), "vellium: watching " + name);  // subscribed from here on

    EXPECT_EQ(
        Vellium({"notify", "post", name, "label=hello \"world\"", "n:int=-5", "on:bool=yes", "x:real=0.25"})
            .wait(),
        0);
    EXPECT_EQ(Vellium({"notify", "post", name}).wait(), 0);
    EXPECT_EQ(watcher.readOutputLine(),
              name + R"( {"label": "hello \"world\"", "n": -5, "on": true, "x": 0.25})");
    EXPECT_EQ(watcher.readOutputLine(), name);
    EXPECT_EQ(watcher.wait(), 0) << "watch stops by itself after --count lines";
}

}  // namespace
