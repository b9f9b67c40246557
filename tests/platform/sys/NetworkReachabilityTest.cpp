#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/SerialQueue.h"
#include "sys/NetworkReachability.h"
#include "sys/Spawn.h"

namespace {

using Flags = sys::NetworkReachability::Flags;
using R = sys::NetworkReachability;

sockaddr_in ipv4(const char* text) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    inet_pton(AF_INET, text, &address.sin_addr);
    return address;
}

std::shared_ptr<R> forAddress(const char* text) {
    const sockaddr_in address = ipv4(text);
    return R::createWithAddress(reinterpret_cast<const sockaddr&>(address));
}

TEST(NetworkReachabilityTest, OwnAddressesAreLocalDirectAndReachable) {
    auto loopback = forAddress("127.0.0.1");
    ASSERT_TRUE(loopback);
    EXPECT_EQ(loopback->flags(), Flags{R::kReachable | R::kIsLocalAddress | R::kIsDirect});

    sockaddr_in6 address6{};
    address6.sin6_family = AF_INET6;
    address6.sin6_addr = in6addr_loopback;
    auto loopback6 = R::createWithAddress(reinterpret_cast<const sockaddr&>(address6));
    ASSERT_TRUE(loopback6);
    const auto flags6 = loopback6->flags();
    ASSERT_TRUE(flags6);
    // A machine without IPv6 has no route at all; one with it finds its own address.
    EXPECT_TRUE(*flags6 == 0 || *flags6 == Flags{R::kReachable | R::kIsLocalAddress | R::kIsDirect});
}

TEST(NetworkReachabilityTest, NamesAreResolvedFirstAndOnlyInternetAddressesAreTargets) {
    auto localhost = R::createWithName("localhost");
    ASSERT_TRUE(localhost);
    EXPECT_TRUE(*localhost->flags() & R::kIsLocalAddress);
    EXPECT_FALSE(R::createWithName(""));
    sockaddr unixAddress{};  // only internet addresses are targets
    unixAddress.sa_family = AF_UNIX;
    EXPECT_FALSE(R::createWithAddress(unixAddress));
}

TEST(NetworkReachabilityTest, WatchingNeedsACallback) {
    auto target = forAddress("127.0.0.1");
    auto queue = std::make_shared<base::SerialQueue>("test.reachability");
    EXPECT_FALSE(target->setDispatchQueue(queue));
    EXPECT_TRUE(target->setCallback([](Flags) {}));
    EXPECT_TRUE(target->setDispatchQueue(queue));
    EXPECT_TRUE(target->setDispatchQueue(queue));  // a second attach keeps the one watcher
    EXPECT_TRUE(target->setDispatchQueue(nullptr));
}

// --- In a network namespace of its own -------------------------------------------------

// What the child process found; it reports through a pipe because it runs outside the
// test framework's reach.
class ChildReport {
public:
    explicit ChildReport(int fd) : fd_(fd) {}
    void check(bool condition, const std::string& what) {
        if (!condition) say("FAIL " + what);
    }
    void say(const std::string& line) {
        const std::string text = line + "\n";
        [[maybe_unused]] auto written = ::write(fd_, text.data(), text.size());
    }

private:
    int fd_;
};

std::string ipCommand() {
    for (const char* candidate : {"/usr/sbin/ip", "/sbin/ip", "/usr/bin/ip", "/bin/ip"}) {
        if (::access(candidate, X_OK) == 0) return candidate;
    }
    return {};
}

bool ip(const std::vector<std::string>& arguments) {
    std::vector<std::string> argv{"ip"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    auto child = sys::Spawn::start(ipCommand(), argv, sys::Spawn::Environment::Inherited);
    if (!child) return false;
    const auto status = sys::Spawn::wait(child.value());
    return status && WIFEXITED(status.value()) && WEXITSTATUS(status.value()) == 0;
}

// Collects the flags delivered to a callback and lets the scenario wait for a change.
class FlagRecorder {
public:
    void record(Flags flags) {
        std::lock_guard lock(mutex_);
        seen_.push_back(flags);
        changed_.notify_all();
    }
    // Waits (with a generous guard against hanging) for a delivery matching `wanted`.
    template <typename Predicate>
    bool waitFor(Predicate wanted) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(20),
                                 [&] { return !seen_.empty() && wanted(seen_.back()); });
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Flags> seen_;
};

constexpr int kCannotMakeNamespace = 77;

void runNamespaceScenario(ChildReport& report) {
    // 1. A namespace of our own with a veth pair: va (10.77.0.1/24) and its peer vb.
    if (::unshare(CLONE_NEWNET) != 0) {
        report.say("SKIP cannot unshare the network namespace (needs root)");
        ::_exit(kCannotMakeNamespace);
    }
    if (ipCommand().empty() || !ip({"link", "set", "lo", "up"}) ||
        !ip({"link", "add", "va", "type", "veth", "peer", "name", "vb"})) {
        report.say("SKIP cannot make a veth pair (no iproute2 or veth support)");
        ::_exit(kCannotMakeNamespace);
    }
    report.check(ip({"addr", "add", "10.77.0.1/24", "dev", "va"}), "address va");

    // 2. Watch the peer's address before the links come up.
    auto peer = forAddress("10.77.0.2");
    report.check(peer && peer->flags() == Flags{0}, "peer unreachable while va is down");
    FlagRecorder recorder;
    auto queue = std::make_shared<base::SerialQueue>("test.reachability.netns");
    peer->setCallback([&](Flags flags) { recorder.record(flags); });
    report.check(peer->setDispatchQueue(queue), "watching starts");
    const auto reachable = [](Flags flags) { return (flags & R::kReachable) != 0; };
    const auto unreachable = [](Flags flags) { return flags == 0; };

    report.check(ip({"link", "set", "va", "up"}) && ip({"link", "set", "vb", "up"}), "links up");
    report.check(recorder.waitFor(reachable), "callback: reachable once both ends are up");
    report.check(peer->flags() == Flags{R::kReachable | R::kIsDirect}, "on-link peer is direct");

    // 3. The peer end losing its link takes va's carrier away.
    report.check(ip({"link", "set", "vb", "down"}), "vb down");
    report.check(recorder.waitFor(unreachable), "callback: unreachable after the peer went down");
    report.check(ip({"link", "set", "vb", "up"}), "vb up");
    report.check(recorder.waitFor(reachable), "callback: reachable again");

    // 4. va itself going down drops its connected route without a route event.
    report.check(ip({"link", "set", "va", "down"}), "va down");
    report.check(recorder.waitFor(unreachable), "callback: unreachable after va went down");
    report.check(ip({"link", "set", "va", "up"}), "va up");
    report.check(recorder.waitFor(reachable), "callback: reachable after va came back");

    // 5. Names that do not resolve (with no route to any name server, no query leaves),
    // routes through a gateway and the default route.
    auto unresolved = R::createWithName("no-such-host.invalid");
    report.check(unresolved && unresolved->flags() == Flags{0}, "unresolvable name: unreachable");
    report.check(forAddress("10.88.0.1")->flags() == Flags{0}, "no route, no default: unreachable");
    report.check(forAddress("0.0.0.0")->flags() == Flags{0}, "no default route: no internet");
    report.check(ip({"route", "add", "10.88.0.0/16", "via", "10.77.0.2"}), "gateway route");
    report.check(forAddress("10.88.0.1")->flags() == Flags{R::kReachable},
                 "via a gateway: reachable, not direct");
    report.check(ip({"route", "add", "default", "via", "10.77.0.2"}), "default route");
    report.check(forAddress("0.0.0.0")->flags() == Flags{R::kReachable}, "default route: internet reachable");

    // 6. A mobile-broadband device marks its routes cellular.
    const auto devices = std::filesystem::temp_directory_path() / ("vk-netdev-" + std::to_string(::getpid()));
    std::filesystem::create_directories(devices / "va");
    std::ofstream(devices / "va" / "uevent") << "DEVTYPE=wwan\nINTERFACE=va\n";
    R::setNetworkDeviceDirectory(devices);
    report.check(peer->flags() == Flags{R::kReachable | R::kIsDirect | R::kIsWWAN}, "wwan device: cellular");
    R::setNetworkDeviceDirectory("/sys/class/net");
    std::filesystem::remove_all(devices);

    peer->setDispatchQueue(nullptr);
    report.say("DONE");
}

TEST(NetworkReachabilityTest, FollowsLinksAndRoutesInANamespace) {
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(pipeFds[0]);
        ChildReport report(pipeFds[1]);
        runNamespaceScenario(report);
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    std::string output;
    char buffer[512];
    ssize_t received;
    while ((received = ::read(pipeFds[0], buffer, sizeof buffer)) > 0) output.append(buffer, received);
    ::close(pipeFds[0]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << output;
    if (WEXITSTATUS(status) == kCannotMakeNamespace) GTEST_SKIP() << output;
    EXPECT_EQ(WEXITSTATUS(status), 0) << output;
    EXPECT_EQ(output, "DONE\n");
}

}  // namespace
