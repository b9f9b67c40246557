#include "sys/NetworkReachability.h"

#include <linux/if_arp.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstring>
#include <fstream>

#include "base/SerialQueue.h"
#include "sys/NetlinkRoute.h"

#ifndef ARPHRD_RAWIP
#define ARPHRD_RAWIP 519
#endif

namespace sys {
namespace {

std::mutex& deviceDirectoryMutex() {
    static std::mutex mutex;
    return mutex;
}

std::filesystem::path& deviceDirectory() {
    static std::filesystem::path directory = "/sys/class/net";
    return directory;
}

bool isUnspecified(const sockaddr& address) {
    if (address.sa_family == AF_INET) {
        return reinterpret_cast<const sockaddr_in&>(address).sin_addr.s_addr == htonl(INADDR_ANY);
    }
    const auto& address6 = reinterpret_cast<const sockaddr_in6&>(address);
    return IN6_IS_ADDR_UNSPECIFIED(&address6.sin6_addr);
}

// A socket subscribed to every link, address and route change of both families.
int openEventSocket() {
    const int fd = ::socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC | SOCK_NONBLOCK, NETLINK_ROUTE);
    if (fd < 0) return -1;
    sockaddr_nl local{};
    local.nl_family = AF_NETLINK;
    local.nl_groups =
        RTMGRP_LINK | RTMGRP_IPV4_IFADDR | RTMGRP_IPV4_ROUTE | RTMGRP_IPV6_IFADDR | RTMGRP_IPV6_ROUTE;
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) < 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Reads every pending change message; their content does not matter, only that something
// changed. An overrun (ENOBUFS) also means "something changed".
void drainEvents(int fd) {
    char buffer[8192];
    for (;;) {
        const ssize_t received = ::recv(fd, buffer, sizeof buffer, 0);
        if (received >= 0) continue;
        if (errno == EINTR || errno == ENOBUFS) continue;
        return;
    }
}

}  // namespace

std::shared_ptr<NetworkReachability> NetworkReachability::createWithAddress(const sockaddr& address) {
    sockaddr_storage stored{};
    if (address.sa_family == AF_INET) {
        std::memcpy(&stored, &address, sizeof(sockaddr_in));
    } else if (address.sa_family == AF_INET6) {
        std::memcpy(&stored, &address, sizeof(sockaddr_in6));
    } else {
        return nullptr;
    }
    auto routes = NetlinkRoute::open();
    if (!routes) return nullptr;
    return std::shared_ptr<NetworkReachability>(new NetworkReachability(std::move(routes), stored, {}));
}

std::shared_ptr<NetworkReachability> NetworkReachability::createWithName(std::string hostName) {
    if (hostName.empty()) return nullptr;
    auto routes = NetlinkRoute::open();
    if (!routes) return nullptr;
    return std::shared_ptr<NetworkReachability>(
        new NetworkReachability(std::move(routes), std::nullopt, std::move(hostName)));
}

NetworkReachability::NetworkReachability(std::unique_ptr<NetlinkRoute> routes,
                                         std::optional<sockaddr_storage> address, std::string hostName)
    : routes_(std::move(routes)), address_(address), hostName_(std::move(hostName)) {}

NetworkReachability::NetworkReachability() = default;

NetworkReachability::~NetworkReachability() { stopWatching(); }

void NetworkReachability::setNetworkDeviceDirectory(std::filesystem::path directory) {
    std::lock_guard lock(deviceDirectoryMutex());
    deviceDirectory() = std::move(directory);
}

std::optional<NetworkReachability::Flags> NetworkReachability::flags() const {
    if (!routes_) return std::nullopt;
    if (address_) return flagsForAddress(reinterpret_cast<const sockaddr&>(*address_));

    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(hostName_.c_str(), nullptr, &hints, &found) != 0) return Flags{0};
    // The name is reachable through the first of its addresses that is.
    std::optional<Flags> result;
    for (const addrinfo* entry = found; entry; entry = entry->ai_next) {
        if (entry->ai_family != AF_INET && entry->ai_family != AF_INET6) continue;
        const auto entryFlags = flagsForAddress(*entry->ai_addr);
        if (!entryFlags) continue;
        if (!result || (*entryFlags & kReachable)) result = entryFlags;
        if (*entryFlags & kReachable) break;
    }
    ::freeaddrinfo(found);
    return result.value_or(0);
}

std::optional<NetworkReachability::Flags> NetworkReachability::flagsForAddress(
    const sockaddr& address) const {
    const auto route =
        isUnspecified(address) ? routes_->defaultRoute(address.sa_family) : routes_->lookup(address);
    if (!route) return Flags{0};
    if (route->local) return Flags{kReachable | kIsLocalAddress | kIsDirect};

    const auto link = routes_->link(route->outputInterface);
    if (!link || !link->up || !link->running) return Flags{0};
    Flags result = kReachable;
    if (!route->hasGateway) result |= kIsDirect;
    if (isCellular(link->name, link->type)) result |= kIsWWAN;
    return result;
}

bool NetworkReachability::isCellular(const std::string& interfaceName, unsigned hardwareType) const {
    if (hardwareType == ARPHRD_RAWIP) return true;
    if (interfaceName.empty() || interfaceName.find('/') != std::string::npos) return false;
    std::filesystem::path uevent;
    {
        std::lock_guard lock(deviceDirectoryMutex());
        uevent = deviceDirectory() / interfaceName / "uevent";
    }
    std::ifstream file(uevent);
    std::string line;
    while (std::getline(file, line)) {
        if (line == "DEVTYPE=wwan") return true;
    }
    return false;
}

bool NetworkReachability::setCallback(Callback callback) {
    std::lock_guard lock(deliveryMutex_);
    callback_ = std::move(callback);
    return true;
}

bool NetworkReachability::setDispatchQueue(std::shared_ptr<base::SerialQueue> queue) {
    if (!queue) {
        stopWatching();
        return true;
    }
    {
        std::lock_guard lock(deliveryMutex_);
        if (!callback_) return false;
        queue_ = std::move(queue);
    }
    std::lock_guard lock(watchMutex_);
    if (watcher_.joinable()) return true;  // already watching; only the queue changed
    // Subscribe before taking the first reading, so no change can fall in between.
    eventFd_ = openEventSocket();
    if (eventFd_ < 0) return false;
    wakeFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wakeFd_ < 0) {
        ::close(eventFd_);
        eventFd_ = -1;
        return false;
    }
    const Flags initial = flags().value_or(0);
    watcher_ =
        std::thread([this, events = eventFd_, wake = wakeFd_, initial] { watch(events, wake, initial); });
    return true;
}

void NetworkReachability::stopWatching() {
    std::lock_guard lock(watchMutex_);
    if (!watcher_.joinable()) return;
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto written = ::write(wakeFd_, &one, sizeof one);
    watcher_.join();
    ::close(eventFd_);
    ::close(wakeFd_);
    eventFd_ = wakeFd_ = -1;
    std::lock_guard deliveryLock(deliveryMutex_);
    queue_.reset();
}

void NetworkReachability::watch(int eventSocket, int wakeFd, Flags initial) {
    Flags last = initial;
    pollfd watched[2] = {{eventSocket, POLLIN, 0}, {wakeFd, POLLIN, 0}};
    for (;;) {
        if (::poll(watched, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (watched[1].revents) return;
        drainEvents(eventSocket);
        const Flags current = flags().value_or(0);
        if (current == last) continue;
        last = current;
        std::lock_guard lock(deliveryMutex_);
        if (callback_ && queue_) queue_->async([callback = callback_, current] { callback(current); });
    }
}

}  // namespace sys
