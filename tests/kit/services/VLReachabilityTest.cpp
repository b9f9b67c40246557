#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>

#include "base/NotificationCenter.h"
#include "base/RunLoop.h"
#include "base/SerialQueue.h"
#include "services/VLReachability.h"

namespace {

using Target = sys::NetworkReachability;
using Flags = Target::Flags;

// A reachability target whose flags the test sets, counting registrations.
class FakeTarget : public Target {
public:
    std::optional<Flags> current = Flags{0};
    bool acceptsCallback = true;
    bool acceptsQueue = true;
    int callbacksRegistered = 0;
    int queuesAttached = 0;
    Callback callback;
    std::shared_ptr<base::SerialQueue> queue;

    std::optional<Flags> flags() const override { return current; }
    bool setCallback(Callback newCallback) override {
        if (newCallback) ++callbacksRegistered;
        callback = std::move(newCallback);
        return acceptsCallback;
    }
    bool setDispatchQueue(std::shared_ptr<base::SerialQueue> newQueue) override {
        if (newQueue) ++queuesAttached;
        queue = std::move(newQueue);
        return acceptsQueue;
    }
    // Delivers a change the way the system does: on the attached queue, then waits for it.
    void change(Flags flags) {
        current = flags;
        queue->async([callback = callback, flags] { callback(flags); });
        queue->sync([] {});
    }
};

struct Watched {
    std::shared_ptr<FakeTarget> target = std::make_shared<FakeTarget>();
    std::shared_ptr<VLReachability> reachability = VLReachability::initWithReachabilityRef(target);
};

std::shared_ptr<VLReachability> withFlags(std::optional<Flags> flags) {
    auto target = std::make_shared<FakeTarget>();
    target->current = flags;
    return VLReachability::initWithReachabilityRef(target);
}

TEST(VLReachabilityTest, FlagsDecideReachabilityStatusAndLetters) {
    struct Case {
        std::optional<Flags> flags;
        bool reachable;
        VLReachability::NetworkStatus status;
        const char* text;
        const char* letters;
    };
    constexpr Flags R = Target::kReachable, c = Target::kConnectionRequired, t = Target::kTransientConnection;
    const auto none = VLReachability::NotReachable, wifi = VLReachability::ReachableViaWiFi;
    // clang-format off
    const Case cases[] = {
        {0, false, none, "No Connection", "-- -------"},
        {R | c, true, wifi, "WiFi", "-R c------"},
        {R | c | t, false, none, "No Connection", "-R ct-----"},
        {R | t, true, wifi, "WiFi", "-R -t-----"},
        {R | Target::kIsWWAN, true, VLReachability::ReachableViaWWAN, "Cellular", "WR -------"},
        {R | Target::kIsLocalAddress, true, wifi, "WiFi", "-R -----l-"},
        {R | Target::kIsDirect, true, wifi, "WiFi", "-R ------d"},
        {0x7003F, false, none, "No Connection", "WR ctiCDld"},
        {std::nullopt, false, none, "No Connection", "-- -------"}};  // flags that cannot be read
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.letters);
        auto reachability = withFlags(c.flags);
        EXPECT_EQ(reachability->isReachable(), c.reachable);
        EXPECT_EQ(reachability->currentReachabilityStatus(), c.status);
        EXPECT_EQ(reachability->currentReachabilityString(), c.text);
        EXPECT_EQ(reachability->currentReachabilityFlags(), c.letters);
    }
    auto unreadable = withFlags(std::nullopt);
    EXPECT_EQ(unreadable->reachabilityFlags(), 0u);
    EXPECT_FALSE(unreadable->isReachableViaWiFi());
    EXPECT_FALSE(unreadable->connectionRequired());
    auto reachability = withFlags(0x2);
    char address[32];
    std::snprintf(address, sizeof address, "%p", static_cast<void*>(reachability.get()));
    EXPECT_EQ(reachability->description(), "<VLReachability: " + std::string(address) + " (-R -------)>");
}

TEST(VLReachabilityTest, CellularCountsOnlyWhenAllowedAndConnectionQueriesNeedTheirBits) {
    auto cellular = withFlags(Target::kReachable | Target::kIsWWAN);
    EXPECT_TRUE(cellular->reachableOnWWAN());
    cellular->setReachableOnWWAN(false);
    EXPECT_FALSE(cellular->isReachable());
    EXPECT_TRUE(cellular->isReachableViaWWAN());
    EXPECT_FALSE(cellular->isReachableViaWiFi());
    EXPECT_EQ(cellular->currentReachabilityStatus(), VLReachability::NotReachable);

    auto onDemand = withFlags(Target::kConnectionRequired | Target::kConnectionOnDemand);
    EXPECT_TRUE(onDemand->isConnectionOnDemand());
    EXPECT_TRUE(onDemand->isConnectionRequired());
    EXPECT_FALSE(onDemand->isInterventionRequired());
    EXPECT_FALSE(withFlags(Target::kConnectionOnTraffic)->isConnectionOnDemand());
    EXPECT_TRUE(
        withFlags(Target::kConnectionRequired | Target::kInterventionRequired)->isInterventionRequired());
    EXPECT_FALSE(withFlags(Target::kInterventionRequired)->isInterventionRequired());
}

std::optional<sockaddr_in> addressOf(const std::shared_ptr<VLReachability>& reachability) {
    const auto& stored = reachability->reachabilityRef()->address();
    if (!stored || stored->ss_family != AF_INET) return std::nullopt;
    return reinterpret_cast<const sockaddr_in&>(*stored);
}

TEST(VLReachabilityTest, URLsPickTheirPort) {
    const auto portFor = [](const char* text) {
        auto reachability = VLReachability::reachabilityWithURL(*base::URL::parse(text));
        const auto address = addressOf(reachability);
        return address ? ntohs(address->sin_port) : -1;
    };
    for (auto [url, port] : {std::pair{"https://10.0.0.1/status", 443},
                             {"http://10.0.0.1/status", 80},
                             {"ftp://10.0.0.1", 80},
                             {"https://10.0.0.1:8080/", 8080}})
        EXPECT_EQ(portFor(url), port) << url;

    auto address = addressOf(VLReachability::reachabilityWithURL(*base::URL::parse("https://10.0.0.1")));
    EXPECT_EQ(address->sin_addr.s_addr, inet_addr("10.0.0.1"));

    auto named = VLReachability::reachabilityWithURL(*base::URL::parse("https://example.org:8443/"));
    ASSERT_TRUE(named);
    EXPECT_FALSE(named->reachabilityRef()->address());
    EXPECT_EQ(named->reachabilityRef()->hostName(), "example.org");
}

TEST(VLReachabilityTest, WellKnownTargetsAndAddressesInetAtonAccepts) {
    for (const char* address : {"10.0.0.1", "10.1"}) EXPECT_TRUE(VLReachability::isIpAddress(address));
    for (const char* other : {"example.org", "::1", ""}) EXPECT_FALSE(VLReachability::isIpAddress(other));

    auto internet = VLReachability::reachabilityForInternetConnection();
    ASSERT_TRUE(internet);
    EXPECT_EQ(addressOf(internet)->sin_addr.s_addr, htonl(INADDR_ANY));
    auto wifi = VLReachability::reachabilityForLocalWiFi();
    EXPECT_EQ(addressOf(wifi)->sin_addr.s_addr, inet_addr("169.254.0.0"));
    EXPECT_FALSE(VLReachability::reachabilityWithAddress(nullptr));
    EXPECT_FALSE(VLReachability::reachabilityWithHostname(""));

    // A real look-up: this machine's own address is reachable, local and direct.
    sockaddr_in loopback{};
    loopback.sin_family = AF_INET;
    loopback.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    auto local = VLReachability::reachabilityWithAddress(reinterpret_cast<const sockaddr*>(&loopback));
    EXPECT_EQ(local->currentReachabilityFlags(), "-R -----ld");
    EXPECT_EQ(local->currentReachabilityString(), "WiFi");
}

TEST(VLReachabilityTest, StartingTwiceRegistersOnce) {
    Watched watched;
    EXPECT_TRUE(watched.reachability->startNotifier());
    EXPECT_TRUE(watched.reachability->startNotifier());
    EXPECT_EQ(watched.target->callbacksRegistered, 1);
    EXPECT_EQ(watched.target->queuesAttached, 1);
    EXPECT_EQ(watched.target->queue, watched.reachability->reachabilitySerialQueue());
    watched.reachability->stopNotifier();
    EXPECT_FALSE(watched.reachability->reachabilityObject());
    EXPECT_FALSE(watched.target->callback);
    EXPECT_FALSE(watched.target->queue);
}

TEST(VLReachabilityTest, AFailedStartLeavesItIdle) {
    for (bool refuseCallback : {true, false}) {
        Watched refusing;
        (refuseCallback ? refusing.target->acceptsCallback : refusing.target->acceptsQueue) = false;
        EXPECT_FALSE(refusing.reachability->startNotifier());
        EXPECT_FALSE(refusing.reachability->reachabilityObject());
        EXPECT_TRUE(refuseCallback || !refusing.target->callback) << "the callback is withdrawn";
    }
}

TEST(VLReachabilityTest, ChangesRunTheBlocksOnTheQueueThenNotifyOnTheMainQueue) {
    Watched watched;
    auto& reachability = watched.reachability;
    std::vector<std::string> calls;
    std::mutex callsMutex;
    const auto record = [&](std::string what, bool onQueue) {
        std::lock_guard lock(callsMutex);
        calls.push_back(what + (onQueue ? "" : " (wrong thread)"));
    };
    const auto queue = reachability->reachabilitySerialQueue();
    reachability->setReachableBlock([&](const auto&) { record("reachable", queue->isCurrent()); });
    reachability->setUnreachableBlock([&](const auto&) { record("unreachable", queue->isCurrent()); });
    reachability->setReachabilityBlock(
        [&](const auto&, Flags flags) { record("changed " + std::to_string(flags), queue->isCurrent()); });
    std::shared_ptr<void> notified;
    auto observation = base::NotificationCenter::defaultCenter().addObserver(
        kVLReachabilityChangedNotification, [&](const base::Notification& n) { notified = n.object; });

    ASSERT_TRUE(reachability->startNotifier());
    watched.target->change(Target::kReachable);
    EXPECT_FALSE(notified);  // not before the main queue runs
    base::RunLoop::main().runUntilIdle();
    EXPECT_EQ(notified, std::static_pointer_cast<void>(reachability));

    watched.target->change(Target::kReachable | Target::kConnectionRequired | Target::kTransientConnection);
    base::RunLoop::main().runUntilIdle();
    EXPECT_EQ(calls, (std::vector<std::string>{"reachable", "changed 2", "unreachable", "changed 7"}));
    reachability->stopNotifier();
}

TEST(VLReachabilityTest, WatchingKeepsTheInstanceAlive) {
    Watched watched;
    std::weak_ptr<VLReachability> weak = watched.reachability;
    ASSERT_TRUE(watched.reachability->startNotifier());
    watched.reachability.reset();
    ASSERT_FALSE(weak.expired());
    weak.lock()->stopNotifier();
    EXPECT_TRUE(weak.expired());
}

}  // namespace
