#include "base/DistributedNotificationCenter.h"

#include <systemd/sd-bus.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <map>
#include <mutex>
#include <vector>

#include "base/BusMessageCodec.h"
#include "base/Log.h"
#include "base/NotificationCenter.h"

namespace base {
namespace {

std::string errorText(int negativeErrno) { return std::strerror(-negativeErrno); }

// A match-rule value in single quotes; a quote inside is closed, escaped and reopened.
std::string quotedRuleValue(std::string_view text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string matchRule(std::string_view name) {
    return std::string("type='signal',path='") + DistributedNotificationCenter::kObjectPath +
           "',interface='" + DistributedNotificationCenter::kInterface + "',member='" +
           DistributedNotificationCenter::kSignalName + "',arg0=" + quotedRuleValue(name);
}

}  // namespace

// Everything the bus touches is guarded by one mutex: sd-bus connections are not
// thread-safe, and posting may happen on any thread while the run loop reads.
struct DistributedNotificationCenter::State {
    struct Subscription {
        sd_bus_slot* slot = nullptr;
        int observers = 0;
    };

    State(RunLoop& loop, std::string address) : runLoop(loop), busAddress(std::move(address)) {}
    ~State();

    Result<void> connectLocked(const std::shared_ptr<State>& self);
    int subscribeLocked(const std::string& name, Subscription& subscription);
    void dropBusLocked(const std::string& reason);
    void scheduleReconnectLocked(const std::shared_ptr<State>& self);
    void processIncoming(const std::shared_ptr<State>& self);
    void unsubscribe(const std::string& name);
    static int onPosted(sd_bus_message* message, void* userData, sd_bus_error* error);

    RunLoop& runLoop;
    const std::string busAddress;
    std::mutex mutex;
    sd_bus* bus = nullptr;
    bool connectAttempted = false;
    Error connectError;
    bool reportedPostFailure = false;
    RunLoop::Token watch = 0;
    RunLoop::Token reconnectTimer = 0;
    RunLoop::Duration reconnectDelay = kFirstReconnectDelay;
    static constexpr RunLoop::Duration kFirstReconnectDelay = std::chrono::milliseconds(100);
    static constexpr RunLoop::Duration kLongestReconnectDelay = std::chrono::seconds(5);
    std::map<std::string, Subscription, std::less<>> subscriptions;
    std::vector<Notification> received;  // decoded while processing, delivered after it
    NotificationCenter observers;        // fans received notifications out on the run loop
};

DistributedNotificationCenter::State::~State() {
    runLoop.cancel(reconnectTimer);
    if (bus) dropBusLocked({});
}

Result<void> DistributedNotificationCenter::State::connectLocked(const std::shared_ptr<State>& self) {
    if (bus) return {};
    if (connectAttempted) return connectError;
    connectAttempted = true;

    sd_bus* opened = nullptr;
    int r;
    if (busAddress.empty()) {
        r = sd_bus_open_user(&opened);  // "No medium found" when the session has no bus
    } else {
        r = sd_bus_new(&opened);
        if (r >= 0) r = sd_bus_set_address(opened, busAddress.c_str());
        if (r >= 0) r = sd_bus_set_bus_client(opened, 1);
        if (r >= 0) r = sd_bus_start(opened);
    }
    if (r < 0) {
        sd_bus_unref(opened);
        connectError = Error{kErrorDomain, kNoBus, "no session bus (" + errorText(r) + ")"};
        return connectError;
    }
    bus = opened;
    watch = runLoop.watchReadable(sd_bus_get_fd(bus), [weakSelf = std::weak_ptr(self)] {
        if (auto state = weakSelf.lock()) state->processIncoming(state);
    });
    // After a lost connection, the names still observed are subscribed again on the new one.
    bool resubscribed = false;
    for (auto& [name, subscription] : subscriptions) {
        if (subscription.slot) continue;
        if (int r = subscribeLocked(name, subscription); r < 0) {
            Log::line("Could not observe \"" + name + "\" again on the new bus (" + errorText(r) + ")");
        }
        resubscribed = true;
    }
    if (resubscribed) {
        runLoop.post([weakSelf = std::weak_ptr(self)] {
            if (auto state = weakSelf.lock()) state->processIncoming(state);
        });
    }
    return {};
}

int DistributedNotificationCenter::State::subscribeLocked(const std::string& name,
                                                          Subscription& subscription) {
    return sd_bus_add_match(bus, &subscription.slot, matchRule(name).c_str(), State::onPosted, this);
}

// Forgets the connection (lost, or the centre is going away). The observed names stay, to
// be subscribed again when a connection is made; a post meanwhile reports `reason`.
void DistributedNotificationCenter::State::dropBusLocked(const std::string& reason) {
    runLoop.cancel(watch);
    watch = 0;
    for (auto& [name, subscription] : subscriptions) subscription.slot = sd_bus_slot_unref(subscription.slot);
    sd_bus_flush_close_unref(bus);
    bus = nullptr;
    connectError = Error{kErrorDomain, kNoBus, reason};
}

// A bus that went away (its daemon restarted, the session re-logged) is connected to again,
// sooner at first and then every few seconds, so observers do not go deaf for good.
void DistributedNotificationCenter::State::scheduleReconnectLocked(const std::shared_ptr<State>& self) {
    if (reconnectTimer) return;
    reconnectTimer = runLoop.postDelayed(reconnectDelay, [weakSelf = std::weak_ptr(self)] {
        auto state = weakSelf.lock();
        if (!state) return;
        std::lock_guard lock(state->mutex);
        state->reconnectTimer = 0;
        state->connectAttempted = false;
        if (state->connectLocked(state)) {
            state->reconnectDelay = kFirstReconnectDelay;
            state->reportedPostFailure = false;
            return;
        }
        state->reconnectDelay = std::min(state->reconnectDelay * 2, kLongestReconnectDelay);
        state->scheduleReconnectLocked(state);
    });
}

// Runs on the run loop when the bus socket is readable (and once after subscribing, for
// signals read while waiting for the subscription's reply).
void DistributedNotificationCenter::State::processIncoming(const std::shared_ptr<State>& self) {
    std::vector<Notification> batch;
    {
        std::lock_guard lock(mutex);
        while (bus) {
            const int r = sd_bus_process(bus, nullptr);
            if (r == 0) break;
            if (r < 0) {
                Log::line("Distributed notifications stopped: the bus connection failed (" + errorText(r) +
                          ")");
                dropBusLocked("the bus connection failed (" + errorText(r) + ")");
                connectAttempted = false;  // a post may connect again at once
                scheduleReconnectLocked(self);
            }
        }
        // A daemon that went away may show only as a closed connection, with nothing to process.
        if (bus && sd_bus_is_open(bus) <= 0) {
            Log::line("Distributed notifications paused: the bus went away; connecting again");
            dropBusLocked("the bus went away");
            connectAttempted = false;
            scheduleReconnectLocked(self);
        }
        batch.swap(received);
    }
    for (const Notification& notification : batch) observers.post(notification);
}

int DistributedNotificationCenter::State::onPosted(sd_bus_message* message, void* userData, sd_bus_error*) {
    auto* state = static_cast<State*>(userData);
    const char* name = nullptr;
    if (sd_bus_message_read_basic(message, SD_BUS_TYPE_STRING, &name) < 0) return 0;
    Value userInfo;
    if (sd_bus_message_at_end(message, 0) == 0 && BusMessageCodec::readValue(message, userInfo) < 0) {
        userInfo = Value();  // malformed: deliver the name alone
    }
    if (!userInfo.asDictionary()) userInfo = Value();
    state->received.push_back(Notification{name, nullptr, std::move(userInfo)});
    return 0;
}

void DistributedNotificationCenter::State::unsubscribe(const std::string& name) {
    std::lock_guard lock(mutex);
    auto it = subscriptions.find(name);
    if (it == subscriptions.end() || --it->second.observers > 0) return;
    sd_bus_slot_unref(it->second.slot);  // queues the bus's RemoveMatch
    subscriptions.erase(it);
    if (bus) sd_bus_flush(bus);
}

DistributedNotificationCenter& DistributedNotificationCenter::defaultCenter() {
    // Never destroyed, like the main run loop it delivers on.
    static DistributedNotificationCenter* const center = new DistributedNotificationCenter(RunLoop::main());
    return *center;
}

DistributedNotificationCenter::DistributedNotificationCenter(RunLoop& runLoop, std::string busAddress)
    : state_(std::make_shared<State>(runLoop, std::move(busAddress))) {}

DistributedNotificationCenter::~DistributedNotificationCenter() = default;

Result<void> DistributedNotificationCenter::connect() {
    std::lock_guard lock(state_->mutex);
    return state_->connectLocked(state_);
}

bool DistributedNotificationCenter::post(std::string_view name, const Value& userInfo) {
    std::lock_guard lock(state_->mutex);
    const std::string nameText(name);
    if (auto connected = state_->connectLocked(state_); !connected) {
        if (!std::exchange(state_->reportedPostFailure, true)) {
            Log::line("Could not post distributed notification \"" + nameText +
                      "\": " + connected.error().description);
        }
        return false;
    }
    sd_bus_message* message = nullptr;
    int r = sd_bus_message_new_signal(state_->bus, &message, kObjectPath, kInterface, kSignalName);
    if (r >= 0) r = nameText.find('\0') == std::string::npos ? 0 : -EINVAL;
    if (r >= 0) r = sd_bus_message_append_basic(message, SD_BUS_TYPE_STRING, nameText.c_str());
    if (r >= 0) r = BusMessageCodec::appendUserInfo(message, userInfo);
    if (r >= 0) r = sd_bus_send(state_->bus, message, nullptr);
    if (r >= 0) r = sd_bus_flush(state_->bus);
    sd_bus_message_unref(message);
    if (r < 0) Log::line("Could not post distributed notification \"" + nameText + "\": " + errorText(r));
    return r >= 0;
}

Result<Observation> DistributedNotificationCenter::addObserver(std::string name, Callback callback) {
    std::lock_guard lock(state_->mutex);
    if (name.empty()) return Error{kErrorDomain, kSubscriptionFailed, "a notification name is needed"};
    if (auto connected = state_->connectLocked(state_); !connected) return connected.error();

    State::Subscription& subscription = state_->subscriptions[name];
    if (!subscription.slot) {
        if (const int r = state_->subscribeLocked(name, subscription); r < 0) {
            state_->subscriptions.erase(name);
            return Error{kErrorDomain, kSubscriptionFailed,
                         "could not subscribe to \"" + name + "\" (" + errorText(r) + ")"};
        }
        state_->runLoop.post([weakState = std::weak_ptr(state_)] {
            if (auto state = weakState.lock()) state->processIncoming(state);
        });
    }
    ++subscription.observers;
    auto local = std::make_shared<Observation>(state_->observers.addObserver(name, std::move(callback)));
    return Observation([weakState = std::weak_ptr(state_), name, local] {
        local->cancel();
        if (auto state = weakState.lock()) state->unsubscribe(name);
    });
}

}  // namespace base
