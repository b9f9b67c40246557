#pragma once

#include <memory>
#include <string>

#include "base/Value.h"

namespace base {

// A notification: its name, the object it is about (optional; compared by identity when
// observers filter on it) and its user information, a dictionary or absent.
struct Notification {
    std::string name;
    std::shared_ptr<void> object;
    Value userInfo;
};

}  // namespace base
