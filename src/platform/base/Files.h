#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "base/Result.h"
#include "base/Value.h"

namespace base {

// Small file-system operations with failures as results. Errors are in the domain
// `kErrorDomain` with the `errno` value as their code.
class Files {
public:
    static constexpr const char* kErrorDomain = "base.Files";
    // readFile refuses files larger than this by default (EFBIG): a stray device or a
    // runaway file must not exhaust memory.
    static constexpr std::uint64_t kDefaultReadLimit = std::uint64_t(256) << 20;

    static bool exists(const std::filesystem::path& path);
    static bool isDirectory(const std::filesystem::path& path);
    // Removes a file or an empty directory; a missing path is an error (ENOENT).
    static Result<void> remove(const std::filesystem::path& path);
    // The names in a directory, sorted, without "." and "..".
    static Result<std::vector<std::string>> listDirectory(const std::filesystem::path& path);
    // The whole contents of a regular file (others: EISDIR or EINVAL, never blocking; a FIFO
    // or device is refused at once). Allocation failure is ENOMEM. The one reader for files
    // named by outside input.
    static Result<Data> readFile(const std::filesystem::path& path, std::uint64_t limit = kDefaultReadLimit);
    // Creates the directory and any missing parents; an existing directory is success.
    static Result<void> createDirectories(const std::filesystem::path& path);

    // An error of this domain for `errorNumber`, naming what failed on which path.
    static Error error(int errorNumber, std::string_view action, const std::filesystem::path& path);

private:
    // Reads an open regular file of about `size` bytes; more than `limit` is EFBIG.
    static Result<Data> readOpenFile(int file, const std::filesystem::path& path, std::uint64_t size,
                                     std::uint64_t limit);
};

}  // namespace base
