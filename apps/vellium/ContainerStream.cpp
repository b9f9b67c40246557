#include "ContainerStream.h"

#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
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

namespace {

// What the reader and the sink share: how far each has come, and why the sink stopped.
struct Flow {
    std::mutex mutex;
    std::condition_variable drained;
    std::uint64_t bytesFed = 0;
    std::uint64_t bytesOut = 0;
    bool readerWaits = false;
    bool finished = false;
    bool sinkFailed = false;
    std::string sinkFailure;

    std::uint64_t inFlight() const { return bytesFed > bytesOut ? bytesFed - bytesOut : 0; }
};

}  // namespace

ContainerStream::Outcome ContainerStream::run(const Factory& factory, int inputFd, const Sink& sink,
                                              const std::string& progressLabel) {
    // Every block read is a fresh allocation, freed on a cryptor queue once used. Left to
    // glibc's defaults, blocks of this size come from new mappings, or from heap memory that
    // is handed back to the kernel as soon as it is free, so every block faults its pages in
    // again: a third of the command's time on a large input. Kept in the heap, the same few
    // blocks' worth of memory is reused; the window bounds how much that is.
    mallopt(M_MMAP_THRESHOLD, static_cast<int>(4 * kChunkSize));
    mallopt(M_TRIM_THRESHOLD, static_cast<int>(8 * kWindow));
    auto flow = std::make_shared<Flow>();
    Outcome outcome;

    auto cryptor = factory([flow, sink](VLCryptor& cryptor, base::Data& chunk) {
        const bool written = flow->sinkFailed || chunk.empty() || sink(chunk);
        std::lock_guard lock(flow->mutex);
        if (!written && !flow->sinkFailed) {
            flow->sinkFailed = true;
            flow->sinkFailure = std::string("cannot write output: ") + std::strerror(errno);
        }
        flow->bytesOut += chunk.size();
        flow->finished = cryptor.finished();
        // The reader is woken once half the window has drained, not for every chunk.
        const bool stop = flow->finished || flow->sinkFailed;
        if (flow->readerWaits && (stop || flow->inFlight() <= kWindow / 2)) flow->drained.notify_one();
    });
    if (!cryptor) {
        outcome.error = base::Error{kVLCryptorErrorDomain, 0, "the cipher refused the key"};
        return outcome;
    }

    // 1. Read and feed, waiting while the window is full.
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
        std::unique_lock lock(flow->mutex);
        flow->bytesFed += chunk.size();
        lock.unlock();
        cryptor->addData(std::move(chunk));
        progress.update(outcome.bytesRead);
        lock.lock();
        flow->readerWaits = true;
        flow->drained.wait(lock,
                           [&] { return flow->finished || flow->sinkFailed || flow->inFlight() <= kWindow; });
        flow->readerWaits = false;
        if (flow->finished || flow->sinkFailed) break;
    }

    // 2. Finish and wait for the final call (a cryptor that failed has made it already).
    if (outcome.ioFailure.empty()) cryptor->finish();
    cryptor->waitForQueuedWork();
    std::lock_guard lock(flow->mutex);
    if (!outcome.ioFailure.empty()) return outcome;
    if (flow->sinkFailed) {
        outcome.ioFailure = flow->sinkFailure;
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
