// vellium reachability [HOST | ADDRESS | --internet | --local-wifi] [--watch]
#include <arpa/inet.h>

#include <iostream>
#include <optional>

#include "ArgumentList.h"
#include "Command.h"
#include "TerminationSignals.h"
#include "base/NotificationCenter.h"
#include "base/RunLoop.h"
#include "services/VLReachability.h"

namespace {

std::shared_ptr<VLReachability> reachabilityFor(const std::string& target) {
    sockaddr_in address4{};
    if (::inet_pton(AF_INET, target.c_str(), &address4.sin_addr) == 1) {
        address4.sin_family = AF_INET;
        return VLReachability::reachabilityWithAddress(reinterpret_cast<const sockaddr*>(&address4));
    }
    sockaddr_in6 address6{};
    if (::inet_pton(AF_INET6, target.c_str(), &address6.sin6_addr) == 1) {
        address6.sin6_family = AF_INET6;
        return VLReachability::reachabilityWithAddress(reinterpret_cast<const sockaddr*>(&address6));
    }
    return VLReachability::reachabilityWithHostname(target);
}

void printStatus(const VLReachability& reachability) {
    std::cout << reachability.currentReachabilityString() << " " << reachability.currentReachabilityFlags()
              << std::endl;
}

int watch(const std::shared_ptr<VLReachability>& reachability, TerminationSignals& interrupts) {
    auto& loop = base::RunLoop::main();
    auto observation = base::NotificationCenter::defaultCenter().addObserver(
        kVLReachabilityChangedNotification, reachability,
        [&](const base::Notification&) { printStatus(*reachability); });
    interrupts.stopOnArrival(loop);
    if (!reachability->startNotifier()) {
        std::cerr << "vellium: cannot watch the network for changes\n";
        return 1;
    }
    loop.run();
    reachability->stopNotifier();
    return 0;
}

}  // namespace

int runReachability(std::span<const std::string> arguments) {
    ArgumentList list(arguments);
    const bool watching = list.takeFlag("watch");
    const bool internet = list.takeFlag("internet");
    const bool localWiFi = list.takeFlag("local-wifi");
    std::optional<std::string> target;
    for (std::string& word : list.takeRemaining()) {
        if (word.starts_with("--")) throw UsageError("unknown option " + word);
        if (target) throw UsageError("unexpected argument " + word);
        target = std::move(word);
    }
    if (static_cast<int>(internet) + static_cast<int>(localWiFi) + static_cast<int>(target.has_value()) > 1) {
        throw UsageError("name one target: a host, an address, --internet or --local-wifi");
    }

    // Before the reachability target exists, so its threads start with the signals blocked.
    std::optional<TerminationSignals> interrupts;
    if (watching) interrupts.emplace();
    std::shared_ptr<VLReachability> reachability;
    if (target) {
        reachability = reachabilityFor(*target);
    } else if (localWiFi) {
        reachability = VLReachability::reachabilityForLocalWiFi();
    } else {
        reachability = VLReachability::reachabilityForInternetConnection();
    }
    if (!reachability) {
        std::cerr << "vellium: cannot make a reachability target (no routing socket, or an empty name)\n";
        return 1;
    }
    printStatus(*reachability);
    return watching ? watch(reachability, *interrupts) : 0;
}
