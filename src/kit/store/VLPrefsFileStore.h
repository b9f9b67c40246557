#pragma once

#include <string_view>

#include "base/Result.h"
#include "base/Value.h"
#include "store/VLPrefsReadCache.h"

// Reading and rewriting whole preference files, by identifier. Identifiers must already
// have been checked (VLPrefsPaths::isSafeSegment).
//
// Reads go through a cache that a change monitor keeps honest. Every rewrite happens under
// the preference directory's lock, so writers using the store never lose each other's
// entries; the file is replaced atomically, so a reader (or a writer killed halfway)
// never leaves or sees half a file.
class VLPrefsFileStore {
public:
    // The file's entries, a dictionary; an absent value (which has no keys either) when
    // there is no file or it is unusable.
    base::Value entries(std::string_view identifier);

    // Reads the file, sets the entry `key` to `value` (an absent value removes it) and
    // writes the whole file back, even when nothing changed. Nothing is written, one line
    // is logged and the error says why, when the key or value cannot be stored, when the
    // directory's lock cannot be had, when the existing file is unusable (its entries would
    // be lost) or when the write fails; the old file then stays as it was. Entries other
    // than `key` are written back exactly as read.
    base::Result<void> update(std::string_view identifier, std::string_view key, const base::Value& value);

private:
    VLPrefsReadCache cache_;
};
