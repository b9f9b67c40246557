#pragma once

#include <cstdint>
#include <iosfwd>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "base/Date.h"

namespace base {

using Data = std::vector<std::uint8_t>;

// A property-list value: absent, boolean, integer, real, string (UTF-8), data, date, array
// or dictionary. Copies are cheap: strings, data, arrays and dictionaries share one
// immutable payload, copied only when a shared payload is modified.
//
// The numeric readings (`boolValue`, `intValue`, `longLongValue`, `doubleValue`,
// `floatValue`) follow the Foundation rules every stored setting is read with; each rule
// is documented where it is implemented, in Value.cpp.
class Value {
public:
    enum class Type { Absent, Boolean, Integer, Real, String, Data, Date, Array, Dictionary };
    using Array = std::vector<Value>;
    using Dictionary = std::map<std::string, Value, std::less<>>;

    Value() = default;
    Value(bool boolean);
    Value(int integer);
    Value(long integer);
    Value(long long integer);
    Value(unsigned integer);
    Value(unsigned long integer);
    Value(unsigned long long integer);
    Value(double real);
    Value(const char* string);
    Value(std::string string);
    Value(std::string_view string);
    Value(Data data);
    Value(Date date);
    Value(Array array);
    Value(Dictionary dictionary);
    // An absent value, for functions that return references to values they may not have.
    static const Value& absent();

    Type type() const;
    bool isAbsent() const { return type() == Type::Absent; }
    bool isNumber() const {
        return type() == Type::Integer || type() == Type::Real || type() == Type::Boolean;
    }

    // Typed access: null when the value is of another type.
    const bool* asBoolean() const;
    const std::string* asString() const;
    const Data* asData() const;
    const Date* asDate() const;
    const Array* asArray() const;
    const Dictionary* asDictionary() const;
    // An integer that binary property lists stored as unsigned 64 bits above INT64_MAX.
    bool isUnsignedInteger() const;
    std::uint64_t unsignedIntegerValue() const;

    // Foundation readings.
    bool boolValue() const;
    std::int32_t intValue() const;
    std::int64_t longLongValue() const;
    double doubleValue() const;
    float floatValue() const;

    // Dictionary and array look-ups: an absent value when this is not a dictionary (array)
    // or has no such key (index).
    const Value& operator[](std::string_view key) const;
    const Value& operator[](std::size_t index) const;
    std::size_t count() const;  // elements of an array or dictionary, 0 otherwise

    // The type's name ("integer", "dictionary", ...), for messages.
    static const char* typeName(Type type);

    // Modification (copy-on-write). `set` turns an absent value into a dictionary; an
    // absent `value` removes the key. `append` turns an absent value into an array. Either
    // on a value of another type is a programmer error: asserted, and ignored in release.
    void set(std::string_view key, Value value);
    void remove(std::string_view key);
    void append(Value value);

    // Same type and same contents (an integer never equals a real or a boolean).
    bool operator==(const Value& other) const;

    // A one-line, JSON-like text of the value for logs and test failures.
    std::string description() const;

private:
    struct Integer {
        std::int64_t bits = 0;
        bool isUnsigned = false;  // bits holds a uint64_t above INT64_MAX
        bool operator==(const Integer&) const = default;
    };
    using Storage = std::variant<std::monostate, bool, Integer, double, std::shared_ptr<const std::string>,
                                 std::shared_ptr<const Data>, Date, std::shared_ptr<const Array>,
                                 std::shared_ptr<const Dictionary>>;
    Array& mutableArray();
    Dictionary& mutableDictionary();

    Storage storage_;
};

// Lets GoogleTest and logs print values.
std::ostream& operator<<(std::ostream& stream, const Value& value);

}  // namespace base
