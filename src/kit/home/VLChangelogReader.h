#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "base/Result.h"
#include "base/Value.h"
#include "home/VLChangelogRelease.h"

// Reads a tweak's changelog document: a property list (XML or binary) whose root is an array
// of release dictionaries with the strings "Date", "Month", "Year" and "Version", the entry
// texts "ChangelogDescription" and their parallel category codes "updateCategories" (numbers,
// or strings holding one, read as 32-bit integers).
//
// Releases of any shape are read without failing: a missing or non-string text is empty, an
// element that is not a dictionary is a release with nothing in it, a non-string entry is an
// empty line. Without "updateCategories" every entry is an initial release (code 0); with a
// list shorter than the entries, the entries past its end get no category. The two characters
// backslash and n in an entry stand for a line break.
class VLChangelogReader {
public:
    static constexpr const char* kErrorDomain = "VLChangelogReader";
    enum ErrorCode : long { NotAPropertyList = 1, NotAnArray, NoReleases };
    // What entries past the end of "updateCategories" get: no category at all.
    static constexpr std::int32_t kNoCategory = -1;

    static base::Result<std::vector<VLChangelogRelease>> read(std::span<const std::uint8_t> document);
    static base::Result<std::vector<VLChangelogRelease>> releases(const base::Value& document);

private:
    static VLChangelogRelease release(const base::Value& dictionary);
};
