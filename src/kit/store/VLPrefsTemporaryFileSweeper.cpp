#include "store/VLPrefsTemporaryFileSweeper.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <memory>

#include "base/AtomicFile.h"

namespace {

bool isProcessGone(pid_t pid) { return ::kill(pid, 0) != 0 && errno == ESRCH; }

bool isOlderThanAbandonedAge(int directoryFd, const char* name) {
    struct stat status {};
    if (::fstatat(directoryFd, name, &status, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(status.st_mode))
        return false;
    const auto age = std::chrono::seconds(std::time(nullptr) - status.st_mtim.tv_sec);
    return age > VLPrefsTemporaryFileSweeper::kAbandonedAge;
}

bool isAbandoned(int directoryFd, const char* name, std::string_view targetSuffix) {
    auto writer = base::AtomicFile::temporaryFileWriter(name, targetSuffix);
    if (!writer || *writer == ::getpid()) return false;
    return isProcessGone(*writer) || isOlderThanAbandonedAge(directoryFd, name);
}

}  // namespace

void VLPrefsTemporaryFileSweeper::sweep(const std::filesystem::path& directory,
                                        std::string_view targetSuffix) {
    std::unique_ptr<DIR, int (*)(DIR*)> listing(::opendir(directory.c_str()), ::closedir);
    if (!listing) return;
    const int directoryFd = ::dirfd(listing.get());
    while (const dirent* entry = ::readdir(listing.get())) {
        // A name that went away meanwhile (another writer swept it) is no failure.
        if (isAbandoned(directoryFd, entry->d_name, targetSuffix)) ::unlinkat(directoryFd, entry->d_name, 0);
    }
}
