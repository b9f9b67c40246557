#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Outcome {
    int status = -1;
    std::string output;
};

// Runs `vellium ARGUMENTS...` (standard output and error together) to completion.
Outcome runVellium(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), VK_VELLIUM);
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    std::vector<char*> argv;
    for (auto& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    Outcome outcome;
    char buffer[256];
    for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        outcome.output.append(buffer, std::size_t(n));
    close(pipeFds[0]);
    if (spawned != 0) return outcome;
    int status = 0;
    waitpid(pid, &status, 0);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}

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
        const Outcome outcome = runVellium(arguments);
        EXPECT_EQ(outcome.status, 2) << arguments.back() << ": " << outcome.output;
        EXPECT_NE(outcome.output.find("usage: vellium notify"), std::string::npos) << outcome.output;
    }
}

std::string readLine(int fd) {
    std::string line;
    char c;
    while (read(fd, &c, 1) == 1 && c != '\n') line += c;
    return line;
}

TEST(NotifyCommand, WatchPrintsWhatPostSendsAndStopsAfterCount) {
    if (!std::getenv("DBUS_SESSION_BUS_ADDRESS")) {
        GTEST_SKIP()
            << "no D-Bus session bus (DBUS_SESSION_BUS_ADDRESS is not set); run under dbus-run-session";
    }
    const std::string name = "com.vellium.tests/Cli." + std::to_string(getpid());
    int out[2], err[2];
    ASSERT_EQ(pipe(out), 0);
    ASSERT_EQ(pipe(err), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, err[0]);
    std::vector<std::string> arguments = {VK_VELLIUM, "notify", "watch", "--count", "2", name};
    std::vector<char*> argv;
    for (auto& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t watcher = -1;
    ASSERT_EQ(posix_spawn(&watcher, argv[0], &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(err[1]);

    EXPECT_EQ(readLine(err[0]), "vellium: watching " + name);  // subscribed from here on
    EXPECT_EQ(runVellium(
                  {"notify", "post", name, "label=hello \"world\"", "n:int=-5", "on:bool=yes", "x:real=0.25"})
                  .status,
              0);
    EXPECT_EQ(runVellium({"notify", "post", name}).status, 0);
    EXPECT_EQ(readLine(out[0]), name + R"( {"label": "hello \"world\"", "n": -5, "on": true, "x": 0.25})");
    EXPECT_EQ(readLine(out[0]), name);
    int status = 0;
    waitpid(watcher, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "watch stops by itself after --count lines";
    close(out[0]);
    close(err[0]);
}

}  // namespace
