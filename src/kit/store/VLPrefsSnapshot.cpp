#include "store/VLPrefsSnapshot.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "base/PropertyList.h"

namespace {

// Preference files are small; anything beyond this is not one and is never loaded whole.
constexpr off_t kMaximumFileSize = 64 * 1024 * 1024;

VLPrefsSnapshot unusable(std::string problem) {
    VLPrefsSnapshot snapshot;
    snapshot.state = VLPrefsSnapshot::State::Unusable;
    snapshot.problem = std::move(problem);
    return snapshot;
}

VLPrefsSnapshot::Loaded openFailure(int error) {
    if (error == ENOENT) return {VLPrefsSnapshot{}, true};
    return {unusable(std::strerror(error)), false};
}

bool readAll(int fd, base::Data& bytes) {
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) bytes.resize(bytes.size() * 2 + 4096);
        ssize_t count = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) return false;
        if (count == 0) break;
        filled += std::size_t(count);
        if (filled > std::size_t(kMaximumFileSize)) return false;
    }
    bytes.resize(filled);
    return true;
}

// Reads and parses an open file; closes it.
VLPrefsSnapshot::Loaded loadOpenFile(int fd, bool followedLink) {
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        int error = errno;
        ::close(fd);
        return {unusable(std::strerror(error)), false};
    }
    if (!S_ISREG(status.st_mode)) {
        ::close(fd);
        return {unusable("not a regular file"), false};
    }
    if (status.st_size > kMaximumFileSize) {
        ::close(fd);
        return {unusable("file too large"), false};
    }
    base::Data bytes(std::size_t(status.st_size) + 1);
    bool complete = readAll(fd, bytes);
    ::close(fd);
    // A directory watch sees changes made through this directory only: a file that is also
    // reachable under another name (a link) may change without a word to it.
    bool cacheable = !followedLink && status.st_nlink == 1;
    if (!complete) return {unusable("read failed"), false};

    VLPrefsSnapshot snapshot;
    snapshot.state = VLPrefsSnapshot::State::Dictionary;
    if (bytes.empty()) {  // a new, empty file holds no entries
        snapshot.dictionary = base::Value(base::Value::Dictionary{});
        return {snapshot, cacheable};
    }
    auto parsed = base::PropertyList::parse(bytes);
    if (!parsed) return {unusable(parsed.error().description), cacheable};
    if (!parsed.value().asDictionary()) return {unusable("root is not a dictionary"), cacheable};
    snapshot.dictionary = std::move(parsed).value();
    return {snapshot, cacheable};
}

}  // namespace

VLPrefsSnapshot::Loaded VLPrefsSnapshot::loadAt(int directoryFd, const std::string& name) {
    // O_NONBLOCK: a FIFO under a preference file's name must not hang the reader.
    int fd = ::openat(directoryFd, name.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd >= 0) return loadOpenFile(fd, false);
    if (errno != ELOOP) return openFailure(errno);
    fd = ::openat(directoryFd, name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return {openFailure(errno).snapshot, false};
    return loadOpenFile(fd, true);
}

VLPrefsSnapshot::Loaded VLPrefsSnapshot::load(const std::filesystem::path& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return openFailure(errno);
    return loadOpenFile(fd, true);
}
