#include "OutputFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "ContainerOptions.h"

namespace {

std::string failure(const std::string& what, const std::string& path) {
    return what + " " + path + ": " + std::strerror(errno);
}

}  // namespace

OutputFile::OutputFile(const std::string& path) : path_(path) {
    if (path.empty()) return;
    const std::size_t slash = path.rfind('/');
    const std::string directory = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string pattern = directory + "." + name + ".XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    fd_ = mkstemp(buffer.data());
    if (fd_ < 0) throw ContainerFailure(failure("cannot create a temporary file for", path));
    temporaryPath_ = buffer.data();
}

OutputFile::~OutputFile() {
    if (temporaryPath_.empty()) return;
    if (fd_ >= 0) close(fd_);
    if (!committed_) unlink(temporaryPath_.c_str());
}

bool OutputFile::write(std::span<const std::uint8_t> bytes) { return writeAll(fd_, bytes); }

bool OutputFile::writeAll(int fd, std::span<const std::uint8_t> bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        written += static_cast<std::size_t>(n);
    }
    return true;
}

void OutputFile::commit() {
    if (temporaryPath_.empty()) return;
    if (fsync(fd_) != 0) throw ContainerFailure(failure("cannot write", path_));
    close(fd_);
    fd_ = -1;
    // The file keeps mkstemp's owner-only permissions: it may hold opened plaintext.
    if (std::rename(temporaryPath_.c_str(), path_.c_str()) != 0)
        throw ContainerFailure(failure("cannot write", path_));
    committed_ = true;
}
