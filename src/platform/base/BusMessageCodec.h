#pragma once

#include "base/Value.h"

struct sd_bus_message;

namespace base {

// Converts user information between `base::Value` and the D-Bus `a{sv}` dictionary that
// distributed notifications carry (see DistributedNotificationCenter.h for the mapping).
// Used only by the distributed notification centre; keeps sd-bus out of its header.
class BusMessageCodec {
public:
    // Appends `userInfo` (a dictionary, or absent for an empty one) as `a{sv}`. Returns 0,
    // or a negative errno: -EINVAL for a user info that is not a dictionary, a string or
    // key that is not valid UTF-8 or holds a NUL character.
    static int appendUserInfo(sd_bus_message* message, const Value& userInfo);

    // Reads the value at the message's read position (any D-Bus type a sender may use:
    // every integer width, strings, object paths, signatures, variants, byte arrays,
    // arrays, structs as arrays, dictionaries with string keys). Types with no property-
    // list counterpart (file descriptors, dictionaries with other keys) are skipped and
    // read as absent; absent entries are left out of arrays and dictionaries.
    // Returns 0 or a negative errno.
    static int readValue(sd_bus_message* message, Value& value);
};

}  // namespace base
