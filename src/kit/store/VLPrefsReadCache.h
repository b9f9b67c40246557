#pragma once

#include <filesystem>
#include <map>
#include <mutex>
#include <string>

#include "store/VLPrefsChangeMonitor.h"
#include "store/VLPrefsSnapshot.h"

// Parsed preference files, kept only while a change monitor on their directory vouches
// that they have not changed. On every read the monitor's queue is drained first, and any
// file it names (or everything, when in doubt) is dropped and read afresh.
//
// Why a file read after the drain can be kept: the watch is in place before the file is
// read, so a rewrite that lands after the drain (even while the file is being read) queues
// an event that the next read drains; at worst the file is then read once more than
// needed. Files the monitor cannot vouch for (links, a directory that cannot be watched)
// are read afresh on every call.
class VLPrefsReadCache {
public:
    VLPrefsSnapshot read(const std::filesystem::path& directory, const std::string& fileName);

    // True when the directory may hold another process's temporary file that nobody has
    // looked at: before the first look, after the monitor reported such a name (or lost
    // track), and always when the directory cannot be watched. Resets the flag, so a
    // caller that then sweeps the directory does so only when it may be worth it.
    bool takeForeignTemporaryFileSeen();

private:
    // Watches `directory` if it is not already; false when it cannot be watched.
    bool ensureWatching(const std::filesystem::path& directory);
    void forget(const VLPrefsChangeMonitor::Changes& changes);

    std::mutex mutex_;
    VLPrefsChangeMonitor monitor_;
    std::map<std::string, VLPrefsSnapshot, std::less<>> files_;
    bool foreignTemporaryFileSeen_ = true;
};
