#include <gtest/gtest.h>
#include <sys/wait.h>

#include <future>

#include "DesktopEntryFixture.h"
#include "sys/Launcher.h"

namespace {

using sys::Launcher;
using testsupport::readFile;
using testsupport::TemporaryDirectory;

// An exit handler that a test can wait on; the guard only keeps a broken build from hanging.
struct ExitWaiter {
    std::promise<int> status;
    sys::Spawn::ExitHandler handler() {
        return [this](int waitStatus) { status.set_value(waitStatus); };
    }
    int wait() {
        auto future = status.get_future();
        if (future.wait_for(std::chrono::seconds(20)) != std::future_status::ready) return -1;
        return future.get();
    }
};

TEST(LauncherTest, LaunchRunsTheEntrysCommand) {
    const auto& fixture = desktopEntryFixture();
    ExitWaiter exited;
    ASSERT_TRUE(Launcher::launch("org.example.Recorder", exited.handler()));
    const int status = exited.wait();
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(readFile(fixture.path() / "launched"), "launched --from-entry\n");

    EXPECT_FALSE(Launcher::launch("org.example.Missing"));
    EXPECT_FALSE(Launcher::launch(""));
    EXPECT_FALSE(
        Launcher::launch((fixture.path() / "system/applications/org.example.Recorder.desktop").string()));
}

class URLOpenerTest : public ::testing::Test {
protected:
    void SetUp() override {
        log_ = directory_.path() / "opened";
        const auto opener = directory_.write(
            "opener", "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done >> " + log_.string() + "\n", true);
        Launcher::setURLOpener({opener.string(), "--new-window"});
    }
    void TearDown() override { Launcher::setURLOpener({}); }

    TemporaryDirectory directory_;
    std::filesystem::path log_;
};

TEST_F(URLOpenerTest, HandsTheURLToTheOpenerAsItsLastArgument) {
    ExitWaiter exited;
    ASSERT_TRUE(Launcher::openURL("https://example.org/a path?q=1", exited.handler()));
    EXPECT_EQ(exited.wait(), 0);
    EXPECT_EQ(readFile(log_), "--new-window\nhttps://example.org/a path?q=1\n");
}

TEST_F(URLOpenerTest, TextsWithoutASchemeNeverReachTheOpener) {
    for (const char* text : {"", "--help", "-rf", "example.org/page", ":nothing", "1http://x", "ht tp://x"}) {
        EXPECT_FALSE(Launcher::openURL(text)) << text;
    }
    EXPECT_TRUE(Launcher::isAbsoluteURL("mailto:someone@example.org"));
    EXPECT_TRUE(Launcher::isAbsoluteURL("x-apple.systempreferences:"));
    EXPECT_FALSE(std::filesystem::exists(log_));
}

}  // namespace
