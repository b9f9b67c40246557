// vellium open: decrypts a container from standard input (or -i IN) to standard output (or
// -o OUT). No plaintext leaves before the container has been authenticated: with -o it goes
// to a temporary file that replaces OUT only on success; for standard output it is decrypted
// once into a private nameless file and copied out only after the HMAC has matched.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>

#include "Command.h"
#include "ContainerOptions.h"
#include "ContainerStream.h"
#include "OutputFile.h"
#include "SpoolFile.h"
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

    SpoolFile spool;
    check(ContainerStream::run(
        factory, input.get(), [&](const base::Data& chunk) { return spool.write(chunk); }, "opened"));
    OutputFile output("");
    if (!spool.copyTo(output))
        throw ContainerFailure(std::string("cannot write output: ") + std::strerror(errno));
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
