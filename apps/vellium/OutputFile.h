#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "base/Value.h"

// Where a container command writes: standard output, or a temporary file next to the
// destination that replaces it only on commit, so a failed run never leaves a partial file
// (or, for `open`, plaintext that failed authentication).
class OutputFile {
public:
    // Standard output when `path` is empty. Throws ContainerFailure when the temporary file
    // cannot be created.
    explicit OutputFile(const std::string& path);
    ~OutputFile();  // removes the temporary file unless committed
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // False (with errno set) when the write fails.
    bool write(std::span<const std::uint8_t> bytes);
    // Writes all of `bytes` to `fd`, retrying short and interrupted writes; false (with errno
    // set) when a write fails.
    static bool writeAll(int fd, std::span<const std::uint8_t> bytes);
    // Flushes and moves the temporary file into place; throws ContainerFailure on failure.
    void commit();

private:
    std::string path_;
    std::string temporaryPath_;
    int fd_ = 1;
    bool committed_ = false;
};
