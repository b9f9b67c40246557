#include "base/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <random>
#include <string>

#include "base/FileDescriptor.h"
#include "base/Files.h"

namespace base {
namespace {

// A hidden name beside the target that no other writer picks: process id, a counter and a
// random number. temporaryFileWriter recognises exactly these names, to find left-overs.
std::filesystem::path temporaryPathFor(const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
    thread_local std::minstd_rand random(std::random_device{}());
    std::string name = ".";
    name += target.filename().string();
    name += "." + std::to_string(::getpid()) + "." + std::to_string(counter.fetch_add(1)) + "." +
            std::to_string(random()) + ".tmp";
    return target.parent_path() / name;
}

FileDescriptor createTemporary(const std::filesystem::path& target, std::filesystem::path& temporary) {
    for (int attempt = 0; attempt < 16; ++attempt) {
        temporary = temporaryPathFor(target);
        FileDescriptor file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (file.valid() || errno != EEXIST) return file;
    }
    return FileDescriptor();
}

bool writeAll(int fd, std::span<const std::uint8_t> contents) {
    while (!contents.empty()) {
        const ssize_t written = ::write(fd, contents.data(), contents.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        contents = contents.subspan(std::size_t(written));
    }
    return true;
}

// Makes the rename itself durable; 0 or the errno of the failure.
int syncDirectory(const std::filesystem::path& directory) {
    FileDescriptor handle(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!handle.valid()) return errno;
    if (::fsync(handle.get()) == 0) return 0;
    // Some file systems cannot sync a directory; the rename has happened all the same.
    return errno == EINVAL || errno == EROFS ? 0 : errno;
}

// Gives the new file the permissions of the one it replaces.
bool keepPermissions(int fd, const std::filesystem::path& target) {
    struct stat existing;
    if (::stat(target.c_str(), &existing) != 0) return true;  // a new file: 0666 less the umask
    return ::fchmod(fd, existing.st_mode & 07777) == 0;
}

// Strips a trailing ".DIGITS" from `name`; false when it has none.
bool takeNumberField(std::string_view& name, std::string_view& digits) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return false;
    digits = name.substr(dot + 1);
    if (digits.empty() || digits.size() > 20) return false;
    for (char c : digits)
        if (c < '0' || c > '9') return false;
    name = name.substr(0, dot);
    return true;
}

}  // namespace

std::optional<pid_t> AtomicFile::temporaryFileWriter(std::string_view name, std::string_view targetSuffix) {
    constexpr std::string_view kEnd = ".tmp";
    if (!name.starts_with('.') || !name.ends_with(kEnd)) return std::nullopt;
    name.remove_prefix(1);
    name.remove_suffix(kEnd.size());
    std::string_view random, counter, pid;
    if (!takeNumberField(name, random) || !takeNumberField(name, counter) || !takeNumberField(name, pid))
        return std::nullopt;
    if (name.empty() || name.size() <= targetSuffix.size() || !name.ends_with(targetSuffix))
        return std::nullopt;
    if (pid.size() > 9 || pid.starts_with('0')) return std::nullopt;  // process ids are below 2^22
    return pid_t(std::stol(std::string(pid)));
}

Result<void> AtomicFile::write(const std::filesystem::path& path, std::span<const std::uint8_t> contents) {
    const std::filesystem::path target = path.has_parent_path() ? path : std::filesystem::path(".") / path;
    std::filesystem::path temporary;
    FileDescriptor file = createTemporary(target, temporary);
    if (!file.valid()) return Files::error(errno, "could not create a temporary file for", path);

    // Every failure from here on removes the temporary file.
    auto fail = [&](std::string_view action) -> Result<void> {
        const int failure = errno;
        file.reset();
        ::unlink(temporary.c_str());
        return Files::error(failure, action, path);
    };
    if (!writeAll(file.get(), contents)) return fail("could not write");
    if (!keepPermissions(file.get(), target)) return fail("could not set the permissions of");
    if (::fsync(file.get()) != 0) return fail("could not flush");
    if (!file.close()) return fail("could not close");
    if (::rename(temporary.c_str(), target.c_str()) != 0) return fail("could not replace");
    if (int failure = syncDirectory(target.parent_path())) {
        return Files::error(failure, "could not flush the directory of", path);
    }
    return {};
}

Result<void> AtomicFile::write(const std::filesystem::path& path, std::string_view contents) {
    return write(path, std::span(reinterpret_cast<const std::uint8_t*>(contents.data()), contents.size()));
}

}  // namespace base
