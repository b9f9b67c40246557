#include "base/PropertyList.h"

#include <plist/plist.h>

#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <string>

#include "base/AtomicFile.h"
#include "base/Files.h"
#include "base/PropertyListLimits.h"

// libplist 2.2 notes that shape this file:
// - Its output functions leave their out-pointers alone on failure: they start at NULL.
// - Integers are one 64-bit field plus a width: a value above INT64_MAX is negative when
//   the width is 8 bytes and unsigned when it is 16. Only its parsers make 16-byte nodes.
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

// --- UTF-8 ---

// The length of the well-formed UTF-8 sequence at `text[at]`, or 0 (overlong forms,
// surrogates and code points above U+10FFFF are not well formed).
std::size_t utf8SequenceLength(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) return 1;
    std::size_t length;
    unsigned char low = 0x80, high = 0xBF;  // range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (text.size() - at < length) return 0;
    if (byte(at + 1) < low || byte(at + 1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) return 0;
    }
    return length;
}

bool isValidUtf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        // ASCII runs are the common case.
        if (static_cast<unsigned char>(text[at]) < 0x80) {
            ++at;
            continue;
        }
        const std::size_t length = utf8SequenceLength(text, at);
        if (length == 0) return false;
        at += length;
    }
    return true;
}

// Strings are UTF-8: each ill-formed byte becomes U+FFFD.
std::string validUtf8(std::string_view text) {
    if (isValidUtf8(text)) return std::string(text);
    std::string repaired;
    repaired.reserve(text.size() + 8);
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = utf8SequenceLength(text, at);
        if (length == 0) {
            repaired += "\xEF\xBF\xBD";
            ++at;
        } else {
            repaired.append(text, at, length);
            at += length;
        }
    }
    return repaired;
}

// --- Dates ---

void appendBigEndian(std::string& out, std::uint64_t value, std::size_t size) {
    for (std::size_t i = size; i-- > 0;) out.push_back(char((value >> (8 * i)) & 0xFF));
}

// A one-object binary property list holding `seconds` as a date: header, the object (0x33
// and a big-endian double), the offset table and the trailer.
std::string binaryDate(double seconds) {
    std::uint64_t bits;
    std::memcpy(&bits, &seconds, sizeof bits);
    std::string bytes(kBinaryMagic);
    bytes.push_back(char(0x33));
    appendBigEndian(bytes, bits, 8);
    bytes.push_back(char(kBinaryMagic.size()));  // the offset table: object 0 at byte 8
    bytes.append(6, '\0');
    bytes.push_back(1);                                  // offset size
    bytes.push_back(1);                                  // reference size
    appendBigEndian(bytes, 1, 8);                        // objects
    appendBigEndian(bytes, 0, 8);                        // root
    appendBigEndian(bytes, kBinaryMagic.size() + 9, 8);  // offset table position
    return bytes;
}

Node dateNode(Date date) {
    const std::string bytes = binaryDate(date.timeIntervalSinceReferenceDate());
    plist_t node = nullptr;
    plist_from_bin(bytes.data(), std::uint32_t(bytes.size()), &node);
    return Node(node);
}

// The exact date of a date node, read back from its binary form.
Date dateOf(plist_t node) {
    char* bytes = nullptr;
    std::uint32_t length = 0;
    plist_to_bin(node, &bytes, &length);
    std::unique_ptr<char, void (*)(char*)> owner(bytes, plist_to_bin_free);
    const std::size_t object = kBinaryMagic.size();
    if (bytes && length >= object + 9 && static_cast<unsigned char>(bytes[object]) == 0x33) {
        std::uint64_t bits = 0;
        for (std::size_t i = 1; i <= 8; ++i)
            bits = (bits << 8) | static_cast<unsigned char>(bytes[object + i]);
        double seconds;
        std::memcpy(&seconds, &bits, sizeof seconds);
        return Date(seconds);
    }
    // Not expected; the accessor is right to the microsecond inside its range.
    std::int32_t seconds = 0, microseconds = 0;
    plist_get_date_val(node, &seconds, &microseconds);
    return Date(seconds + microseconds / 1e6);
}

// --- Integers ---

// An integer node holding `value` above INT64_MAX as unsigned: only the parser makes those.
Node unsignedIntegerNode(std::uint64_t value) {
    const std::string xml = "<plist><integer>" + std::to_string(value) + "</integer></plist>";
    plist_t node = nullptr;
    plist_from_xml(xml.data(), std::uint32_t(xml.size()), &node);
    return Node(node);
}

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
                return Value(validUtf8(std::string_view(text ? text : "", text ? length : 0)));
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
            // Files are usually written with sorted keys: the hint makes each insert O(1).
            // A repeated key keeps its last value.
            std::string name = validUtf8(key ? key : "");
            auto slot = dictionary.lower_bound(name);
            if (slot != dictionary.end() && slot->first == name) {
                slot->second = std::move(value);
            } else {
                dictionary.emplace_hint(slot, std::move(name), std::move(value));
            }
        }
        std::free(iterator);
        return Value(std::move(dictionary));
    }

    std::string error_;
};

// --- Value to libplist tree ---

class TreeWriter {
public:
    // Null with `error_` set on failure.
    Node write(const Value& value, std::size_t depth) {
        if (depth > PropertyListLimits::kMaxDepth) return fail("nested too deeply");
        switch (value.type()) {
            case Value::Type::Absent:
                return fail("an absent value cannot be written");
            case Value::Type::Boolean:
                return Node(plist_new_bool(*value.asBoolean() ? 1 : 0));
            case Value::Type::Integer:
                if (value.isUnsignedInteger()) return unsignedIntegerNode(value.unsignedIntegerValue());
                return Node(plist_new_uint(std::uint64_t(value.longLongValue())));
            case Value::Type::Real:
                return Node(plist_new_real(value.doubleValue()));
            case Value::Type::String: {
                std::string text;
                if (!cString(*value.asString(), text)) return Node();
                return Node(plist_new_string(text.c_str()));
            }
            case Value::Type::Data: {
                static const char kNothing = 0;
                const Data& data = *value.asData();
                const char* bytes = data.empty() ? &kNothing : reinterpret_cast<const char*>(data.data());
                return Node(plist_new_data(bytes, data.size()));
            }
            case Value::Type::Date:
                return dateNode(*value.asDate());
            case Value::Type::Array:
                return writeArray(*value.asArray(), depth);
            case Value::Type::Dictionary:
                return writeDictionary(*value.asDictionary(), depth);
        }
        return fail("unknown value type");
    }

    const std::string& error() const { return error_; }

private:
    Node fail(std::string message) {
        if (error_.empty()) error_ = std::move(message);
        return Node();
    }

    // libplist takes C strings: a NUL inside would silently cut the text, so it is refused.
    bool cString(const std::string& text, std::string& out) {
        if (text.find('\0') != std::string::npos) {
            fail("a string contains a NUL character");
            return false;
        }
        out = validUtf8(text);
        return true;
    }

    Node writeArray(const Value::Array& array, std::size_t depth) {
        Node node(plist_new_array());
        for (const Value& element : array) {
            Node child = write(element, depth + 1);
            if (!child) return Node();
            plist_array_append_item(node.get(), child.release());
        }
        return node;
    }

    Node writeDictionary(const Value::Dictionary& dictionary, std::size_t depth) {
        Node node(plist_new_dict());
        std::string key;
        for (const auto& [name, element] : dictionary) {
            if (!cString(name, key)) return Node();
            Node child = write(element, depth + 1);
            if (!child) return Node();
            plist_dict_set_item(node.get(), key.c_str(), child.release());
        }
        return node;
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

Result<Value> PropertyList::parse(std::span<const std::uint8_t> bytes) { return parseChecked(bytes); }

Result<Value> PropertyList::readFile(const std::filesystem::path& path) {
    Result<Data> contents = Files::readFile(path);
    if (!contents) return Error{kErrorDomain, kUnreadable, contents.error().description};
    Result<Value> value = parse(contents.value());
    if (!value) return Error{kErrorDomain, kMalformed, path.string() + ": " + value.error().description};
    return value;
}

Result<Data> PropertyList::serialize(const Value& value, Format format) {
    TreeWriter writer;
    Node root = writer.write(value, 0);
    if (!root) return unwritable(writer.error());
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
