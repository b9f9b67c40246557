#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>

#include "base/Result.h"

namespace base {

// Replaces a file's contents all at once: the bytes go to a temporary file in the same
// directory, which is flushed to disk and renamed over the target, and the directory is
// flushed too. A reader sees the old file or the new one, never a part of either, even if
// the writer dies half-way; the temporary is removed when writing fails. An existing
// target keeps its permission bits; a new one gets 0666 less the umask. A symbolic link at
// the target is replaced, not followed. Errors are in the domain Files::kErrorDomain.
class AtomicFile {
public:
    static Result<void> write(const std::filesystem::path& path, std::span<const std::uint8_t> contents);
    static Result<void> write(const std::filesystem::path& path, std::string_view contents);

    // The process id of the writer whose temporary file has this name; nothing when the name
    // is not exactly of the form `write` gives them: "." target "." pid "." counter "."
    // random ".tmp". With `targetSuffix`, the target's name must also end with it.
    static std::optional<pid_t> temporaryFileWriter(std::string_view name,
                                                    std::string_view targetSuffix = {});
};

}  // namespace base
