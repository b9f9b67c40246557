#include "base/BinaryPropertyListEncoder.h"

#include <cstring>
#include <limits>
#include <string_view>

#include "base/Utf8.h"

// Layout: "bplist00", the objects, a table of object offsets, a 32-byte trailer (6 unused
// bytes, offset size, reference size, then object count, root object and offset-table
// position as 64-bit big-endian numbers). A marker byte starts each object: its high
// nibble is the type, its low nibble a count (0xF: an integer object with the count
// follows). Children are written before their container, so its references are known.

namespace base {
namespace {

constexpr std::string_view kMagic = "bplist00";
constexpr std::uint8_t kFalse = 0x08, kTrue = 0x09, kInteger = 0x10, kReal = 0x20, kDate = 0x30;
constexpr std::uint8_t kData = 0x40, kAsciiString = 0x50, kUtf16String = 0x60, kArray = 0xA0,
                       kDictionary = 0xD0;

std::size_t bytesFor(std::uint64_t value) {
    if (value <= 0xFF) return 1;
    if (value <= 0xFFFF) return 2;
    if (value <= 0xFFFFFFFF) return 4;
    return 8;
}

bool isAscii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

// The UTF-16 code units of well-formed UTF-8.
std::u16string utf16Of(std::string_view text) {
    std::u16string units;
    units.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = Utf8::sequenceLength(text, at);
        const auto byte = [&](std::size_t i) {
            return std::uint32_t(static_cast<unsigned char>(text[at + i]));
        };
        std::uint32_t codePoint =
            length == 1   ? byte(0)
            : length == 2 ? (byte(0) & 0x1F) << 6 | (byte(1) & 0x3F)
            : length == 3
                ? (byte(0) & 0x0F) << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F)
                : (byte(0) & 0x07) << 18 | (byte(1) & 0x3F) << 12 | (byte(2) & 0x3F) << 6 | (byte(3) & 0x3F);
        if (codePoint >= 0x10000) {
            codePoint -= 0x10000;
            units.push_back(char16_t(0xD800 + (codePoint >> 10)));
            units.push_back(char16_t(0xDC00 + (codePoint & 0x3FF)));
        } else {
            units.push_back(char16_t(codePoint));
        }
        at += length;
    }
    return units;
}

}  // namespace

bool BinaryPropertyListEncoder::encode(const Value& root, Data& out) {
    // 1. Count the objects (every key is one) and check what cannot be written.
    objectCount_ = 0;
    contentBytes_ = 0;
    error_.clear();
    if (!countObjects(root, 0)) return false;
    referenceSize_ = bytesFor(objectCount_ - 1);

    // 2. The objects, children first.
    out.clear();
    // An upper bound: marker, count and references per object, UTF-16 doubling text.
    out.reserve(kMagic.size() + objectCount_ * 32 + contentBytes_ * 2 + 32);
    out_ = &out;
    for (char c : kMagic) out.push_back(std::uint8_t(c));
    offsets_.clear();
    offsets_.reserve(objectCount_);
    pendingReferences_.clear();
    const std::uint64_t rootObject = writeObject(root);

    // 3. The offset table and the trailer.
    const std::uint64_t offsetTable = out.size();
    const std::size_t offsetSize = bytesFor(offsetTable);
    for (std::uint64_t offset : offsets_) writeBigEndian(offset, offsetSize);
    writeBigEndian(0, 6);  // unused
    out.push_back(std::uint8_t(offsetSize));
    out.push_back(std::uint8_t(referenceSize_));
    writeBigEndian(objectCount_, 8);
    writeBigEndian(rootObject, 8);
    writeBigEndian(offsetTable, 8);
    out_ = nullptr;
    return true;
}

bool BinaryPropertyListEncoder::countObjects(const Value& value, std::size_t depth) {
    if (depth > maxDepth_) {
        error_ = "nested too deeply";
        return false;
    }
    ++objectCount_;
    const auto acceptable = [&](const std::string& text) {
        contentBytes_ += text.size();
        if (text.find('\0') == std::string::npos) return true;
        error_ = "a string contains a NUL character";
        return false;
    };
    switch (value.type()) {
        case Value::Type::Absent:
            error_ = "an absent value cannot be written";
            return false;
        case Value::Type::String:
            return acceptable(*value.asString());
        case Value::Type::Array:
            for (const Value& element : *value.asArray()) {
                if (!countObjects(element, depth + 1)) return false;
            }
            return true;
        case Value::Type::Dictionary:
            for (const auto& [key, element] : *value.asDictionary()) {
                ++objectCount_;
                if (!acceptable(key) || !countObjects(element, depth + 1)) return false;
            }
            return true;
        default:
            return true;
    }
}

std::uint64_t BinaryPropertyListEncoder::writeObject(const Value& value) {
    switch (value.type()) {
        case Value::Type::Array: {
            const std::size_t first = pendingReferences_.size();
            for (const Value& element : *value.asArray()) pendingReferences_.push_back(writeObject(element));
            const std::size_t offset = out_->size();
            writeMarkerAndCount(kArray, pendingReferences_.size() - first);
            writeReferences(first);
            return finishObject(offset);
        }
        case Value::Type::Dictionary: {
            const Value::Dictionary& dictionary = *value.asDictionary();
            const std::size_t first = pendingReferences_.size();
            for (const auto& entry : dictionary) {
                const std::size_t offset = out_->size();
                writeString(entry.first);
                pendingReferences_.push_back(finishObject(offset));
            }
            for (const auto& entry : dictionary) pendingReferences_.push_back(writeObject(entry.second));
            const std::size_t offset = out_->size();
            writeMarkerAndCount(kDictionary, dictionary.size());
            writeReferences(first);
            return finishObject(offset);
        }
        default:
            break;
    }
    const std::size_t offset = out_->size();
    switch (value.type()) {
        case Value::Type::Boolean:
            out_->push_back(*value.asBoolean() ? kTrue : kFalse);
            break;
        case Value::Type::Integer:
            writeInteger(value);
            break;
        case Value::Type::Real:
        case Value::Type::Date: {
            const double number =
                value.asDate() ? value.asDate()->timeIntervalSinceReferenceDate() : value.doubleValue();
            std::uint64_t bits;
            std::memcpy(&bits, &number, sizeof bits);
            out_->push_back(value.asDate() ? kDate | 3 : kReal | 3);
            writeBigEndian(bits, 8);
            break;
        }
        case Value::Type::String:
            writeString(*value.asString());
            break;
        case Value::Type::Data: {
            const Data& data = *value.asData();
            writeMarkerAndCount(kData, data.size());
            out_->insert(out_->end(), data.begin(), data.end());
            break;
        }
        default:
            break;  // absent values were refused while counting
    }
    return finishObject(offset);
}

// Strings of ASCII characters are stored as bytes, others as UTF-16 big-endian units.
void BinaryPropertyListEncoder::writeString(const std::string& text) {
    if (isAscii(text)) {
        writeMarkerAndCount(kAsciiString, text.size());
        out_->insert(out_->end(), text.begin(), text.end());
        return;
    }
    const std::u16string units = utf16Of(Utf8::isValid(text) ? text : Utf8::repaired(text));
    writeMarkerAndCount(kUtf16String, units.size());
    for (char16_t unit : units) writeBigEndian(unit, 2);
}

void BinaryPropertyListEncoder::writeMarkerAndCount(std::uint8_t kind, std::uint64_t count) {
    if (count < 0x0F) {
        out_->push_back(std::uint8_t(kind | count));
        return;
    }
    out_->push_back(std::uint8_t(kind | 0x0F));
    const std::size_t size = bytesFor(count);
    out_->push_back(std::uint8_t(kInteger | (size == 1 ? 0 : size == 2 ? 1 : size == 4 ? 2 : 3)));
    writeBigEndian(count, size);
}

// Non-negative integers take the fewest of 1, 2, 4 or 8 bytes; negative ones 8 bytes of
// two's complement; unsigned ones above INT64_MAX 16 bytes, the form binary files use.
void BinaryPropertyListEncoder::writeInteger(const Value& value) {
    if (value.isUnsignedInteger()) {
        out_->push_back(kInteger | 4);
        writeBigEndian(0, 8);
        writeBigEndian(value.unsignedIntegerValue(), 8);
        return;
    }
    const std::int64_t integer = value.longLongValue();
    const std::size_t size = integer < 0 ? 8 : bytesFor(std::uint64_t(integer));
    out_->push_back(std::uint8_t(kInteger | (size == 1 ? 0 : size == 2 ? 1 : size == 4 ? 2 : 3)));
    writeBigEndian(std::uint64_t(integer), size);
}

void BinaryPropertyListEncoder::writeBigEndian(std::uint64_t value, std::size_t size) {
    for (std::size_t i = size; i-- > 0;) out_->push_back(std::uint8_t(value >> (8 * i)));
}

void BinaryPropertyListEncoder::writeReferences(std::size_t first) {
    for (std::size_t i = first; i < pendingReferences_.size(); ++i) {
        writeBigEndian(pendingReferences_[i], referenceSize_);
    }
    pendingReferences_.resize(first);
}

std::uint64_t BinaryPropertyListEncoder::finishObject(std::size_t offset) {
    offsets_.push_back(offset);
    return offsets_.size() - 1;
}

}  // namespace base
