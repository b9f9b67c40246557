#pragma once

#include <filesystem>

// An exclusive advisory lock (flock) on a directory, held for the lifetime of the object.
// Every writer of the store takes it on the preference directory around its
// read-modify-write, so two writers in any processes never lose each other's entries.
// Locking the directory itself adds no file to it. Each lock opens the directory afresh,
// so two threads of one process exclude each other as two processes do.
class VLPrefsDirectoryLock {
public:
    explicit VLPrefsDirectoryLock(const std::filesystem::path& directory);
    ~VLPrefsDirectoryLock();
    VLPrefsDirectoryLock(const VLPrefsDirectoryLock&) = delete;
    VLPrefsDirectoryLock& operator=(const VLPrefsDirectoryLock&) = delete;

    // False when the directory could not be opened or locked (for example it is missing).
    bool locked() const { return locked_; }

private:
    int fd_ = -1;
    bool locked_ = false;
};
