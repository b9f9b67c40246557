#include "store/VLPrefsDirectoryLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>

namespace {

std::string errnoText(const char* what, int error) { return std::string(what) + ": " + std::strerror(error); }

// A blocking flock taken on a second descriptor of the same open directory, on a thread of
// its own, so the kernel queues this writer fairly behind the holder (polling with LOCK_NB
// starves against a writer that relocks at once) while the caller waits with a time-out.
// Both descriptors share the lock; a waiter that was given up releases it as soon as it
// gets it.
struct LockWaiter {
    std::mutex mutex;
    std::condition_variable done;
    enum class State { Waiting, Locked, Failed, Abandoned } state = State::Waiting;
    int error = 0;
    int fd = -1;

    void run() {
        int result;
        do {
            result = ::flock(fd, LOCK_EX);
        } while (result != 0 && errno == EINTR);
        const int lockError = result == 0 ? 0 : errno;
        std::lock_guard lock(mutex);
        ::close(fd);  // the caller's descriptor keeps the lock, unless it gave up
        if (state == State::Abandoned) {
            --abandonedWaiters;
            return;
        }
        state = lockError == 0 ? State::Locked : State::Failed;
        error = lockError;
        done.notify_all();
    }

    // Waiters still blocked for writers that gave up; beyond a few, new writers give up at
    // once instead of adding threads behind a holder that never lets go.
    static inline std::atomic<int> abandonedWaiters{0};
};

}  // namespace

VLPrefsDirectoryLock::VLPrefsDirectoryLock(const std::filesystem::path& directory) {
    fd_ = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) {
        failure_ = errnoText("cannot open the preference directory", errno);
        return;
    }
    locked_ = waitForLock();
}

VLPrefsDirectoryLock::~VLPrefsDirectoryLock() {
    // Closing the last descriptor of this open file description releases the lock.
    if (fd_ >= 0) ::close(fd_);
}

bool VLPrefsDirectoryLock::waitForLock() {
    if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) return true;
    if (errno != EWOULDBLOCK && errno != EINTR) {
        failure_ = errnoText("cannot lock the preference directory", errno);
        return false;
    }
    const std::string busy = "the preference directory is locked by another writer";
    if (LockWaiter::abandonedWaiters.load() >= 4) {
        failure_ = busy;
        return false;
    }
    auto waiter = std::make_shared<LockWaiter>();
    waiter->fd = ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
    if (waiter->fd < 0) {
        failure_ = errnoText("cannot lock the preference directory", errno);
        return false;
    }
    std::thread([waiter] { waiter->run(); }).detach();

    std::unique_lock lock(waiter->mutex);
    bool finished =
        waiter->done.wait_for(lock, kWaitLimit, [&] { return waiter->state != LockWaiter::State::Waiting; });
    if (!finished) {
        waiter->state = LockWaiter::State::Abandoned;
        ++LockWaiter::abandonedWaiters;
        failure_ = busy;
        return false;
    }
    if (waiter->state == LockWaiter::State::Failed) {
        failure_ = errnoText("cannot lock the preference directory", waiter->error);
        return false;
    }
    return true;
}
