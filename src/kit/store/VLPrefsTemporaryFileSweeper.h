#pragma once

#include <chrono>
#include <filesystem>
#include <string_view>

// Removes the temporary files that atomic writers killed between creating and renaming
// them leave behind (see base::AtomicFile), each as large as the file it was to replace.
//
// A temporary file is abandoned when its writer's process is gone, or when it is older
// than kAbandonedAge: on a folder shared between machines a process id means nothing, and
// no write takes that long. Files of this process, of a live process and every name that
// is not exactly an atomic writer's temporary name for a target ending in the given
// suffix are left alone. Call it with the directory's lock held, so no writer using the
// lock is between creating and renaming its file.
class VLPrefsTemporaryFileSweeper {
public:
    static constexpr std::chrono::hours kAbandonedAge{1};

    static void sweep(const std::filesystem::path& directory, std::string_view targetSuffix);
};
