#include "store/VLPrefsDirectoryLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

VLPrefsDirectoryLock::VLPrefsDirectoryLock(const std::filesystem::path& directory) {
    fd_ = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) return;
    int result;
    do {
        result = ::flock(fd_, LOCK_EX);
    } while (result != 0 && errno == EINTR);
    locked_ = result == 0;
}

VLPrefsDirectoryLock::~VLPrefsDirectoryLock() {
    // Closing the only descriptor of this open file description releases the lock.
    if (fd_ >= 0) ::close(fd_);
}
