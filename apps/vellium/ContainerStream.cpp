#include "ContainerStream.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>

namespace {

constexpr std::uint64_t kProgressThreshold = 64ull << 20;
constexpr std::uint64_t kProgressStep = 16ull << 20;

// A progress line on standard error, rewritten in place, for big inputs on a terminal.
class ProgressLine {
public:
    ProgressLine(int inputFd, std::string label)
        : label_(std::move(label)), enabled_(isatty(STDERR_FILENO) == 1) {
        struct stat info {};
        if (fstat(inputFd, &info) == 0 && S_ISREG(info.st_mode))
            total_ = static_cast<std::uint64_t>(info.st_size);
    }
    ~ProgressLine() {
        if (shown_) std::fputc('\n', stderr);
    }

    void update(std::uint64_t done) {
        if (!enabled_ || done < next_) return;
        if (total_ ? total_ <= kProgressThreshold : done <= kProgressThreshold) return;
        next_ = done + kProgressStep;
        shown_ = true;
        if (total_) {
            std::fprintf(stderr, "\rvellium: %s %llu of %llu MiB", label_.c_str(),
                         static_cast<unsigned long long>(done >> 20),
                         static_cast<unsigned long long>(total_ >> 20));
        } else {
            std::fprintf(stderr, "\rvellium: %s %llu MiB", label_.c_str(),
                         static_cast<unsigned long long>(done >> 20));
        }
        std::fflush(stderr);
    }

private:
    std::string label_;
    bool enabled_;
    bool shown_ = false;
    std::uint64_t total_ = 0;
    std::uint64_t next_ = 0;
};

// Reads up to `buffer.size()` bytes, retrying interrupted reads; -1 on failure.
ssize_t readChunk(int fd, base::Data& buffer) {
    std::size_t filled = 0;
    while (filled < buffer.size()) {
        const ssize_t got = ::read(fd, buffer.data() + filled, buffer.size() - filled);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return -1;
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
    }
    return static_cast<ssize_t>(filled);
}

}  // namespace

ContainerStream::Outcome ContainerStream::run(const Factory& factory, int inputFd, const Sink& sink,
                                              const std::string& progressLabel) {
    struct Shared {
        std::mutex mutex;
        bool sinkFailed = false;
        std::string sinkFailure;
    };
    auto shared = std::make_shared<Shared>();
    Outcome outcome;

    auto cryptor = factory([shared, sink](VLCryptor&, base::Data& chunk) {
        std::lock_guard lock(shared->mutex);
        if (shared->sinkFailed || chunk.empty() || sink(chunk)) return;
        shared->sinkFailed = true;
        shared->sinkFailure = std::string("cannot write output: ") + std::strerror(errno);
    });
    if (!cryptor) {
        outcome.error = base::Error{kVLCryptorErrorDomain, 0, "the cipher refused the key"};
        return outcome;
    }
    auto sinkFailed = [&] {
        std::lock_guard lock(shared->mutex);
        return shared->sinkFailed;
    };

    ProgressLine progress(inputFd, progressLabel);
    for (;;) {
        base::Data chunk(kChunkSize);
        const ssize_t got = readChunk(inputFd, chunk);
        if (got < 0) {
            outcome.ioFailure = std::string("cannot read input: ") + std::strerror(errno);
            break;
        }
        if (got == 0) break;
        chunk.resize(static_cast<std::size_t>(got));
        if (!outcome.firstByte) outcome.firstByte = chunk.front();
        outcome.bytesRead += chunk.size();
        cryptor->addData(std::move(chunk));
        // One chunk in flight: the next is read only once this one has been handed on.
        cryptor->waitForQueuedWork();
        progress.update(outcome.bytesRead);
        if (cryptor->finished() || sinkFailed()) break;
    }
    if (!outcome.ioFailure.empty()) return outcome;
    cryptor->finish();
    cryptor->waitForQueuedWork();
    if (sinkFailed()) {
        outcome.ioFailure = shared->sinkFailure;
        return outcome;
    }
    outcome.error = cryptor->error();
    return outcome;
}

std::string ContainerStream::describeFailure(const Outcome& outcome) {
    if (!outcome.ioFailure.empty()) return outcome.ioFailure;
    if (!outcome.error) return {};
    switch (outcome.error->code) {
        case kVLCryptorHMACMismatch:
            return "authentication failed: wrong password or key, or the container has been altered";
        case kVLCryptorUnknownHeader:
            if (outcome.bytesRead < 2 ||
                (outcome.firstByte && (*outcome.firstByte == 2 || *outcome.firstByte == 3))) {
                return "not a container: the input ends inside the header";
            }
            return "not a container of a known version (version byte " + std::to_string(*outcome.firstByte) +
                   "; versions 2 and 3 are known)";
        case kVLCryptorKeysAndPasswordSet:
            return "the container is sealed with a password; open it with --password or --password-file";
        case kVLCryptorMissingKey:
            return "the container is sealed with keys; open it with --key and --hmac-key";
        default: {
            const std::string& description = outcome.error->description;
            return "the cipher failed (status " + std::to_string(outcome.error->code) + ")" +
                   (description.empty() ? "" : ": " + description);
        }
    }
}
