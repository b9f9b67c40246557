#pragma once

#include <filesystem>
#include <span>

#include "base/Result.h"
#include "base/Value.h"

namespace base {

// Property-list input and output (XML and binary) through libplist. Bad input never
// throws: it comes back as an error in the domain `kErrorDomain`.
//
// - Dates are seconds since 2001-01-01 UTC. Binary files keep them exactly; XML stores whole
//   seconds, as the format does.
// - Integers above INT64_MAX (binary files may hold them) stay unsigned both ways.
// - Strings are UTF-8: ill-formed bytes read or written become U+FFFD. libplist takes C
//   strings, so a string or key holding NUL cannot be written (kUnwritable).
// - Keyed-archive references (binary UID objects) read as {"CF$UID": n}, as XML writes them.
// - Of repeated dictionary keys the last wins.
// - Input nested deeper than PropertyListLimits::kMaxDepth, binary object graphs with cycles
//   or that expand far beyond their size (or beyond PropertyListLimits::kMaxExpandedBytes),
//   and binary keys holding NUL are kMalformed; so is input that runs out of memory.
class PropertyList {
public:
    static constexpr const char* kErrorDomain = "base.PropertyList";
    enum ErrorCode : long { kUnreadable = 1, kMalformed = 2, kUnwritable = 3 };
    enum class Format { Xml, Binary };

    // Reads XML or binary (told apart by the content), with a root of any type.
    static Result<Value> parse(std::span<const std::uint8_t> bytes);
    static Result<Value> readFile(const std::filesystem::path& path);

    // An absent value (also inside an array) cannot be written: kUnwritable.
    static Result<Data> serialize(const Value& value, Format format);
    // Writes the file atomically (see AtomicFile): a reader sees the old or the new file.
    static Result<void> writeFile(const Value& value, const std::filesystem::path& path,
                                  Format format = Format::Xml);
};

}  // namespace base
