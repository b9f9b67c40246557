#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "base/Value.h"

namespace {

using base::Value;
constexpr auto kInt64Max = std::numeric_limits<std::int64_t>::max();
constexpr auto kInt64Min = std::numeric_limits<std::int64_t>::min();
constexpr auto kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr auto kInt32Min = std::numeric_limits<std::int32_t>::min();

TEST(ValueReading, IntegersReadAs32BitsKeepTheLowBits) {
    // clang-format off
    const std::pair<std::int64_t, int> cases[] = {
        {4294967296LL, 0}, {4294967295LL, -1}, {4294967297LL, 1}, {-4294967297LL, -1}, {kInt64Min, 0}};
    // clang-format on
    for (auto [value, low] : cases) EXPECT_EQ(Value(value).intValue(), low) << value;
    EXPECT_EQ(Value(4294967296LL).longLongValue(), 4294967296LL);
    EXPECT_TRUE(Value(4294967296LL).boolValue());  // non-zero, even though its low bits are 0
    EXPECT_EQ(Value(-7).doubleValue(), -7.0);
}

TEST(ValueReading, RealsTruncateTowardZeroAndSaturate) {
    const double infinity = std::numeric_limits<double>::infinity();
    // clang-format off
    const std::pair<double, std::int64_t> cases[] = {
        {2.9, 2}, {-2.9, -2}, {std::nan(""), 0}, {1e300, kInt64Max}, {-1e300, kInt64Min},
        {infinity, kInt64Max}, {-infinity, kInt64Min}, {9223372036854775808.0, kInt64Max},
        {-9223372036854775808.0, kInt64Min}};
    // clang-format on
    for (auto [value, expected] : cases) EXPECT_EQ(Value(value).longLongValue(), expected) << value;
    EXPECT_EQ(Value(-2.9).intValue(), -2);
    EXPECT_EQ(Value(std::nan("")).intValue(), 0);
    // 32 bits are the low bits of the 64-bit reading.
    EXPECT_EQ(Value(3e9).intValue(), std::int32_t(3000000000LL - 4294967296LL));
    EXPECT_EQ(Value(1e300).intValue(), -1);
    EXPECT_TRUE(Value(0.25).boolValue());
    EXPECT_FALSE(Value(0.0).boolValue());
    EXPECT_FALSE(Value(std::nan("")).boolValue());
    EXPECT_EQ(Value(1e300).floatValue(), std::numeric_limits<float>::infinity());
    EXPECT_EQ(Value(-1e300).floatValue(), -std::numeric_limits<float>::infinity());
    EXPECT_EQ(Value(0.5).floatValue(), 0.5f);
}

TEST(ValueReading, StringsReadTheirLeadingInteger) {
    // 32-bit readings saturate for strings, where numbers keep their low bits.
    // clang-format off
    const std::pair<const char*, int> ints[] = {
        {"42", 42}, {" \t\n42abc", 42}, {"+5", 5}, {"3.9", 3}, {"abc", 0}, {"", 0}, {"+-3", 0}, {"- 3", 0},
        {"0x1A", 0}, {"4294967296", kInt32Max}, {"-3000000000", kInt32Min}};
    // clang-format on
    for (auto [text, expected] : ints) EXPECT_EQ(Value(text).intValue(), expected) << text;
    // clang-format off
    const std::pair<const char*, std::int64_t> longs[] = {
        {"-17 apples", -17}, {"4294967296", 4294967296LL}, {"9223372036854775807", kInt64Max},
        {"9223372036854775808", kInt64Max}, {"-9223372036854775808", kInt64Min},
        {"-9223372036854775809", kInt64Min}, {"99999999999999999999999", kInt64Max}};
    // clang-format on
    for (auto [text, expected] : longs) EXPECT_EQ(Value(text).longLongValue(), expected) << text;
}

TEST(ValueReading, StringsReadTheirLeadingDecimalNumber) {
    // Only decimal forms: no hexadecimal, infinity or NaN spelled out.
    const double infinity = std::numeric_limits<double>::infinity();
    // clang-format off
    const std::pair<const char*, double> cases[] = {
        {"  -1.5e3xyz", -1500.0}, {".5", 0.5}, {"5.", 5.0}, {"+2.25", 2.25}, {"1e", 1.0}, {"1e+", 1.0},
        {"2E-2", 0.02}, {".", 0.0}, {"-.e5", 0.0}, {"0x10", 0.0}, {"inf", 0.0}, {"nan", 0.0},
        {"1e400", infinity}, {"-1e400", -infinity}};
    // clang-format on
    for (auto [text, expected] : cases) EXPECT_EQ(Value(text).doubleValue(), expected) << text;
    EXPECT_EQ(Value("3.5").floatValue(), 3.5f);
}

TEST(ValueReading, StringBooleans) {
    for (const char* yes : {"YES", "yes", "true", "T", "t", "Y", "1", "9", "  +007", "-1", "0001", "\n2x"}) {
        EXPECT_TRUE(Value(yes).boolValue()) << yes;
    }
    for (const char* no :
         {"NO", "no", "false", "F", "0", "000", "", "   ", "-0", "x1", "+", "-", "0x1", " n"}) {
        EXPECT_FALSE(Value(no).boolValue()) << no;
    }
}

TEST(ValueReading, BooleansReadZeroOrOneAndOtherTypesReadZero) {
    EXPECT_EQ(Value(true).intValue(), 1);
    EXPECT_EQ(Value(true).longLongValue(), 1);
    EXPECT_EQ(Value(true).doubleValue(), 1.0);
    EXPECT_EQ(Value(false).intValue(), 0);
    EXPECT_FALSE(Value(false).boolValue());
    const Value others[] = {Value(), Value(base::Data{1, 2}), Value(base::Date(1e6)),
                            Value(Value::Array{Value(5)}), Value(Value::Dictionary{{"a", Value(1)}})};
    for (const Value& other : others) {
        EXPECT_FALSE(other.boolValue()) << other;
        EXPECT_EQ(other.intValue(), 0) << other;
        EXPECT_EQ(other.longLongValue(), 0) << other;
        EXPECT_EQ(other.doubleValue(), 0.0) << other;
    }
}

TEST(ValueReading, UnsignedIntegersAboveTheSignedRangeAreKept) {
    const Value largest(std::numeric_limits<std::uint64_t>::max());
    EXPECT_EQ(largest.type(), Value::Type::Integer);
    EXPECT_TRUE(largest.isUnsignedInteger());
    EXPECT_EQ(largest.unsignedIntegerValue(), std::numeric_limits<std::uint64_t>::max());
    EXPECT_EQ(largest.longLongValue(), -1);  // the same 64 bits
    EXPECT_EQ(largest.intValue(), -1);
    EXPECT_EQ(largest.doubleValue(), 18446744073709551615.0);
    EXPECT_NE(largest, Value(-1));
    EXPECT_FALSE(Value(std::uint64_t(5)).isUnsignedInteger());
    EXPECT_EQ(Value(std::uint64_t(5)), Value(5));
    EXPECT_FALSE(Value(std::uint64_t(kInt64Max)).isUnsignedInteger());
    EXPECT_TRUE(Value(std::uint64_t(kInt64Max) + 1).isUnsignedInteger());
}

TEST(ValueContainers, CopiesShareUntilOneIsModified) {
    Value original;
    original.set("name", "first");
    original.set("list", Value(Value::Array{Value(1), Value(2)}));
    Value copy = original;
    EXPECT_EQ(copy.asDictionary(), original.asDictionary());  // one shared payload

    copy.set("name", "second");
    copy.set("extra", true);
    EXPECT_EQ(*original["name"].asString(), "first");
    EXPECT_TRUE(original["extra"].isAbsent());
    EXPECT_EQ(*copy["name"].asString(), "second");
    EXPECT_EQ(copy.count(), 3u);

    Value list = copy["list"];
    list.append("three");
    EXPECT_EQ(copy["list"].count(), 2u);
    EXPECT_EQ(list.count(), 3u);
    EXPECT_EQ(*list[2].asString(), "three");
    EXPECT_TRUE(list[3].isAbsent());
    EXPECT_TRUE(list["key"].isAbsent());
}

TEST(ValueContainers, SetWithAnAbsentValueRemovesTheKey) {
    Value dictionary;
    dictionary.set("a", 1);
    dictionary.set("b", 2);
    dictionary.set("a", Value());
    dictionary.remove("missing");
    EXPECT_EQ(dictionary, Value(Value::Dictionary{{"b", Value(2)}}));
    Value appended;
    appended.append(Value());
    EXPECT_EQ(appended.type(), Value::Type::Array);
}

TEST(ValueContainers, EqualityComparesTypeAndContents) {
    EXPECT_NE(Value(1), Value(1.0));
    EXPECT_NE(Value(1), Value(true));
    EXPECT_NE(Value(""), Value());
    EXPECT_EQ(Value(std::string("a\0b", 3)), Value(std::string("a\0b", 3)));
    EXPECT_NE(Value(std::string("a\0b", 3)), Value("a"));
    EXPECT_EQ(Value(Value::Array{Value("x"), Value(base::Data{0})}),
              Value(Value::Array{Value("x"), Value(base::Data{0})}));
    EXPECT_NE(Value(Value::Array{Value("x")}), Value(Value::Array{Value("y")}));
    EXPECT_EQ(Value(base::Date(3.5)), Value(base::Date(3.5)));
    EXPECT_EQ(Value(static_cast<const char*>(nullptr)), Value());
}

TEST(ValueContainers, DescriptionIsReadable) {
    Value value(Value::Dictionary{{"n", Value(-3)},
                                  {"s", Value("q\"")},
                                  {"d", Value(base::Data{0xAB})},
                                  {"a", Value(Value::Array{Value(true), Value(0.5)})}});
    EXPECT_EQ(value.description(), R"({"a": [true, 0.5], "d": <ab>, "n": -3, "s": "q\""})");
}

}  // namespace
