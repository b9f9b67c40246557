#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cerrno>
#include <csignal>
#include <future>
#include <sstream>

#include "support/TemporaryDirectory.h"
#include "sys/Spawn.h"

namespace {

using sys::Spawn;

TEST(SpawnTest, WaitBlocksUntilExitAndLeavesNoZombie) {
    auto child = Spawn::start("/bin/sh", {"sh", "-c", "sleep 0.1; exit 3"}, Spawn::Environment::Inherited);
    ASSERT_TRUE(child);
    const auto status = Spawn::wait(child.value());
    ASSERT_TRUE(status);
    ASSERT_TRUE(WIFEXITED(status.value()));
    EXPECT_EQ(WEXITSTATUS(status.value()), 3);
    // Reaped: the process is gone altogether.
    EXPECT_EQ(::waitpid(child.value(), nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

TEST(SpawnTest, AMissingProgramIsAnError) {
    const auto child = Spawn::start("/nonexistent/tool", {"tool"}, Spawn::Environment::Empty);
    ASSERT_FALSE(child);
    EXPECT_EQ(child.error().code, ENOENT);
}

TEST(SpawnTest, TheEmptyEnvironmentHasNoVariables) {
    testsupport::TemporaryDirectory directory;
    const auto output = directory.path() / "environment";
    auto child = Spawn::start("/bin/sh", {"sh", "-c", "env > " + output.string()}, Spawn::Environment::Empty);
    ASSERT_TRUE(child);
    ASSERT_TRUE(Spawn::wait(child.value()));
    // The shell itself may define PWD; nothing is inherited.
    const std::string variables = testsupport::readFile(output);
    EXPECT_EQ(variables.find("PATH="), std::string::npos) << variables;
    EXPECT_EQ(variables.find("HOME="), std::string::npos) << variables;
}

TEST(SpawnTest, DetachedChildrenAreReapedAndReported) {
    std::promise<int> exited;
    auto child = Spawn::startDetached("sh", {"sh", "-c", "exit 5"}, Spawn::Environment::Inherited,
                                      [&](int status) { exited.set_value(status); });
    ASSERT_TRUE(child);
    auto future = exited.get_future();
    ASSERT_EQ(future.wait_for(std::chrono::seconds(20)), std::future_status::ready);
    const int status = future.get();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 5);
}

TEST(SpawnTest, ChildrenStartWithNoSignalBlockedOrIgnored) {
    sigset_t blocked, previousMask;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGINT);
    sigaddset(&blocked, SIGTERM);
    ASSERT_EQ(::pthread_sigmask(SIG_BLOCK, &blocked, &previousMask), 0);
    const auto previousPipe = std::signal(SIGPIPE, SIG_IGN);
    testsupport::TemporaryDirectory directory;
    const auto output = directory.path() / "status";
    auto child = Spawn::start("/bin/sh",
                              {"sh", "-c", "grep -E '^Sig(Blk|Ign):' /proc/self/status > " + output.string()},
                              Spawn::Environment::Empty);
    std::signal(SIGPIPE, previousPipe);
    ::pthread_sigmask(SIG_SETMASK, &previousMask, nullptr);
    ASSERT_TRUE(child && Spawn::wait(child.value()));
    // Signals 1..31 only: the C library ignores its internal signals (32, 33) in its children.
    std::istringstream lines(testsupport::readFile(output));
    std::string name, mask;
    int masks = 0;
    for (; lines >> name >> mask; ++masks) EXPECT_EQ(std::stoull(mask, nullptr, 16) & 0x7FFFFFFF, 0u) << name;
    EXPECT_EQ(masks, 2);
}

}  // namespace
