#pragma once

#include <filesystem>
#include <span>

#include "base/Result.h"
#include "base/Value.h"

namespace base {

// Property-list input and output (XML and binary) through libplist. Bad input never
// throws: it comes back as an error in the domain `kErrorDomain`.
class PropertyList {
public:
    static constexpr const char* kErrorDomain = "base.PropertyList";
    enum ErrorCode : long { kUnreadable = 1, kMalformed = 2, kUnwritable = 3 };
    enum class Format { Xml, Binary };

    // Reads XML or binary (told apart by the content), with a root of any type.
    static Result<Value> parse(std::span<const std::uint8_t> bytes);
    static Result<Value> readFile(const std::filesystem::path& path);

    static Result<Data> serialize(const Value& value, Format format);
    // Writes the file atomically (see AtomicFile): a reader sees the old or the new file.
    static Result<void> writeFile(const Value& value, const std::filesystem::path& path,
                                  Format format = Format::Xml);
};

}  // namespace base
