#include "store/VLPrefsChangeMonitor.h"

#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

// Every way an entry's content, existence or readability can change.
constexpr std::uint32_t kEntryEvents =
    IN_MODIFY | IN_CLOSE_WRITE | IN_ATTRIB | IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;
constexpr std::uint32_t kDirectoryGone = IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_UNMOUNT;

}  // namespace

VLPrefsChangeMonitor::~VLPrefsChangeMonitor() { stop(); }

void VLPrefsChangeMonitor::stop() {
    // Descriptors inherited over a fork are closed in the child only; the parent keeps its own.
    if (inotifyFd_ >= 0) ::close(inotifyFd_);
    if (directoryFd_ >= 0) ::close(directoryFd_);
    inotifyFd_ = -1;
    directoryFd_ = -1;
    directory_.clear();
    owner_ = 0;
}

bool VLPrefsChangeMonitor::watch(const std::filesystem::path& directory) {
    stop();
    int directoryFd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directoryFd < 0) return false;
    struct stat status {};
    int inotifyFd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (inotifyFd < 0 || ::fstat(directoryFd, &status) != 0) {
        if (inotifyFd >= 0) ::close(inotifyFd);
        ::close(directoryFd);
        return false;
    }
    // Watch through the open descriptor so the watch and the descriptor name one directory
    // even if the path is replaced meanwhile.
    std::string viaDescriptor = "/proc/self/fd/" + std::to_string(directoryFd);
    int watchFd =
        ::inotify_add_watch(inotifyFd, viaDescriptor.c_str(), kEntryEvents | kDirectoryGone | IN_ONLYDIR);
    struct stat watched {};
    if (watchFd < 0) {
        // No /proc: watch by path, then make sure the path still names the open directory.
        watchFd =
            ::inotify_add_watch(inotifyFd, directory.c_str(), kEntryEvents | kDirectoryGone | IN_ONLYDIR);
        if (watchFd >= 0 && (::stat(directory.c_str(), &watched) != 0 || watched.st_ino != status.st_ino ||
                             watched.st_dev != status.st_dev)) {
            watchFd = -1;
        }
    }
    if (watchFd < 0) {
        ::close(inotifyFd);
        ::close(directoryFd);
        return false;
    }
    inotifyFd_ = inotifyFd;
    directoryFd_ = directoryFd;
    directory_ = directory;
    device_ = status.st_dev;
    inode_ = status.st_ino;
    owner_ = ::getpid();
    return true;
}

bool VLPrefsChangeMonitor::isWatching(const std::filesystem::path& directory) const {
    if (inotifyFd_ < 0 || owner_ != ::getpid() || directory != directory_) return false;
    // The open directory cannot be freed while we hold it, so its device and inode number
    // cannot be reused by another directory: equal numbers mean the same directory.
    struct stat status {};
    if (::stat(directory.c_str(), &status) != 0) return false;
    return status.st_ino == inode_ && status.st_dev == device_;
}

VLPrefsChangeMonitor::Changes VLPrefsChangeMonitor::drain() {
    Changes changes;
    if (inotifyFd_ < 0) {
        changes.everything = true;
        return changes;
    }
    alignas(inotify_event) char buffer[16384];
    bool directoryGone = false;
    for (;;) {
        ssize_t count = ::read(inotifyFd_, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
        if (count <= 0) {
            directoryGone = true;  // an unexpected error: trust nothing seen so far
            break;
        }
        for (char* next = buffer; next < buffer + count;) {
            const auto* event = reinterpret_cast<const inotify_event*>(next);
            next += sizeof(inotify_event) + event->len;
            if (event->mask & IN_Q_OVERFLOW) changes.everything = true;
            if (event->mask & kDirectoryGone) directoryGone = true;
            if (event->len == 0) {
                changes.everything = true;  // the directory itself (its permissions, say)
            } else {
                changes.names.emplace_back(event->name);  // NUL-padded by the kernel
            }
        }
    }
    if (directoryGone) {
        changes.everything = true;
        stop();
    }
    return changes;
}
