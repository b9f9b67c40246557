#pragma once

#include <sys/socket.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace base {
class SerialQueue;
}

namespace sys {

class NetlinkRoute;

// Whether a network destination can be reached, worked out from the kernel's routing
// tables over rtnetlink. No packet is ever sent to the destination:
//
// - an address is reachable when the kernel has a route to it through a link that is up
//   (administratively and with carrier); the route is direct when it has no gateway, and the
//   destination is a local address when it is one of this machine's own addresses;
// - the unspecified address (0.0.0.0 or ::) stands for "the network in general": it is
//   reachable when a default route through a link that is up exists;
// - a host name is resolved first; a name that does not resolve is not reachable;
// - the cellular flag is set when the outgoing link is a mobile-broadband modem (its
//   device type is "wwan", or it is a raw-IP link as such modems present).
//
// Watching: once a callback is set and a queue attached, a thread listens to the kernel's
// link, address and route changes (a link going down removes its connected routes without
// announcing it, so link and address changes are watched as well as routes), works out the
// flags again after each burst of changes and calls the callback on the queue whenever
// they differ from the last flags seen.
class NetworkReachability {
public:
    using Flags = std::uint32_t;
    enum : Flags {
        kTransientConnection = 0x1,
        kReachable = 0x2,
        kConnectionRequired = 0x4,
        kConnectionOnTraffic = 0x8,
        kInterventionRequired = 0x10,
        kConnectionOnDemand = 0x20,
        kIsLocalAddress = 0x10000,
        kIsDirect = 0x20000,
        kIsWWAN = 0x40000,
    };
    using Callback = std::function<void(Flags)>;

    // Empty for an address family other than IPv4 and IPv6, or when no netlink socket can
    // be opened.
    static std::shared_ptr<NetworkReachability> createWithAddress(const sockaddr& address);
    // Empty for an empty name or when no netlink socket can be opened.
    static std::shared_ptr<NetworkReachability> createWithName(std::string hostName);

    virtual ~NetworkReachability();
    NetworkReachability(const NetworkReachability&) = delete;
    NetworkReachability& operator=(const NetworkReachability&) = delete;

    // The target: an address, or else a host name.
    const std::optional<sockaddr_storage>& address() const { return address_; }
    const std::string& hostName() const { return hostName_; }

    // The current flags, or nothing when the routing tables cannot be read.
    virtual std::optional<Flags> flags() const;

    // The callback for changes; an empty callback removes it.
    virtual bool setCallback(Callback callback);
    // Starts watching on `queue`; an empty queue stops watching. False when the change
    // events cannot be subscribed to or no callback is set.
    virtual bool setDispatchQueue(std::shared_ptr<base::SerialQueue> queue);

    // Where network devices are described (for the cellular test); "/sys/class/net" unless
    // tests point it elsewhere.
    static void setNetworkDeviceDirectory(std::filesystem::path directory);

protected:
    // For stand-ins that report flags of their own (tests of the code above this layer);
    // such a target overrides the three operations above.
    NetworkReachability();

private:
    NetworkReachability(std::unique_ptr<NetlinkRoute> routes, std::optional<sockaddr_storage> address,
                        std::string hostName);
    std::optional<Flags> flagsForAddress(const sockaddr& address) const;
    bool isCellular(const std::string& interfaceName, unsigned hardwareType) const;
    void watch(int eventSocket, int wakeFd, Flags initial);
    void stopWatching();

    std::unique_ptr<NetlinkRoute> routes_;
    std::optional<sockaddr_storage> address_;
    std::string hostName_;

    // What a change is delivered to; read by the watching thread.
    std::mutex deliveryMutex_;
    Callback callback_;
    std::shared_ptr<base::SerialQueue> queue_;
    // The watching thread; never locked by that thread, so stopping may join it.
    std::mutex watchMutex_;
    std::thread watcher_;
    int eventFd_ = -1;
    int wakeFd_ = -1;
};

}  // namespace sys
