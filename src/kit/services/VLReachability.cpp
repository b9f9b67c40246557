#include "services/VLReachability.h"

#include <arpa/inet.h>
#include <netinet/in.h>

#include <cstdio>

#include "base/NotificationCenter.h"
#include "base/RunLoop.h"
#include "base/SerialQueue.h"

const char* const kVLReachabilityChangedNotification = "kVLReachabilityChangedNotification";

namespace {

using Target = sys::NetworkReachability;

constexpr in_addr_t kLinkLocalNetwork = 0xA9FE0000;  // 169.254.0.0

std::shared_ptr<VLReachability> forIPv4(in_addr_t networkOrderAddress, in_port_t networkOrderPort) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = networkOrderPort;
    address.sin_addr.s_addr = networkOrderAddress;
    return VLReachability::reachabilityWithAddress(reinterpret_cast<const sockaddr*>(&address));
}

}  // namespace

std::shared_ptr<VLReachability> VLReachability::reachabilityWithHostname(const std::string& hostname) {
    return initWithReachabilityRef(Target::createWithName(hostname));
}

std::shared_ptr<VLReachability> VLReachability::reachabilityWithHostName(const std::string& hostname) {
    return reachabilityWithHostname(hostname);
}

std::shared_ptr<VLReachability> VLReachability::reachabilityWithAddress(const sockaddr* hostAddress) {
    if (!hostAddress) return nullptr;
    return initWithReachabilityRef(Target::createWithAddress(*hostAddress));
}

std::shared_ptr<VLReachability> VLReachability::reachabilityForInternetConnection() {
    return forIPv4(htonl(INADDR_ANY), 0);
}

std::shared_ptr<VLReachability> VLReachability::reachabilityForLocalWiFi() {
    return forIPv4(htonl(kLinkLocalNetwork), 0);
}

std::shared_ptr<VLReachability> VLReachability::reachabilityWithURL(const base::URL& url) {
    const std::string host = url.host().value_or("");
    in_addr parsed{};
    if (!isIpAddress(host) || ::inet_aton(host.c_str(), &parsed) == 0) return reachabilityWithHostname(host);
    const std::uint16_t port = url.port().value_or(url.scheme() == "https" ? 443 : 80);
    return forIPv4(parsed.s_addr, htons(port));
}

bool VLReachability::isIpAddress(const std::string& host) {
    in_addr parsed{};
    return ::inet_aton(host.c_str(), &parsed) != 0;
}

std::shared_ptr<VLReachability> VLReachability::initWithReachabilityRef(std::shared_ptr<Target> ref) {
    if (!ref) return nullptr;
    return std::shared_ptr<VLReachability>(new VLReachability(std::move(ref)));
}

VLReachability::VLReachability(std::shared_ptr<Target> ref)
    : reachabilityRef_(std::move(ref)),
      reachabilitySerialQueue_(std::make_shared<base::SerialQueue>("com.vellium.reachability")) {}

VLReachability::~VLReachability() {
    stopNotifier();
    reachabilityRef_.reset();
}

bool VLReachability::reachableOnWWAN() const {
    std::lock_guard lock(mutex_);
    return reachableOnWWAN_;
}

void VLReachability::setReachableOnWWAN(bool reachableOnWWAN) {
    std::lock_guard lock(mutex_);
    reachableOnWWAN_ = reachableOnWWAN;
}

VLReachability::Block VLReachability::reachableBlock() const {
    std::lock_guard lock(mutex_);
    return reachableBlock_;
}

void VLReachability::setReachableBlock(Block block) {
    std::lock_guard lock(mutex_);
    reachableBlock_ = std::move(block);
}

VLReachability::Block VLReachability::unreachableBlock() const {
    std::lock_guard lock(mutex_);
    return unreachableBlock_;
}

void VLReachability::setUnreachableBlock(Block block) {
    std::lock_guard lock(mutex_);
    unreachableBlock_ = std::move(block);
}

VLReachability::ReachabilityBlock VLReachability::reachabilityBlock() const {
    std::lock_guard lock(mutex_);
    return reachabilityBlock_;
}

void VLReachability::setReachabilityBlock(ReachabilityBlock block) {
    std::lock_guard lock(mutex_);
    reachabilityBlock_ = std::move(block);
}

std::shared_ptr<VLReachability> VLReachability::reachabilityObject() const {
    std::lock_guard lock(mutex_);
    return reachabilityObject_;
}

bool VLReachability::startNotifier() {
    auto self = shared_from_this();
    {
        std::lock_guard lock(mutex_);
        if (reachabilityObject_ == self) return true;  // already watching
    }
    // The target calls back on the serial queue; the instance is kept alive meanwhile by
    // `reachabilityObject`, and a late change after it is gone is dropped.
    std::weak_ptr<VLReachability> weakSelf = self;
    const bool registered = reachabilityRef_->setCallback([weakSelf](Flags flags) {
        if (auto instance = weakSelf.lock()) instance->reachabilityChanged(flags);
    });
    if (!registered) {
        std::lock_guard lock(mutex_);
        reachabilityObject_.reset();
        return false;
    }
    if (!reachabilityRef_->setDispatchQueue(reachabilitySerialQueue_)) {
        reachabilityRef_->setCallback(nullptr);
        std::lock_guard lock(mutex_);
        reachabilityObject_.reset();
        return false;
    }
    std::lock_guard lock(mutex_);
    reachabilityObject_ = std::move(self);
    return true;
}

void VLReachability::stopNotifier() {
    reachabilityRef_->setCallback(nullptr);
    reachabilityRef_->setDispatchQueue(nullptr);
    std::shared_ptr<VLReachability> released;
    {
        std::lock_guard lock(mutex_);
        released = std::move(reachabilityObject_);
    }
    // `released` (possibly the last reference) goes away outside the lock.
}

bool VLReachability::isReachableWithFlags(Flags flags) const {
    if (!(flags & Target::kReachable)) return false;
    const Flags requiredAndTransient = Target::kConnectionRequired | Target::kTransientConnection;
    if ((flags & requiredAndTransient) == requiredAndTransient) return false;
    if ((flags & Target::kIsWWAN) && !reachableOnWWAN()) return false;
    return true;
}

std::optional<VLReachability::Flags> VLReachability::readFlags() const { return reachabilityRef_->flags(); }

bool VLReachability::isReachable() const {
    const auto flags = readFlags();
    return flags && isReachableWithFlags(*flags);
}

bool VLReachability::isReachableViaWWAN() const {
    const auto flags = readFlags();
    return flags && (*flags & Target::kReachable) && (*flags & Target::kIsWWAN);
}

bool VLReachability::isReachableViaWiFi() const {
    const auto flags = readFlags();
    return flags && (*flags & Target::kReachable) && !(*flags & Target::kIsWWAN);
}

bool VLReachability::isConnectionRequired() const { return connectionRequired(); }

bool VLReachability::connectionRequired() const {
    const auto flags = readFlags();
    return flags && (*flags & Target::kConnectionRequired);
}

bool VLReachability::isConnectionOnDemand() const {
    const auto flags = readFlags();
    return flags && (*flags & Target::kConnectionRequired) &&
           (*flags & (Target::kConnectionOnTraffic | Target::kConnectionOnDemand));
}

bool VLReachability::isInterventionRequired() const {
    const auto flags = readFlags();
    return flags && (*flags & Target::kConnectionRequired) && (*flags & Target::kInterventionRequired);
}

VLReachability::NetworkStatus VLReachability::currentReachabilityStatus() const {
    if (!isReachable()) return NotReachable;
    if (isReachableViaWiFi()) return ReachableViaWiFi;
    return ReachableViaWWAN;
}

VLReachability::Flags VLReachability::reachabilityFlags() const { return readFlags().value_or(0); }

std::string VLReachability::currentReachabilityString() const {
    // No string tables exist for these words, so they are shown as they are.
    switch (currentReachabilityStatus()) {
        case ReachableViaWiFi:
            return "WiFi";
        case ReachableViaWWAN:
            return "Cellular";
        case NotReachable:
            break;
    }
    return "No Connection";
}

std::string VLReachability::currentReachabilityFlags() const {
    const Flags flags = reachabilityFlags();
    const auto letter = [flags](Flags bit, char shown) { return (flags & bit) ? shown : '-'; };
    char text[16];
    std::snprintf(text, sizeof text, "%c%c %c%c%c%c%c%c%c", letter(Target::kIsWWAN, 'W'),
                  letter(Target::kReachable, 'R'), letter(Target::kConnectionRequired, 'c'),
                  letter(Target::kTransientConnection, 't'), letter(Target::kInterventionRequired, 'i'),
                  letter(Target::kConnectionOnTraffic, 'C'), letter(Target::kConnectionOnDemand, 'D'),
                  letter(Target::kIsLocalAddress, 'l'), letter(Target::kIsDirect, 'd'));
    return text;
}

std::string VLReachability::description() const {
    char address[32];
    std::snprintf(address, sizeof address, "%p", static_cast<const void*>(this));
    return "<VLReachability: " + std::string(address) + " (" + currentReachabilityFlags() + ")>";
}

void VLReachability::reachabilityChanged(Flags flags) {
    auto self = shared_from_this();
    if (isReachableWithFlags(flags)) {
        if (auto block = reachableBlock()) block(self);
    } else {
        if (auto block = unreachableBlock()) block(self);
    }
    if (auto block = reachabilityBlock()) block(self, flags);
    base::RunLoop::main().post(
        [self] { base::NotificationCenter::defaultCenter().post(kVLReachabilityChangedNotification, self); });
}
