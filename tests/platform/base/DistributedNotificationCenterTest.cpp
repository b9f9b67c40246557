#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "base/DistributedNotificationCenter.h"
#include "base/Log.h"
#include "helpers/EveryTypeUserInfo.h"
#include "support/ChildProcess.h"
#include "support/TemporaryDirectory.h"

namespace {

using namespace std::chrono_literals;

using testsupport::ChildProcess;

class DistributedNotificationCenterTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DBUS_SESSION_BUS_ADDRESS")) {
            GTEST_SKIP()
                << "no D-Bus session bus (DBUS_SESSION_BUS_ADDRESS is not set); run under dbus-run-session";
        }
    }

    // A name no other test process uses at the same time.
    static std::string uniqueName(const std::string& base) {
        return "com.vellium.tests/" + base + "." + std::to_string(getpid());
    }

    // Runs the loop until a callback stops it; false if nothing did within a generous guard
    // (which only protects the suite from hanging; it measures nothing).
    bool runUntilStopped() {
        bool gaveUp = false;
        const auto guard = loop.postDelayed(20s, [&] {
            gaveUp = true;
            loop.stop();
        });
        loop.run();
        loop.cancel(guard);
        return !gaveUp;
    }

    base::RunLoop loop{base::Clock::system()};
    base::DistributedNotificationCenter center{loop};
};

TEST_F(DistributedNotificationCenterTest, AnotherProcessReceivesAndReturnsUserInfoOfEveryType) {
    const std::string ping = uniqueName("Ping");
    const std::string pong = uniqueName("Pong");
    std::vector<base::Notification> received;
    auto observation = center.addObserver(pong, [&](const base::Notification& notification) {
        received.push_back(notification);
        loop.stop();
    });
    ASSERT_TRUE(observation) << observation.error().description;

    ChildProcess peer({VK_NOTIFICATION_PEER, "echo", ping, pong}, ChildProcess::Errors::Inherit);
    ASSERT_TRUE(peer.started());
    ASSERT_EQ(peer.readOutputLine(), "ready");
    center.post(ping, testing_support::everyTypeUserInfo());

    ASSERT_TRUE(runUntilStopped()) << "no reply from the other process";
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].name, pong);
    EXPECT_EQ(received[0].object, nullptr);
    EXPECT_TRUE(received[0].userInfo == testing_support::everyTypeUserInfoAsReceived());
    EXPECT_EQ(peer.wait(), 0);
}

TEST_F(DistributedNotificationCenterTest, DeliversOnlyObservedNamesAndStopsAfterTheObservationEnds) {
    const std::string first = uniqueName("First");
    const std::string second = uniqueName("Second");
    std::vector<std::string> calls;
    auto firstObservation = center.addObserver(
        first, [&](const base::Notification& n) { calls.push_back("first:" + *n.userInfo["n"].asString()); });
    auto secondObservation = center.addObserver(second, [&](const base::Notification& n) {
        calls.push_back("second:" + *n.userInfo["n"].asString());
        loop.stop();
    });
    ASSERT_TRUE(firstObservation && secondObservation);

    base::Value::Dictionary info;
    info["n"] = base::Value("1");
    center.post(first, base::Value(info));
    center.post(uniqueName("Unobserved"));
    center.post(second, base::Value(info));
    ASSERT_TRUE(runUntilStopped());
    EXPECT_EQ(calls, (std::vector<std::string>{"first:1", "second:1"}));

    firstObservation.value().cancel();
    info["n"] = base::Value("2");
    center.post(first, base::Value(info));  // the bus keeps one sender's order: this would come first
    center.post(second, base::Value(info));
    ASSERT_TRUE(runUntilStopped());
    EXPECT_EQ(calls, (std::vector<std::string>{"first:1", "second:1", "second:2"}));
}

TEST_F(DistributedNotificationCenterTest, RefusesUserInfoTheBusCannotCarryAndKeepsWorking) {
    const std::string name = uniqueName("Refused");
    std::vector<std::string> received;
    auto observation = center.addObserver(name, [&](const base::Notification& n) {
        received.push_back(*n.userInfo["text"].asString());
        loop.stop();
    });
    ASSERT_TRUE(observation);
    std::vector<std::string> lines;
    base::Log::setSink([&](std::string_view line) { lines.emplace_back(line); });
    using Info = base::Value::Dictionary;
    for (const base::Value& refused :
         {base::Value(Info{{"text", "\xFF\xFE"}}), base::Value(Info{{"text", std::string("a\0b", 3)}}),
          base::Value("text")})
        EXPECT_FALSE(center.post(name, refused)) << refused;
    base::Log::resetSink();
    EXPECT_EQ(lines.size(), 3u);
    EXPECT_TRUE(center.post(name, base::Value(Info{{"text", "fine"}})));
    ASSERT_TRUE(runUntilStopped());
    EXPECT_EQ(received, std::vector<std::string>{"fine"});
}

TEST_F(DistributedNotificationCenterTest, ReceivesWhatAStockBusToolEmitsInTheDocumentedFormat) {
    if (access("/usr/bin/busctl", X_OK) != 0) GTEST_SKIP() << "busctl is not installed";
    const std::string name = uniqueName("FromBusctl");
    base::Value userInfo;
    auto observation = center.addObserver(name, [&](const base::Notification& n) {
        userInfo = n.userInfo;
        loop.stop();
    });
    ASSERT_TRUE(observation);
    ChildProcess busctl(
        {"/usr/bin/busctl", "--user", "emit", base::DistributedNotificationCenter::kObjectPath,
         base::DistributedNotificationCenter::kInterface, "Posted", "sa{sv}", name, "3", "count", "i", "7",
         "label", "s", "hi", "ratio", "d", "0.5"},
        ChildProcess::Errors::Inherit);
    ASSERT_TRUE(busctl.started());
    ASSERT_EQ(busctl.wait(), 0);
    ASSERT_TRUE(runUntilStopped());
    EXPECT_EQ(userInfo["count"].longLongValue(), 7);
    EXPECT_EQ(*userInfo["label"].asString(), "hi");
    EXPECT_EQ(userInfo["ratio"].doubleValue(), 0.5);
}

TEST(DistributedNotificationCenterWithoutBus, PostLogsOnceAndObservingReportsTheFailure) {
    base::RunLoop loop(base::Clock::system());
    base::DistributedNotificationCenter center(loop, "unix:path=/nonexistent/vellium-test-bus");
    std::vector<std::string> lines;
    base::Log::setSink([&](std::string_view line) { lines.emplace_back(line); });
    EXPECT_FALSE(center.post("com.vellium.tests/Nobody"));
    EXPECT_FALSE(center.post("com.vellium.tests/Nobody"));
    base::Log::resetSink();
    EXPECT_EQ(lines.size(), 1u);

    auto observation = center.addObserver("com.vellium.tests/Nobody", [](const base::Notification&) {});
    ASSERT_FALSE(observation);
    EXPECT_EQ(observation.error().domain, base::DistributedNotificationCenter::kErrorDomain);
    EXPECT_EQ(observation.error().code, base::DistributedNotificationCenter::kNoBus);
    EXPECT_FALSE(center.connect());
}

// A bus daemon of the test's own at a fixed socket, so that it can be restarted in place as a
// session bus is when its daemon dies and comes back.
class RestartableBus {
public:
    RestartableBus() { start(); }
    std::string address() const { return "unix:path=" + socket_.string(); }
    bool running() const { return std::filesystem::exists(socket_); }

    void restart() {
        daemon_.reset();  // killed and reaped
        std::filesystem::remove(socket_);
        start();
    }

private:
    void start() {
        daemon_ =
            std::make_unique<ChildProcess>(std::vector<std::string>{"dbus-daemon", "--session", "--nofork",
                                                                    "--nopidfile", "--address=" + address()},
                                           ChildProcess::Errors::Discard);
        for (int i = 0; i < 500 && !running(); ++i) std::this_thread::sleep_for(10ms);
    }

    testsupport::TemporaryDirectory directory_;
    std::filesystem::path socket_ = directory_.path() / "bus";
    std::unique_ptr<ChildProcess> daemon_;
};

TEST(DistributedNotificationCenterBusRestart, ObserversHearPostsAgainAfterTheDaemonRestarts) {
    if (access("/usr/bin/dbus-daemon", X_OK) != 0) GTEST_SKIP() << "dbus-daemon is not installed";
    RestartableBus bus;
    ASSERT_TRUE(bus.running());
    base::RunLoop loop(base::Clock::system());
    base::DistributedNotificationCenter listener(loop, bus.address());
    base::DistributedNotificationCenter poster(loop, bus.address());
    base::Log::setSink([](std::string_view) {});  // failed posts while the bus is down
    const std::string name = "com.vellium.tests/Restart";
    int heard = 0;
    auto observation = listener.addObserver(name, [&](const base::Notification&) {
        ++heard;
        loop.stop();
    });
    ASSERT_TRUE(observation);

    // Posts until one is heard, or gives up after a guard that only keeps the suite from hanging.
    auto postUntilHeard = [&] {
        const auto repeat = loop.scheduleRepeating(100ms, [&] { poster.post(name); });
        const auto guard = loop.postDelayed(20s, [&] { loop.stop(); });
        loop.run();
        loop.cancel(repeat);
        loop.cancel(guard);
    };
    postUntilHeard();
    ASSERT_EQ(heard, 1);
    bus.restart();
    ASSERT_TRUE(bus.running());
    postUntilHeard();
    base::Log::resetSink();
    EXPECT_EQ(heard, 2) << "the observer subscribed again on the new daemon";
}

}  // namespace
