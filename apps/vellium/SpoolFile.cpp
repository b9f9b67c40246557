#include "SpoolFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ContainerOptions.h"
#include "ContainerStream.h"

namespace {

std::string temporaryDirectory() {
    const char* directory = std::getenv("TMPDIR");
    return directory && *directory ? directory : "/tmp";
}

// O_TMPFILE makes the file without ever giving it a name; where the file system lacks it, a
// named file is made and unlinked at once.
int createNamelessFile() {
    const std::string directory = temporaryDirectory();
    const int fd = open(directory.c_str(), O_TMPFILE | O_RDWR | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) return fd;
    std::string pattern = directory + "/vellium-open.XXXXXX";
    const int named = mkostemp(pattern.data(), O_CLOEXEC);
    if (named >= 0) unlink(pattern.c_str());
    return named;
}

}  // namespace

SpoolFile::SpoolFile() : fd_(createNamelessFile()) {
    if (fd_ < 0)
        throw ContainerFailure(std::string("cannot create a temporary file: ") + std::strerror(errno));
}

SpoolFile::~SpoolFile() { close(fd_); }

bool SpoolFile::write(const base::Data& bytes) { return OutputFile::writeAll(fd_, bytes); }

bool SpoolFile::copyTo(OutputFile& output) {
    if (lseek(fd_, 0, SEEK_SET) < 0) return false;
    base::Data chunk(ContainerStream::kChunkSize);
    for (;;) {
        const ssize_t got = read(fd_, chunk.data(), chunk.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) return true;
        if (!output.write(std::span(chunk.data(), static_cast<std::size_t>(got)))) return false;
    }
}
