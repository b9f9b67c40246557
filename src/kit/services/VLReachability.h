#pragma once

#include <sys/socket.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "base/URL.h"
#include "sys/NetworkReachability.h"

namespace base {
class SerialQueue;
}

// Posted on the main queue's default notification centre, with the instance as the
// object, after every change a watching `VLReachability` delivers.
extern const char* const kVLReachabilityChangedNotification;

// Whether a host, an address or the network in general can be reached, and over which
// kind of link; can watch for changes. One system reachability target per instance.
//
// Watching: `startNotifier` registers for changes of the target; each change runs, on the
// instance's own serial queue, `reachableBlock` or `unreachableBlock`, then
// `reachabilityBlock`, and then posts `kVLReachabilityChangedNotification` on the main
// queue. While watching, the instance keeps itself alive (`reachabilityObject`).
class VLReachability : public std::enable_shared_from_this<VLReachability> {
public:
    using Flags = sys::NetworkReachability::Flags;
    using Block = std::function<void(const std::shared_ptr<VLReachability>&)>;
    using ReachabilityBlock = std::function<void(const std::shared_ptr<VLReachability>&, Flags)>;
    enum NetworkStatus : long { NotReachable = 0, ReachableViaWWAN = 1, ReachableViaWiFi = 2 };

    // Each returns an empty pointer when the system cannot make the target.
    static std::shared_ptr<VLReachability> reachabilityWithHostname(const std::string& hostname);
    static std::shared_ptr<VLReachability> reachabilityWithHostName(const std::string& hostname);
    static std::shared_ptr<VLReachability> reachabilityWithAddress(const sockaddr* hostAddress);
    // 0.0.0.0: the network in general.
    static std::shared_ptr<VLReachability> reachabilityForInternetConnection();
    // 169.254.0.0, the link-local network.
    static std::shared_ptr<VLReachability> reachabilityForLocalWiFi();
    // An IPv4 host in dotted form becomes an address target (the URL's port, else 443 for
    // "https" and 80 for anything else); any other host a host-name target.
    static std::shared_ptr<VLReachability> reachabilityWithURL(const base::URL& url);
    // True exactly when inet_aton accepts the text.
    static bool isIpAddress(const std::string& host);

    // Takes the target; `reachableOnWWAN` starts true. Empty for an empty target.
    static std::shared_ptr<VLReachability> initWithReachabilityRef(
        std::shared_ptr<sys::NetworkReachability> ref);
    ~VLReachability();
    VLReachability(const VLReachability&) = delete;
    VLReachability& operator=(const VLReachability&) = delete;

    bool reachableOnWWAN() const;
    void setReachableOnWWAN(bool reachableOnWWAN);
    Block reachableBlock() const;
    void setReachableBlock(Block block);
    Block unreachableBlock() const;
    void setUnreachableBlock(Block block);
    ReachabilityBlock reachabilityBlock() const;
    void setReachabilityBlock(ReachabilityBlock block);
    const std::shared_ptr<sys::NetworkReachability>& reachabilityRef() const { return reachabilityRef_; }
    const std::shared_ptr<base::SerialQueue>& reachabilitySerialQueue() const {
        return reachabilitySerialQueue_;
    }
    std::shared_ptr<VLReachability> reachabilityObject() const;

    bool startNotifier();
    void stopNotifier();

    bool isReachableWithFlags(Flags flags) const;
    bool isReachable() const;
    bool isReachableViaWWAN() const;
    bool isReachableViaWiFi() const;
    bool isConnectionRequired() const;
    bool connectionRequired() const;
    bool isConnectionOnDemand() const;
    bool isInterventionRequired() const;

    NetworkStatus currentReachabilityStatus() const;
    // 0 when the flags cannot be read.
    Flags reachabilityFlags() const;
    // "WiFi", "Cellular" or "No Connection".
    std::string currentReachabilityString() const;
    // The flags as letters: "WR ctiCDld", each '-' when its bit is clear.
    std::string currentReachabilityFlags() const;
    std::string description() const;

    // The change handler (also callable directly).
    void reachabilityChanged(Flags flags);

private:
    explicit VLReachability(std::shared_ptr<sys::NetworkReachability> ref);
    std::optional<Flags> readFlags() const;

    mutable std::mutex mutex_;
    bool reachableOnWWAN_ = true;
    Block reachableBlock_;
    Block unreachableBlock_;
    ReachabilityBlock reachabilityBlock_;
    std::shared_ptr<sys::NetworkReachability> reachabilityRef_;
    std::shared_ptr<base::SerialQueue> reachabilitySerialQueue_;
    std::shared_ptr<VLReachability> reachabilityObject_;
};
