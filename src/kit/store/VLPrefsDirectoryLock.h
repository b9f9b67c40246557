#pragma once

#include <chrono>
#include <filesystem>
#include <string>

// An exclusive advisory lock (flock) on a directory, held for the lifetime of the object.
// Every writer of the store takes it on the preference directory around its
// read-modify-write, so two writers in any processes never lose each other's entries.
// Locking the directory itself adds no file to it. Each lock opens the directory afresh,
// so two threads of one process exclude each other as two processes do.
//
// The wait is bounded: a holder that never lets go (a stopped or hung process) must not
// freeze the interface thread, so after `kWaitLimit` the lock gives up and says why, and
// the writer refuses rather than write unlocked.
class VLPrefsDirectoryLock {
public:
    static constexpr std::chrono::milliseconds kWaitLimit{2000};

    explicit VLPrefsDirectoryLock(const std::filesystem::path& directory);
    ~VLPrefsDirectoryLock();
    VLPrefsDirectoryLock(const VLPrefsDirectoryLock&) = delete;
    VLPrefsDirectoryLock& operator=(const VLPrefsDirectoryLock&) = delete;

    // False when the directory could not be opened or locked in time; `failure()` then
    // says why ("the preference directory is locked by another writer", or the errno text).
    bool locked() const { return locked_; }
    const std::string& failure() const { return failure_; }

private:
    bool waitForLock();

    int fd_ = -1;
    bool locked_ = false;
    std::string failure_;
};
