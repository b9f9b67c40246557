#pragma once

#include <stdlib.h>

#include <memory>
#include <mutex>

#include "support/TemporaryDirectory.h"

namespace testsupport {

// Points this process's XDG data directories into a temporary tree: "home" becomes
// XDG_DATA_HOME, "system" and "later" (in that order) XDG_DATA_DIRS. GIO reads these once
// per process, so the tree is made and filled by `populate` once, before the first GIO call,
// and lives until the process ends; later calls return the same tree.
inline const TemporaryDirectory& xdgDataFixture(void (*populate)(const TemporaryDirectory&)) {
    static std::unique_ptr<TemporaryDirectory> fixture;
    static std::once_flag once;
    std::call_once(once, [populate] {
        fixture = std::make_unique<TemporaryDirectory>();
        populate(*fixture);
        ::setenv("XDG_DATA_HOME", (fixture->path() / "home").c_str(), 1);
        const std::string systemDirectories =
            (fixture->path() / "system").string() + ":" + (fixture->path() / "later").string();
        ::setenv("XDG_DATA_DIRS", systemDirectories.c_str(), 1);
    });
    return *fixture;
}

}  // namespace testsupport
