// vellium open: decrypts a container from standard input (or -i IN) to standard output (or
// -o OUT). No plaintext leaves before the container has been authenticated: with -o it goes
// to a temporary file that replaces OUT only on success; to standard output the HMAC is
// checked in a first pass (over the input itself when it can seek, else over a spool file)
// and only then is the container decrypted again, onto standard output.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "Command.h"
#include "ContainerOptions.h"
#include "ContainerStream.h"
#include "OutputFile.h"
#include "crypto/VLDecryptor.h"

namespace {

// A file descriptor closed on scope exit.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ > STDERR_FILENO) close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

int openInput(const std::optional<std::string>& path) {
    if (!path) return STDIN_FILENO;
    const int fd = open(path->c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw ContainerFailure("cannot open " + *path + ": " + std::strerror(errno));
    return fd;
}

bool canRewind(int fd) {
    struct stat info {};
    return fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && lseek(fd, 0, SEEK_CUR) >= 0;
}

// An unlinked temporary file in TMPDIR (or /tmp) holding a copy of a piped input.
int createSpool() {
    const char* directory = std::getenv("TMPDIR");
    std::string pattern = std::string(directory && *directory ? directory : "/tmp") + "/vellium-open.XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd < 0) throw ContainerFailure(std::string("cannot create a spool file: ") + std::strerror(errno));
    unlink(pattern.c_str());
    return fd;
}

bool writeAll(int fd, const base::Data& bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        written += static_cast<std::size_t>(n);
    }
    return true;
}

void check(const ContainerStream::Outcome& outcome) {
    if (const std::string failure = ContainerStream::describeFailure(outcome); !failure.empty()) {
        throw ContainerFailure(failure);
    }
}

int openContainer(const ContainerOptions& options) {
    Descriptor input(openInput(options.inputPath));
    auto factory = [&](VLCryptor::Handler handler) -> std::shared_ptr<VLCryptor> {
        if (options.password) return VLDecryptor::create(options.password, std::move(handler));
        return VLDecryptor::create(options.key, options.HMACKey, std::move(handler));
    };

    if (options.outputPath) {
        OutputFile output(*options.outputPath);
        check(ContainerStream::run(
            factory, input.get(), [&](const base::Data& chunk) { return output.write(chunk); }, "opened"));
        output.commit();
        return 0;
    }

    // 1. Authenticate, discarding the plaintext; a pipe is copied to a spool file on the way.
    const bool rewindable = canRewind(input.get());
    Descriptor spool(rewindable ? -1 : createSpool());
    ContainerStream::Tap copyToSpool;
    if (!rewindable) copyToSpool = [&](const base::Data& chunk) { return writeAll(spool.get(), chunk); };
    check(ContainerStream::run(
        factory, input.get(), [](const base::Data&) { return true; }, "checked", copyToSpool));

    // 2. Decrypt the authenticated bytes onto standard output.
    const int source = rewindable ? input.get() : spool.get();
    if (lseek(source, 0, SEEK_SET) < 0)
        throw ContainerFailure(std::string("cannot rewind: ") + std::strerror(errno));
    OutputFile output("");
    check(ContainerStream::run(
        factory, source, [&](const base::Data& chunk) { return output.write(chunk); }, "opened"));
    return 0;
}

}  // namespace

int runOpen(std::span<const std::string> arguments) {
    try {
        return openContainer(ContainerOptions::parse(arguments));
    } catch (const ContainerFailure& failure) {
        std::cerr << "vellium: open: " << failure.what() << "\n";
        return 1;
    }
}
