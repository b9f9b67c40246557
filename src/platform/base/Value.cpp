#include "base/Value.h"

#include <atomic>
#include <cassert>
#include <cmath>
#include <cstdio>
#include <limits>
#include <ostream>

#include "base/LeadingNumber.h"

namespace base {
namespace {

using SharedString = std::shared_ptr<const std::string>;
using SharedData = std::shared_ptr<const Data>;
using SharedArray = std::shared_ptr<const Value::Array>;
using SharedDictionary = std::shared_ptr<const Value::Dictionary>;

// A real read as a 64-bit integer truncates toward zero; NaN reads 0 and values beyond the
// range (infinities included) saturate at its minimum or maximum.
std::int64_t truncateReal(double real) {
    if (std::isnan(real)) return 0;
    constexpr double kTwoTo63 = 9223372036854775808.0;
    if (real >= kTwoTo63) return std::numeric_limits<std::int64_t>::max();
    if (real < -kTwoTo63) return std::numeric_limits<std::int64_t>::min();
    return std::int64_t(real);
}

// A number read as 32 bits keeps the low 32 bits of its 64-bit reading (4294967296 reads 0).
std::int32_t low32Bits(std::int64_t value) { return std::int32_t(std::uint32_t(std::uint64_t(value))); }

// The payload of a shared container, writable in place when this value is its only owner
// and copied first otherwise.
template <typename T>
T& unshare(std::shared_ptr<const T>& payload) {
    if (payload.use_count() != 1) {
        payload = std::make_shared<T>(*payload);
    } else {
        // Pairs with the release of the last other owner so its reads come before our writes.
        std::atomic_thread_fence(std::memory_order_acquire);
    }
    // Containers are always created non-const (make_shared<T>), and nobody else sees this one.
    return const_cast<T&>(*payload);
}

void describeString(std::string& out, std::string_view text) {
    out.push_back('"');
    for (char c : text) {
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(c);
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", unsigned(c));
            out += escape;
        } else {
            out.push_back(c);
        }
    }
    out.push_back('"');
}

void describe(std::string& out, const Value& value);

void describeNumber(std::string& out, const Value& value) {
    char text[40];
    if (value.type() == Value::Type::Real) {
        std::snprintf(text, sizeof text, "%.17g", value.doubleValue());
    } else if (value.isUnsignedInteger()) {
        std::snprintf(text, sizeof text, "%llu",
                      static_cast<unsigned long long>(value.unsignedIntegerValue()));
    } else {
        std::snprintf(text, sizeof text, "%lld", static_cast<long long>(value.longLongValue()));
    }
    out += text;
}

void describeContainer(std::string& out, const Value& value) {
    if (const Value::Array* array = value.asArray()) {
        out.push_back('[');
        for (std::size_t i = 0; i < array->size(); ++i) {
            if (i > 0) out += ", ";
            describe(out, (*array)[i]);
        }
        out.push_back(']');
        return;
    }
    out.push_back('{');
    bool first = true;
    for (const auto& [key, element] : *value.asDictionary()) {
        if (!first) out += ", ";
        first = false;
        describeString(out, key);
        out += ": ";
        describe(out, element);
    }
    out.push_back('}');
}

void describe(std::string& out, const Value& value) {
    switch (value.type()) {
        case Value::Type::Absent:
            out += "absent";
            return;
        case Value::Type::Boolean:
            out += *value.asBoolean() ? "true" : "false";
            return;
        case Value::Type::Integer:
        case Value::Type::Real:
            describeNumber(out, value);
            return;
        case Value::Type::String:
            describeString(out, *value.asString());
            return;
        case Value::Type::Data: {
            out.push_back('<');
            char hex[3];
            for (std::uint8_t byte : *value.asData()) {
                std::snprintf(hex, sizeof hex, "%02x", byte);
                out += hex;
            }
            out.push_back('>');
            return;
        }
        case Value::Type::Date: {
            char text[48];
            std::snprintf(text, sizeof text, "date(%.17g)", value.asDate()->timeIntervalSinceReferenceDate());
            out += text;
            return;
        }
        case Value::Type::Array:
        case Value::Type::Dictionary:
            describeContainer(out, value);
            return;
    }
}

}  // namespace

Value::Value(bool boolean) : storage_(std::in_place_type<bool>, boolean) {}
Value::Value(int integer) : Value(static_cast<long long>(integer)) {}
Value::Value(long integer) : Value(static_cast<long long>(integer)) {}
Value::Value(long long integer) : storage_(std::in_place_type<Integer>, Integer{integer, false}) {}
Value::Value(unsigned integer) : Value(static_cast<unsigned long long>(integer)) {}
Value::Value(unsigned long integer) : Value(static_cast<unsigned long long>(integer)) {}
Value::Value(unsigned long long integer)
    : storage_(
          std::in_place_type<Integer>,
          Integer{std::int64_t(integer), integer > std::uint64_t(std::numeric_limits<std::int64_t>::max())}) {
}
Value::Value(double real) : storage_(std::in_place_type<double>, real) {}
// A null C string is "nil": an absent value.
Value::Value(const char* string) {
    if (string) storage_.emplace<SharedString>(std::make_shared<const std::string>(string));
}
Value::Value(std::string string)
    : storage_(std::in_place_type<SharedString>, std::make_shared<const std::string>(std::move(string))) {}
Value::Value(std::string_view string) : Value(std::string(string)) {}
Value::Value(Data data)
    : storage_(std::in_place_type<SharedData>, std::make_shared<const Data>(std::move(data))) {}
Value::Value(Date date) : storage_(std::in_place_type<Date>, date) {}
Value::Value(Array array)
    : storage_(std::in_place_type<SharedArray>, std::make_shared<Array>(std::move(array))) {}
Value::Value(Dictionary dictionary)
    : storage_(std::in_place_type<SharedDictionary>, std::make_shared<Dictionary>(std::move(dictionary))) {}

const Value& Value::absent() {
    static const Value kAbsent;
    return kAbsent;
}

// The alternatives of Storage are declared in the order of Type.
Value::Type Value::type() const { return static_cast<Type>(storage_.index()); }

const char* Value::typeName(Type type) {
    switch (type) {
        case Type::Absent:
            return "absent";
        case Type::Boolean:
            return "boolean";
        case Type::Integer:
            return "integer";
        case Type::Real:
            return "real";
        case Type::String:
            return "string";
        case Type::Data:
            return "data";
        case Type::Date:
            return "date";
        case Type::Array:
            return "array";
        case Type::Dictionary:
            return "dictionary";
    }
    return "unknown";
}

const bool* Value::asBoolean() const { return std::get_if<bool>(&storage_); }

const std::string* Value::asString() const {
    const SharedString* shared = std::get_if<SharedString>(&storage_);
    return shared ? shared->get() : nullptr;
}

const Data* Value::asData() const {
    const SharedData* shared = std::get_if<SharedData>(&storage_);
    return shared ? shared->get() : nullptr;
}

const Date* Value::asDate() const { return std::get_if<Date>(&storage_); }

const Value::Array* Value::asArray() const {
    const SharedArray* shared = std::get_if<SharedArray>(&storage_);
    return shared ? shared->get() : nullptr;
}

const Value::Dictionary* Value::asDictionary() const {
    const SharedDictionary* shared = std::get_if<SharedDictionary>(&storage_);
    return shared ? shared->get() : nullptr;
}

bool Value::isUnsignedInteger() const {
    const Integer* integer = std::get_if<Integer>(&storage_);
    return integer && integer->isUnsigned;
}

// An integer's 64 bits read as unsigned (so -1 reads 2^64 - 1); other types read as their
// 64-bit reading does.
std::uint64_t Value::unsignedIntegerValue() const {
    if (const Integer* integer = std::get_if<Integer>(&storage_)) return std::uint64_t(integer->bits);
    return std::uint64_t(longLongValue());
}

// Numbers are true when non-zero (a NaN real is false, as it reads 0 as an integer); a
// string by its leading part (see LeadingNumber::boolean); other types are false.
bool Value::boolValue() const {
    switch (type()) {
        case Type::Boolean:
            return std::get<bool>(storage_);
        case Type::Integer:
            return std::get<Integer>(storage_).bits != 0;
        case Type::Real: {
            const double real = std::get<double>(storage_);
            return real != 0 && !std::isnan(real);
        }
        case Type::String:
            return LeadingNumber::boolean(*asString());
        default:
            return false;
    }
}

// Numbers keep the low 32 bits of their 64-bit reading; a string reads its leading integer,
// saturating at the 32-bit range; other types read 0.
std::int32_t Value::intValue() const {
    if (type() == Type::String) return LeadingNumber::integer32(*asString());
    return low32Bits(longLongValue());
}

// Booleans read 0 or 1, integers their value (an unsigned one above INT64_MAX its bits),
// reals truncate toward zero with saturation, strings their leading integer with saturation.
std::int64_t Value::longLongValue() const {
    switch (type()) {
        case Type::Boolean:
            return std::get<bool>(storage_) ? 1 : 0;
        case Type::Integer:
            return std::get<Integer>(storage_).bits;
        case Type::Real:
            return truncateReal(std::get<double>(storage_));
        case Type::String:
            return LeadingNumber::integer64(*asString());
        default:
            return 0;
    }
}

// Integers convert to the nearest double; strings read their leading decimal number in any
// locale; other types that are not numbers read 0.
double Value::doubleValue() const {
    switch (type()) {
        case Type::Boolean:
            return std::get<bool>(storage_) ? 1 : 0;
        case Type::Integer: {
            const Integer& integer = std::get<Integer>(storage_);
            return integer.isUnsigned ? double(std::uint64_t(integer.bits)) : double(integer.bits);
        }
        case Type::Real:
            return std::get<double>(storage_);
        case Type::String:
            return LeadingNumber::real(*asString());
        default:
            return 0;
    }
}

// The double reading narrowed to float; magnitudes beyond float's range become infinities.
float Value::floatValue() const {
    const double wide = doubleValue();
    constexpr double kFloatMax = std::numeric_limits<float>::max();
    if (wide > kFloatMax) return std::numeric_limits<float>::infinity();
    if (wide < -kFloatMax) return -std::numeric_limits<float>::infinity();
    return float(wide);
}

const Value& Value::operator[](std::string_view key) const {
    const Dictionary* dictionary = asDictionary();
    if (!dictionary) return absent();
    auto found = dictionary->find(key);
    return found == dictionary->end() ? absent() : found->second;
}

const Value& Value::operator[](std::size_t index) const {
    const Array* array = asArray();
    return array && index < array->size() ? (*array)[index] : absent();
}

std::size_t Value::count() const {
    if (const Array* array = asArray()) return array->size();
    if (const Dictionary* dictionary = asDictionary()) return dictionary->size();
    return 0;
}

Value::Array& Value::mutableArray() {
    if (isAbsent()) storage_.emplace<SharedArray>(std::make_shared<Array>());
    return unshare(std::get<SharedArray>(storage_));
}

Value::Dictionary& Value::mutableDictionary() {
    if (isAbsent()) storage_.emplace<SharedDictionary>(std::make_shared<Dictionary>());
    return unshare(std::get<SharedDictionary>(storage_));
}

void Value::set(std::string_view key, Value value) {
    assert((isAbsent() || asDictionary()) && "set on a value that is not a dictionary");
    if (!isAbsent() && !asDictionary()) return;
    if (value.isAbsent()) {
        remove(key);
        return;
    }
    Dictionary& dictionary = mutableDictionary();
    auto found = dictionary.find(key);
    if (found != dictionary.end()) {
        found->second = std::move(value);
    } else {
        dictionary.emplace(std::string(key), std::move(value));
    }
}

void Value::remove(std::string_view key) {
    const Dictionary* dictionary = asDictionary();
    if (!dictionary || dictionary->find(key) == dictionary->end()) return;
    Dictionary& writable = mutableDictionary();
    writable.erase(writable.find(key));
}

void Value::append(Value value) {
    assert((isAbsent() || asArray()) && "append on a value that is not an array");
    if (!isAbsent() && !asArray()) return;
    mutableArray().push_back(std::move(value));
}

bool Value::operator==(const Value& other) const {
    if (type() != other.type()) return false;
    switch (type()) {
        case Type::Absent:
            return true;
        case Type::Boolean:
            return std::get<bool>(storage_) == std::get<bool>(other.storage_);
        case Type::Integer:
            return std::get<Integer>(storage_) == std::get<Integer>(other.storage_);
        case Type::Real:
            return std::get<double>(storage_) == std::get<double>(other.storage_);
        case Type::String:
            return *asString() == *other.asString();
        case Type::Data:
            return *asData() == *other.asData();
        case Type::Date:
            return *asDate() == *other.asDate();
        case Type::Array:
            return asArray() == other.asArray() || *asArray() == *other.asArray();
        case Type::Dictionary:
            return asDictionary() == other.asDictionary() || *asDictionary() == *other.asDictionary();
    }
    return false;
}

std::string Value::description() const {
    std::string out;
    describe(out, *this);
    return out;
}

std::ostream& operator<<(std::ostream& stream, const Value& value) { return stream << value.description(); }

}  // namespace base
