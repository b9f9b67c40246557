#pragma once

#include <memory>
#include <string>
#include <vector>

#include "base/Value.h"

// The installed applications a picker may offer, as application records: dictionaries with
// the strings "bundleID" and "name" (the display name, or the bundle identifier when the
// application has none), sorted by name. System services listed in `blacklistApps` are
// never offered.
class PrivateAppList {
public:
    static std::shared_ptr<PrivateAppList> sharedInstance();

    // Every installed application not in `blacklistApps`, sorted by `sortArray`. Each call
    // enumerates afresh.
    base::Value::Array allApps();
    // The hidden bundle identifiers (matched whole and case-sensitively).
    const std::vector<std::string>& blacklistApps();
    // The records sorted by "name", ascending and ignoring case; records whose names compare
    // equal keep their order.
    base::Value::Array sortArray(base::Value::Array apps);
};
