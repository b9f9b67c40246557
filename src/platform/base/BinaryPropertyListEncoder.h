#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/Value.h"

namespace base {

// Encodes a Value as a binary property list ("bplist00"), each object written once per
// occurrence (nothing shared). PropertyList hands the bytes to libplist's binary parser to
// get its tree: libplist 2.2 can only build dictionaries through plist_dict_set_item, which
// searches every key already there, while its parser appends entries directly; the format
// also carries what libplist's constructors cannot make (unsigned integers above INT64_MAX,
// dates outside int32 seconds or with sub-microsecond fractions).
//
// Ill-formed UTF-8 in strings and keys becomes U+FFFD. A string or key holding NUL (which
// libplist's C strings cannot carry), an absent value and nesting deeper than `maxDepth`
// fail with a message.
class BinaryPropertyListEncoder {
public:
    explicit BinaryPropertyListEncoder(std::size_t maxDepth) : maxDepth_(maxDepth) {}

    // False with `error()` set when the value cannot be encoded.
    bool encode(const Value& root, Data& out);
    const std::string& error() const { return error_; }

private:
    bool countObjects(const Value& value, std::size_t depth);
    std::uint64_t writeObject(const Value& value);
    void writeString(const std::string& text);
    void writeMarkerAndCount(std::uint8_t kind, std::uint64_t count);
    void writeInteger(const Value& value);
    void writeBigEndian(std::uint64_t value, std::size_t size);
    void writeReferences(std::size_t first);
    std::uint64_t finishObject(std::size_t offset);

    std::size_t maxDepth_;
    std::string error_;
    Data* out_ = nullptr;
    std::uint64_t objectCount_ = 0;
    std::uint64_t contentBytes_ = 0;  // bytes of all strings, keys and data
    std::size_t referenceSize_ = 1;
    std::vector<std::uint64_t> offsets_;
    std::vector<std::uint64_t> pendingReferences_;  // children of the containers being written
};

}  // namespace base
