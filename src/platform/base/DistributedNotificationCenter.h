#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "base/Notification.h"
#include "base/Observation.h"
#include "base/Result.h"
#include "base/RunLoop.h"

namespace base {

// System-wide notifications between processes, over the D-Bus session bus.
//
// On the bus a notification is the broadcast signal
//
//     path       /com/vellium/DistributedNotificationCenter
//     interface  com.vellium.DistributedNotificationCenter
//     member     Posted
//     arguments  s      the notification's name
//                a{sv}  its user information (empty when there is none)
//
// that is, the parameter tuple `(sa{sv})` (the body signature on the wire is `sa{sv}`).
// User-information values travel as variants:
//
//     string            s
//     integer           x   (t for an unsigned value above 2^63 - 1)
//     real              d
//     boolean           b
//     date              d   seconds since 2001-01-01 00:00:00 UTC; it arrives as a real
//     data              ay
//     array             av  (absent elements are left out)
//     dictionary        a{sv}
//
// Receivers also accept every other integer width, object paths and signatures (as
// strings) and structs (as arrays), so that a sender in any language may use its natural
// types; values of other types are dropped. Any process can listen with stock tools:
//
//     dbus-monitor "type='signal',interface='com.vellium.DistributedNotificationCenter'"
//     busctl --user monitor --match "interface='com.vellium.DistributedNotificationCenter'"
//
// and post with `busctl --user emit /com/vellium/DistributedNotificationCenter
// com.vellium.DistributedNotificationCenter Posted sa{sv} NAME 1 key s value`.
//
// Observers subscribe by name (the bus filters on the first argument, `arg0='NAME'`, so a
// process is woken only for the names it observes) and are called on their run loop
// (`RunLoop::main()` for the default centre), in the order they were added; a notification
// posted by this process reaches its own observers too, through the bus. Without a session
// bus `post` does nothing and logs one line (once), and `addObserver` returns an error.
class DistributedNotificationCenter {
public:
    static constexpr const char* kObjectPath = "/com/vellium/DistributedNotificationCenter";
    static constexpr const char* kInterface = "com.vellium.DistributedNotificationCenter";
    static constexpr const char* kSignalName = "Posted";

    static constexpr const char* kErrorDomain = "base.DistributedNotificationCenter";
    enum ErrorCode : long { kNoBus = 1, kSubscriptionFailed = 2 };

    using Callback = std::function<void(const Notification&)>;

    // The centre of the session bus, delivering on `RunLoop::main()`.
    static DistributedNotificationCenter& defaultCenter();

    // A centre on the bus at `busAddress` (a D-Bus address such as "unix:path=/run/bus"),
    // or on the session bus when it is empty, delivering on `runLoop`. It connects on first
    // use.
    explicit DistributedNotificationCenter(RunLoop& runLoop, std::string busAddress = {});
    ~DistributedNotificationCenter();
    DistributedNotificationCenter(const DistributedNotificationCenter&) = delete;
    DistributedNotificationCenter& operator=(const DistributedNotificationCenter&) = delete;

    // Connects now if not yet connected; the error says why there is no bus.
    Result<void> connect();

    // Broadcasts a notification. `userInfo` is a dictionary or absent. Failures are logged:
    // no bus (once), or a user info the bus cannot carry (a string that is not UTF-8).
    // Returns whether the notification went out; callers that need not know may ignore it.
    bool post(std::string_view name, const Value& userInfo = Value());

    // Observes the notifications named `name` (not empty) from every process. The observer
    // is registered while the returned Observation lives.
    Result<Observation> addObserver(std::string name, Callback callback);

private:
    struct State;
    std::shared_ptr<State> state_;
};

}  // namespace base
