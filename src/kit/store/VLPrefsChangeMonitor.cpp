#include "store/VLPrefsChangeMonitor.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <mutex>

namespace {

// Every way an entry's content, existence or readability can change.
constexpr std::uint32_t kEntryEvents =
    IN_MODIFY | IN_CLOSE_WRITE | IN_ATTRIB | IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;
constexpr std::uint32_t kDirectoryGone = IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_UNMOUNT;
// What can change which directory a path component names.
constexpr std::uint32_t kComponentEvents = IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE | IN_CREATE;

// Counts forks, so that a child never uses (and drains) its parent's inotify queue.
std::atomic<unsigned> gForkGeneration{0};
std::once_flag gForkHandlerOnce;

void noteFork() { gForkGeneration.fetch_add(1, std::memory_order_relaxed); }

int addWatchThrough(int inotifyFd, int directoryFd, std::uint32_t mask) {
    // Through the open descriptor, so the watch is on exactly the directory we hold.
    std::string viaDescriptor = "/proc/self/fd/" + std::to_string(directoryFd);
    return ::inotify_add_watch(inotifyFd, viaDescriptor.c_str(), mask | IN_ONLYDIR);
}

}  // namespace

VLPrefsChangeMonitor::~VLPrefsChangeMonitor() { stop(); }

void VLPrefsChangeMonitor::stop() {
    // Descriptors inherited over a fork are closed in the child only; the parent keeps its own.
    if (inotifyFd_ >= 0) ::close(inotifyFd_);
    if (directoryFd_ >= 0) ::close(directoryFd_);
    inotifyFd_ = -1;
    directoryFd_ = -1;
    directory_.clear();
    ancestorWatches_.clear();
    directoryWatch_ = -1;
}

bool VLPrefsChangeMonitor::watch(const std::filesystem::path& directory) {
    stop();
    std::call_once(gForkHandlerOnce, [] { ::pthread_atfork(nullptr, nullptr, noteFork); });
    int inotifyFd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (inotifyFd < 0) return false;
    bool watching = watchAlongPath(directory, inotifyFd) || watchByPath(directory, inotifyFd);
    struct stat status {};
    if (!watching || ::fstat(directoryFd_, &status) != 0) {
        ::close(inotifyFd);
        stop();
        return false;
    }
    inotifyFd_ = inotifyFd;
    directory_ = directory;
    device_ = status.st_dev;
    inode_ = status.st_ino;
    forkGeneration_ = gForkGeneration.load(std::memory_order_relaxed);
    return true;
}

// Opens the path one component at a time below watched parents. False (with nothing held)
// when the path is relative, holds a symbolic link or cannot be opened so.
bool VLPrefsChangeMonitor::watchAlongPath(const std::filesystem::path& directory, int inotifyFd) {
    std::filesystem::path normal = directory.lexically_normal();
    if (!normal.is_absolute()) return false;
    std::vector<std::string> components;
    for (const auto& part : normal.relative_path()) {
        if (!part.empty()) components.push_back(part.string());
    }
    int current = ::open("/", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (const std::string& component : components) {
        int watch = current < 0 ? -1 : addWatchThrough(inotifyFd, current, kComponentEvents | kDirectoryGone);
        int next =
            watch < 0 ? -1
                      : ::openat(current, component.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (current >= 0) ::close(current);
        if (next < 0) {
            ancestorWatches_.clear();
            return false;  // a symbolic link, a missing directory or no /proc: the caller falls back
        }
        ancestorWatches_[watch] = component;
        current = next;
    }
    directoryWatch_ = addWatchThrough(inotifyFd, current, kEntryEvents | kDirectoryGone);
    if (directoryWatch_ < 0) {
        ::close(current);
        ancestorWatches_.clear();
        return false;
    }
    directoryFd_ = current;
    checkPathOnEveryCall_ = false;
    return true;
}

bool VLPrefsChangeMonitor::watchByPath(const std::filesystem::path& directory, int inotifyFd) {
    int directoryFd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directoryFd < 0) return false;
    int watch = addWatchThrough(inotifyFd, directoryFd, kEntryEvents | kDirectoryGone);
    if (watch < 0) {
        ::close(directoryFd);
        return false;
    }
    directoryFd_ = directoryFd;
    directoryWatch_ = watch;
    checkPathOnEveryCall_ = true;
    return true;
}

bool VLPrefsChangeMonitor::isWatching(const std::filesystem::path& directory) const {
    if (inotifyFd_ < 0 || forkGeneration_ != gForkGeneration.load(std::memory_order_relaxed)) return false;
    if (directory != directory_) return false;
    if (!checkPathOnEveryCall_) return true;
    // The open directory cannot be freed while we hold it, so its device and inode number
    // cannot be reused by another directory: equal numbers mean the same directory.
    struct stat status {};
    if (::stat(directory.c_str(), &status) != 0) return false;
    return status.st_ino == inode_ && status.st_dev == device_;
}

bool VLPrefsChangeMonitor::isAncestorEvent(int watch, std::uint32_t mask, const char* name) const {
    auto ancestor = ancestorWatches_.find(watch);
    if (ancestor == ancestorWatches_.end()) return false;
    if (mask & kDirectoryGone) return true;
    return (mask & kComponentEvents) && ancestor->second == name;
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
            if (event->mask & IN_Q_OVERFLOW) directoryGone = true;  // events of the path may be lost too
            if (event->wd != directoryWatch_) {
                // Along the path: only a change of the next component matters.
                if (isAncestorEvent(event->wd, event->mask, event->len ? event->name : ""))
                    directoryGone = true;
                continue;
            }
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
