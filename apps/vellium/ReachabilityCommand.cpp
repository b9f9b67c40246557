// vellium reachability [HOST | ADDRESS | --internet | --local-wifi] [--watch]
#include <arpa/inet.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <iostream>

#include "ArgumentList.h"
#include "Command.h"
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

// Interrupts arrive on a descriptor the main loop watches, so stopping needs nothing that
// is unsafe in a signal handler. Blocked before any thread starts, so every thread keeps
// them blocked.
int interruptDescriptor() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    ::pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    return ::signalfd(-1, &signals, SFD_CLOEXEC);
}

int watch(const std::shared_ptr<VLReachability>& reachability, int interrupts) {
    auto& loop = base::RunLoop::main();
    auto observation = base::NotificationCenter::defaultCenter().addObserver(
        kVLReachabilityChangedNotification, reachability,
        [&](const base::Notification&) { printStatus(*reachability); });
    if (interrupts >= 0) loop.watchReadable(interrupts, [&loop] { loop.stop(); });
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

    const int interrupts = watching ? interruptDescriptor() : -1;
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
    const int status = watching ? watch(reachability, interrupts) : 0;
    if (interrupts >= 0) ::close(interrupts);
    return status;
}
