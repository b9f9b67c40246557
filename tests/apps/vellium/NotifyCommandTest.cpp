#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/ChildProcess.h"

namespace {

// `vellium ARGUMENTS...` running with its standard output and error on pipes.
testsupport::ChildProcess vellium(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), VK_VELLIUM);
    return testsupport::ChildProcess(std::move(arguments));
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
        auto tool = vellium(arguments);
        const std::string errors = tool.readAllErrors();
        EXPECT_EQ(tool.wait(), 2) << arguments.back() << ": " << errors;
        EXPECT_NE(errors.find("usage: vellium notify"), std::string::npos) << errors;
    }
}

TEST(NotifyCommand, WatchPrintsWhatPostSendsAndStopsAfterCount) {
    if (!std::getenv("DBUS_SESSION_BUS_ADDRESS")) {
        GTEST_SKIP()
            << "no D-Bus session bus (DBUS_SESSION_BUS_ADDRESS is not set); run under dbus-run-session";
    }
    const std::string name = "com.vellium.tests/Cli." + std::to_string(getpid());
    auto watcher = vellium({"notify", "watch", "--count", "2", name});
    ASSERT_EQ(watcher.readErrorLine(), "vellium: watching " + name);  // subscribed from here on

    EXPECT_EQ(
        vellium({"notify", "post", name, "label=hello \"world\"", "n:int=-5", "on:bool=yes", "x:real=0.25"})
            .wait(),
        0);
    EXPECT_EQ(vellium({"notify", "post", name}).wait(), 0);
    EXPECT_EQ(watcher.readOutputLine(),
              name + R"( {"label": "hello \"world\"", "n": -5, "on": true, "x": 0.25})");
    EXPECT_EQ(watcher.readOutputLine(), name);
    EXPECT_EQ(watcher.wait(), 0) << "watch stops by itself after --count lines";
}

}  // namespace
