#include "base/PropertyList.h"

#include <plist/plist.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <string>

#include "base/AtomicFile.h"
#include "base/BinaryPropertyListEncoder.h"
#include "base/Files.h"
#include "base/PropertyListLimits.h"
#include "base/Utf8.h"

// libplist 2.2 notes that shape this file:
// - Its output functions leave their out-pointers alone on failure: they start at NULL.
// - Values are written by encoding them as a binary property list and letting libplist
//   parse that into its tree (see BinaryPropertyListEncoder for why).
// - Integers are one 64-bit field plus a width: a value above INT64_MAX is negative when
//   the width is 8 bytes and unsigned when it is 16.
// - Dates are doubles inside, but the accessors pass int32 seconds (years 1933 to 2069) and
//   lose the sign of dates in the second before 2001. Exact dates go through binary form.

namespace base {
namespace {

constexpr std::string_view kBinaryMagic = "bplist00";
constexpr const char* kUidKey = "CF$UID";

struct NodeDeleter {
    void operator()(plist_t node) const { plist_free(node); }
};
using Node = std::unique_ptr<void, NodeDeleter>;

Error malformed(std::string description) {
    return Error{PropertyList::kErrorDomain, PropertyList::kMalformed, std::move(description)};
}

Error unwritable(std::string description) {
    return Error{PropertyList::kErrorDomain, PropertyList::kUnwritable, std::move(description)};
}

// --- Dates ---

// The exact date of a date node. Whole seconds come from the accessor when a node made
// from them compares equal (the comparison is bitwise); anything else is read back from the
// node's binary form.
Date dateOf(plist_t node) {
    std::int32_t seconds = 0, microseconds = 0;
    plist_get_date_val(node, &seconds, &microseconds);
    if (microseconds == 0 && seconds != std::numeric_limits<std::int32_t>::min()) {
        Node probe(plist_new_date(seconds, 0));
        if (plist_compare_node_value(node, probe.get())) return Date(seconds);
    }
    char* bytes = nullptr;
    std::uint32_t length = 0;
    plist_to_bin(node, &bytes, &length);
    std::unique_ptr<char, void (*)(char*)> owner(bytes, plist_to_bin_free);
    const std::size_t object = kBinaryMagic.size();
    if (bytes && length >= object + 9 && static_cast<unsigned char>(bytes[object]) == 0x33) {
        std::uint64_t bits = 0;
        for (std::size_t i = 1; i <= 8; ++i)
            bits = (bits << 8) | static_cast<unsigned char>(bytes[object + i]);
        double exact;
        std::memcpy(&exact, &bits, sizeof exact);
        return Date(exact);
    }
    return Date(seconds);  // not expected
}

// --- Integers ---

Value integerOf(plist_t node) {
    std::uint64_t bits = 0;
    plist_get_uint_val(node, &bits);
    if (bits <= std::uint64_t(std::numeric_limits<std::int64_t>::max())) return Value(std::int64_t(bits));
    // Above INT64_MAX: a negative number unless the node has the unsigned width, which a
    // plain (signed-width) node of the same bits tells apart.
    Node probe(plist_new_uint(bits));
    if (plist_compare_node_value(node, probe.get())) return Value(static_cast<long long>(bits));
    return Value(static_cast<unsigned long long>(bits));
}

// --- libplist tree to Value ---

class TreeReader {
public:
    // Sets `error_` and returns an absent value on failure.
    Value read(plist_t node, std::size_t depth) {
        if (depth > PropertyListLimits::kMaxDepth) return fail("nested too deeply");
        switch (plist_get_node_type(node)) {
            case PLIST_BOOLEAN: {
                std::uint8_t boolean = 0;
                plist_get_bool_val(node, &boolean);
                return Value(boolean != 0);
            }
            case PLIST_UINT:
                return integerOf(node);
            case PLIST_REAL: {
                double real = 0;
                plist_get_real_val(node, &real);
                return Value(real);
            }
            case PLIST_STRING: {
                std::uint64_t length = 0;
                const char* text = plist_get_string_ptr(node, &length);
                return Value(Utf8::repaired(std::string_view(text ? text : "", text ? length : 0)));
            }
            case PLIST_DATA: {
                std::uint64_t length = 0;
                const auto* bytes = reinterpret_cast<const std::uint8_t*>(plist_get_data_ptr(node, &length));
                return bytes ? Value(Data(bytes, bytes + length)) : Value(Data());
            }
            case PLIST_DATE:
                return Value(dateOf(node));
            case PLIST_ARRAY:
                return readArray(node, depth);
            case PLIST_DICT:
                return readDictionary(node, depth);
            case PLIST_UID: {
                // Keyed archives' object references read as they are written in XML.
                std::uint64_t uid = 0;
                plist_get_uid_val(node, &uid);
                return Value(Value::Dictionary{{kUidKey, Value(static_cast<unsigned long long>(uid))}});
            }
            default:
                return fail("unexpected node type");
        }
    }

    const std::string& error() const { return error_; }

private:
    Value fail(std::string message) {
        if (error_.empty()) error_ = std::move(message);
        return Value();
    }

    Value readArray(plist_t node, std::size_t depth) {
        Value::Array array;
        array.reserve(plist_array_get_size(node));
        plist_array_iter iterator = nullptr;
        plist_array_new_iter(node, &iterator);
        for (;;) {
            plist_t item = nullptr;
            plist_array_next_item(node, iterator, &item);
            if (!item) break;
            array.push_back(read(item, depth + 1));
            if (!error_.empty()) break;
        }
        std::free(iterator);
        return Value(std::move(array));
    }

    Value readDictionary(plist_t node, std::size_t depth) {
        Value::Dictionary dictionary;
        plist_dict_iter iterator = nullptr;
        plist_dict_new_iter(node, &iterator);
        for (;;) {
            char* key = nullptr;
            plist_t item = nullptr;
            plist_dict_next_item(node, iterator, &key, &item);
            std::unique_ptr<char, void (*)(void*)> keyOwner(key, std::free);
            if (!item) break;
            Value value = read(item, depth + 1);
            if (!error_.empty()) break;
            std::string name = key ? key : "";
            if (!Utf8::isValid(name)) name = Utf8::repaired(name);
            insert(dictionary, std::move(name), std::move(value));
        }
        std::free(iterator);
        return Value(std::move(dictionary));
    }

    // Files are usually written with sorted keys, which go in at the end in constant time.
    // A repeated key keeps its last value.
    static void insert(Value::Dictionary& dictionary, std::string&& name, Value&& value) {
        if (dictionary.empty() || dictionary.rbegin()->first < name) {
            dictionary.emplace_hint(dictionary.end(), std::move(name), std::move(value));
            return;
        }
        dictionary.insert_or_assign(std::move(name), std::move(value));
    }

    std::string error_;
};

Result<Value> parseChecked(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) return malformed("empty input");
    if (bytes.size() > std::numeric_limits<std::uint32_t>::max()) return malformed("input larger than 4 GiB");
    const char* text = reinterpret_cast<const char*>(bytes.data());
    const auto length = std::uint32_t(bytes.size());
    const bool binary = std::string_view(text, std::min<std::size_t>(length, 8)) == kBinaryMagic;
    plist_t root = nullptr;
    if (binary) {
        if (!PropertyListLimits::binaryWithinLimits(bytes))
            return malformed("binary property list out of limits");
        plist_from_bin(text, length, &root);
    } else {
        if (!PropertyListLimits::xmlWithinLimits(bytes))
            return malformed("XML property list nested too deeply");
        plist_from_xml(text, length, &root);
    }
    if (!root)
        return malformed(binary ? "not a valid binary property list" : "not a valid XML property list");
    Node owner(root);
    TreeReader reader;
    Value value = reader.read(root, 0);
    if (!reader.error().empty()) return malformed(reader.error());
    return value;
}

}  // namespace

// Allocation failure comes back as an error like any other bad input: a caller showing a
// settings screen must not be taken down by a file it happened to read.
Result<Value> PropertyList::parse(std::span<const std::uint8_t> bytes) {
    try {
        return parseChecked(bytes);
    } catch (const std::bad_alloc&) {
        return malformed("out of memory");
    }
}

Result<Value> PropertyList::readFile(const std::filesystem::path& path) {
    Result<Data> contents = Files::readFile(path);
    if (!contents) return Error{kErrorDomain, kUnreadable, contents.error().description};
    Result<Value> value = parse(contents.value());
    if (!value) return Error{kErrorDomain, kMalformed, path.string() + ": " + value.error().description};
    return value;
}

Result<Data> PropertyList::serialize(const Value& value, Format format) {
    Data binary;
    BinaryPropertyListEncoder encoder(PropertyListLimits::kMaxDepth);
    if (!encoder.encode(value, binary)) return unwritable(encoder.error());
    if (binary.size() > std::numeric_limits<std::uint32_t>::max()) return unwritable("larger than 4 GiB");
    plist_t tree = nullptr;
    plist_from_bin(reinterpret_cast<const char*>(binary.data()), std::uint32_t(binary.size()), &tree);
    if (!tree) return unwritable("libplist could not take the encoded value");
    Node root(tree);
    char* bytes = nullptr;  // libplist 2.2 leaves it untouched when it fails
    std::uint32_t length = 0;
    if (format == Format::Xml) {
        plist_to_xml(root.get(), &bytes, &length);
    } else {
        plist_to_bin(root.get(), &bytes, &length);
    }
    if (!bytes) return unwritable("libplist could not serialize the value");
    Data data(reinterpret_cast<const std::uint8_t*>(bytes),
              reinterpret_cast<const std::uint8_t*>(bytes) + length);
    if (format == Format::Xml) {
        plist_to_xml_free(bytes);
    } else {
        plist_to_bin_free(bytes);
    }
    return data;
}

Result<void> PropertyList::writeFile(const Value& value, const std::filesystem::path& path, Format format) {
    Result<Data> bytes = serialize(value, format);
    if (!bytes) return bytes.error();
    Result<void> written = AtomicFile::write(path, bytes.value());
    if (!written) return Error{kErrorDomain, kUnwritable, written.error().description};
    return {};
}

}  // namespace base
