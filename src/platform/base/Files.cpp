#include "base/Files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <new>

#include "base/FileDescriptor.h"

namespace base {
Error Files::error(int errorNumber, std::string_view action, const std::filesystem::path& path) {
    std::string description(action);
    description += " ";
    description += path.string();
    description += ": ";
    description += std::strerror(errorNumber);
    return Error{kErrorDomain, errorNumber, std::move(description)};
}

bool Files::exists(const std::filesystem::path& path) {
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0;
}

bool Files::isDirectory(const std::filesystem::path& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

Result<void> Files::remove(const std::filesystem::path& path) {
    if (::remove(path.c_str()) != 0) return error(errno, "could not remove", path);
    return {};
}

Result<std::vector<std::string>> Files::listDirectory(const std::filesystem::path& path) {
    DIR* directory = ::opendir(path.c_str());
    if (!directory) return error(errno, "could not list", path);
    std::vector<std::string> names;
    errno = 0;
    while (const dirent* entry = ::readdir(directory)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") names.emplace_back(name);
    }
    const int readError = errno;
    ::closedir(directory);
    if (readError != 0) return error(readError, "could not list", path);
    std::sort(names.begin(), names.end());
    return names;
}

Result<Data> Files::readFile(const std::filesystem::path& path, std::uint64_t limit) {
    // Non-blocking, so that opening a FIFO does not wait for a writer; only regular files
    // are read (regular files ignore the flag).
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0) return error(errno, "could not open", path);
    struct stat info;
    if (::fstat(file.get(), &info) != 0) return error(errno, "could not inspect", path);
    if (S_ISDIR(info.st_mode)) return error(EISDIR, "could not read", path);
    if (!S_ISREG(info.st_mode)) return error(EINVAL, "not a regular file:", path);
    if (std::uint64_t(info.st_size) > limit) return error(EFBIG, "could not read", path);
    try {
        return readOpenFile(file.get(), path, std::uint64_t(info.st_size), limit);
    } catch (const std::bad_alloc&) {
        return error(ENOMEM, "could not read", path);
    }
}

Result<Data> Files::readOpenFile(int file, const std::filesystem::path& path, std::uint64_t size,
                                 std::uint64_t limit) {
    const std::uint64_t capacity = limit < std::numeric_limits<std::uint64_t>::max() ? limit + 1 : limit;
    // The size is a hint only: files in /proc report 0 and a file may grow while read.
    Data contents;
    contents.resize(std::max<std::size_t>(std::size_t(size) + 1, 4096));
    std::size_t used = 0;
    for (;;) {
        if (used == contents.size()) {
            if (contents.size() > limit) return error(EFBIG, "could not read", path);
            contents.resize(std::min<std::uint64_t>(contents.size() * 2, capacity));
        }
        const ssize_t count = ::read(file, contents.data() + used, contents.size() - used);
        if (count < 0) {
            if (errno == EINTR || errno == EAGAIN) continue;
            return error(errno, "could not read", path);
        }
        if (count == 0) break;
        used += std::size_t(count);
    }
    if (used > limit) return error(EFBIG, "could not read", path);
    contents.resize(used);
    return contents;
}

Result<void> Files::createDirectories(const std::filesystem::path& path) {
    std::error_code failure;
    std::filesystem::create_directories(path, failure);
    if (failure) return error(failure.value(), "could not create directory", path);
    if (!isDirectory(path)) return error(ENOTDIR, "could not create directory", path);
    return {};
}

}  // namespace base
