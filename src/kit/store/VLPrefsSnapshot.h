#pragma once

#include <filesystem>
#include <string>

#include "base/Value.h"

// What one read of a preference file found: no file, a dictionary, or a file that exists
// but cannot be used (unreadable, malformed, not a dictionary at its root).
struct VLPrefsSnapshot {
    enum class State { Missing, Dictionary, Unusable };

    State state = State::Missing;
    base::Value dictionary;  // the entries; empty unless state is Dictionary
    std::string problem;     // why the file is unusable, for the log

    // The entries a getter sees: unusable files read as empty.
    const base::Value& entries() const { return dictionary; }

    // The result of loading, and whether a change monitor on the directory is sure to see
    // every later change of what was read (false for symbolic links, files with several
    // links and transient errors, which must be read afresh every time).
    struct Loaded;

    // Reads `name` inside the open directory `directoryFd` without following a final
    // symbolic link; a link is read through, but reported as not cacheable.
    static Loaded loadAt(int directoryFd, const std::string& name);
    static Loaded load(const std::filesystem::path& path);
};

struct VLPrefsSnapshot::Loaded {
    VLPrefsSnapshot snapshot;
    bool cacheable = false;
};
