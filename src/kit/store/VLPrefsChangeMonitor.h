#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

// Reports every change to the entries of one directory, through an inotify watch that is
// drained without blocking. It is the read cache's only source of truth, so it errs on the
// side of "everything changed": a queue overflow, a read error, or the directory itself
// being changed, moved or deleted all report everything.
//
// A change made after `watch` returns is always reported by a later `drain`: the kernel
// queues the event after the change is visible, and the watch and the directory
// descriptor are made on the same directory. The monitor belongs to the process that set
// it up; after a fork the child's `isWatching` is false, so it never drains (steals) the
// parent's events.
//
// The path must also go on naming the watched directory. Every directory above it is
// watched for its next path component being moved, deleted or created, opened one below
// the other with each parent's watch in place first, so no rename along the path goes
// unseen. Where a component is a symbolic link (whose target's own path is not watched),
// `isWatching` compares the path's directory with the watched one on every call instead.
class VLPrefsChangeMonitor {
public:
    VLPrefsChangeMonitor() = default;
    ~VLPrefsChangeMonitor();
    VLPrefsChangeMonitor(const VLPrefsChangeMonitor&) = delete;
    VLPrefsChangeMonitor& operator=(const VLPrefsChangeMonitor&) = delete;

    // Watches `directory` from now on, forgetting any earlier watch. False when it cannot
    // (missing directory, no inotify instances left); then nothing is watched.
    bool watch(const std::filesystem::path& directory);
    void stop();

    // True when this process watches `directory` and that path still names the watched
    // directory (not one moved or created in its place).
    bool isWatching(const std::filesystem::path& directory) const;

    // The watched directory, open, for reading files relative to it; -1 when not watching.
    int directoryFd() const { return directoryFd_; }

    struct Changes {
        bool everything = false;
        std::vector<std::string> names;  // entries of the directory that changed
    };
    // Everything queued so far. A drain that reports the directory itself gone or replaced
    // also stops the watch.
    Changes drain();

private:
    bool watchAlongPath(const std::filesystem::path& directory, int inotifyFd);
    bool watchByPath(const std::filesystem::path& directory, int inotifyFd);
    bool isAncestorEvent(int watch, std::uint32_t mask, const char* name) const;

    int inotifyFd_ = -1;
    int directoryFd_ = -1;
    std::filesystem::path directory_;
    dev_t device_ = 0;
    ino_t inode_ = 0;
    unsigned forkGeneration_ = 0;
    bool checkPathOnEveryCall_ = false;
    int directoryWatch_ = -1;
    std::map<int, std::string> ancestorWatches_;  // watch -> the path component below it
};
