#include "store/VLPrefsReadCache.h"

#include <unistd.h>

#include "base/AtomicFile.h"

VLPrefsSnapshot VLPrefsReadCache::read(const std::filesystem::path& directory, const std::string& fileName) {
    std::lock_guard lock(mutex_);
    // 1. Make sure the watch is on the directory the path names now, in this process.
    if (!ensureWatching(directory)) return VLPrefsSnapshot::load(directory / fileName).snapshot;

    // 2. Forget whatever changed since the last read; the directory itself going away
    //    ends the watch, so set up a new one before reading.
    forget(monitor_.drain());
    if (!ensureWatching(directory)) return VLPrefsSnapshot::load(directory / fileName).snapshot;

    // 3. Serve what is still valid, or read it relative to the watched directory.
    if (auto kept = files_.find(fileName); kept != files_.end()) return kept->second;
    auto loaded = VLPrefsSnapshot::loadAt(monitor_.directoryFd(), fileName);
    if (loaded.cacheable) files_.emplace(fileName, loaded.snapshot);
    return std::move(loaded.snapshot);
}

bool VLPrefsReadCache::takeForeignTemporaryFileSeen() {
    std::lock_guard lock(mutex_);
    const bool seen = foreignTemporaryFileSeen_ || monitor_.directoryFd() < 0;
    foreignTemporaryFileSeen_ = false;
    return seen;
}

bool VLPrefsReadCache::ensureWatching(const std::filesystem::path& directory) {
    if (monitor_.isWatching(directory)) return true;
    files_.clear();
    foreignTemporaryFileSeen_ = true;  // what happened before this watch went unseen
    return monitor_.watch(directory);
}

void VLPrefsReadCache::forget(const VLPrefsChangeMonitor::Changes& changes) {
    if (changes.everything) {
        files_.clear();
        foreignTemporaryFileSeen_ = true;
        return;
    }
    for (const std::string& name : changes.names) {
        files_.erase(name);
        auto writer = base::AtomicFile::temporaryFileWriter(name);
        if (writer && *writer != ::getpid()) foreignTemporaryFileSeen_ = true;
    }
}
