#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "base/Files.h"
#include "base/PropertyList.h"
#include "support/ExpandingPropertyList.h"
#include "support/TemporaryDirectory.h"

namespace {

using base::Data;
using base::Date;
using base::PropertyList;
using base::Value;
using Format = PropertyList::Format;

Data bytesOf(std::string_view text) { return Data(text.begin(), text.end()); }

std::string textOf(const Data& data) { return std::string(data.begin(), data.end()); }

Value roundTrip(const Value& value, Format format) {
    auto bytes = PropertyList::serialize(value, format);
    EXPECT_TRUE(bytes.ok()) << (bytes.ok() ? "" : bytes.error().description);
    if (!bytes) return Value();
    auto parsed = PropertyList::parse(bytes.value());
    EXPECT_TRUE(parsed.ok()) << (parsed.ok() ? "" : parsed.error().description) << "\n"
                             << textOf(bytes.value());
    return parsed.ok() ? parsed.value() : Value();
}

// A binary property list made of raw objects, with 2-byte offsets and references.
Data binaryPlist(const std::vector<Data>& objects, std::uint16_t root = 0) {
    Data bytes = bytesOf("bplist00");
    std::vector<std::size_t> offsets;
    for (const Data& object : objects) {
        offsets.push_back(bytes.size());
        bytes.insert(bytes.end(), object.begin(), object.end());
    }
    const std::size_t table = bytes.size();
    for (std::size_t offset : offsets) {
        bytes.push_back(std::uint8_t(offset >> 8));
        bytes.push_back(std::uint8_t(offset));
    }
    auto append64 = [&](std::uint64_t value) {
        for (int shift = 56; shift >= 0; shift -= 8) bytes.push_back(std::uint8_t(value >> shift));
    };
    bytes.insert(bytes.end(), {0, 0, 0, 0, 0, 0, 2, 2});
    append64(objects.size());
    append64(root);
    append64(table);
    return bytes;
}

// An array object whose elements are the given objects (2-byte references).
Data arrayObject(std::vector<std::uint16_t> elements) {
    Data object{std::uint8_t(0xA0 | elements.size())};
    for (auto element : elements) {
        object.push_back(std::uint8_t(element >> 8));
        object.push_back(std::uint8_t(element));
    }
    return object;
}

Value everyType() {
    Value::Dictionary nested{{"empty array", Value(Value::Array{})},
                             {"empty dictionary", Value(Value::Dictionary{})},
                             {"deeper", Value(Value::Array{Value(Value::Array{Value("leaf")}), Value(1)})}};
    // clang-format off
    Value::Dictionary entries = {
        {"yes", Value(true)}, {"no", Value(false)}, {"zero", Value(0)}, {"minus one", Value(-1)},
        {"int64 min", Value(std::numeric_limits<std::int64_t>::min())},
        {"int64 max", Value(std::numeric_limits<std::int64_t>::max())},
        {"uint64 max", Value(std::numeric_limits<std::uint64_t>::max())},
        {"2^63", Value(std::uint64_t(1) << 63)}, {"tenth", Value(0.1)}, {"huge", Value(-2.5e300)},
        {"tiny", Value(1e-300)}, {"ascii", Value("Hello, world <&> \"quoted\"")},
        {"non-ascii", Value("h\u00e9llo \U0001F600 \u65e5\u672c")}, {"empty string", Value("")},
        {"data", Value(Data{0x00, 0xFF, 0x10, 0x80})}, {"empty data", Value(Data{})},
        {"long data", Value(Data(300, 0xA5))},
        {"long non-ascii", Value("\u00fcber-l\u00e4ngliche Zeichenkette \U0001F680 mit Umlauten")},
        {"reference date", Value(Date(0))}, {"before 1933", Value(Date(-3e9))},
        {"after 2069", Value(Date(3e9))}, {"cl\u00e9 \U0001F511", Value("non-ASCII key")},
        {"nested", Value(std::move(nested))}};
    // clang-format on
    return Value(std::move(entries));
}

TEST(PropertyList, EveryTypeSurvivesBothFormats) {
    const Value value = everyType();
    for (Format format : {Format::Xml, Format::Binary}) {
        SCOPED_TRACE(format == Format::Xml ? "XML" : "binary");
        const Value back = roundTrip(value, format);
        EXPECT_EQ(back, value) << back;
        EXPECT_TRUE(back["uint64 max"].isUnsignedInteger());
        EXPECT_FALSE(back["minus one"].isUnsignedInteger());
        EXPECT_EQ(back["minus one"].longLongValue(), -1);
    }
}

TEST(PropertyList, EveryTypeIsAValidRoot) {
    // clang-format off
    const Value roots[] = {
        Value(true), Value(-42), Value(std::numeric_limits<std::uint64_t>::max()), Value(1.5), Value("root"),
        Value(Data{1, 2, 3}), Value(Date(86400)), Value(Value::Array{}), Value(Value::Dictionary{})};
    // clang-format on
    for (const Value& root : roots) {
        EXPECT_EQ(roundTrip(root, Format::Xml), root);
        EXPECT_EQ(roundTrip(root, Format::Binary), root);
    }
}

TEST(PropertyList, BinaryDatesKeepFractionsAndXmlDatesWholeSeconds) {
    for (double seconds :
         {-0.5, -1.25, -86400.0, 1.5, 0.123456789, 12345.678901, 7.5e8 + 0.001, 4e9 + 0.5, -4e9}) {
        EXPECT_EQ(roundTrip(Value(Date(seconds)), Format::Binary), Value(Date(seconds))) << seconds;
    }
    EXPECT_EQ(roundTrip(Value(Date(7.5e8 + 0.75)), Format::Xml), Value(Date(7.5e8)));
    auto parsed = PropertyList::parse(bytesOf("<plist><date>2001-01-02T00:00:00Z</date></plist>"));
    ASSERT_TRUE(parsed.ok());
    EXPECT_EQ(parsed.value(), Value(Date(86400)));
}

TEST(PropertyList, SpecialRealsSurviveBothFormats) {
    const double infinity = std::numeric_limits<double>::infinity();
    for (Format format : {Format::Xml, Format::Binary}) {
        for (double special : {infinity, -infinity})
            EXPECT_EQ(roundTrip(Value(special), format), Value(special));
        EXPECT_TRUE(std::isnan(roundTrip(Value(std::nan("")), format).doubleValue()));
    }
}

TEST(PropertyList, ReadsWhatOtherWritersProduce) {
    const char* xml = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<plist version="1.0">
<!-- a comment -->
<dict>
	<key>negative</key><integer>-5</integer>
	<key>big</key><integer>18446744073709551615</integer>
	<key>twice</key><string>first</string>
	<key>twice</key><string>second</string>
	<key>archived</key><dict><key>CF$UID</key><integer>7</integer></dict>
	<key>escaped</key><string>&lt;a&gt; &amp; &#x263A;</string>
</dict>
</plist>)";
    auto parsed = PropertyList::parse(bytesOf(xml));
    ASSERT_TRUE(parsed.ok()) << parsed.error().description;
    const Value& value = parsed.value();
    EXPECT_EQ(value["negative"], Value(-5));
    EXPECT_EQ(value["big"], Value(std::numeric_limits<std::uint64_t>::max()));
    EXPECT_EQ(value["twice"], Value("second"));  // the last of repeated keys wins
    EXPECT_EQ(value["archived"], Value(Value::Dictionary{{"CF$UID", Value(7)}}));
    EXPECT_EQ(value["escaped"], Value("<a> & \u263A"));

    // Two array elements referring to one shared integer object.
    auto shared = PropertyList::parse(binaryPlist({arrayObject({1, 1}), Data{0x10, 0x07}}));
    ASSERT_TRUE(shared.ok()) << shared.error().description;
    EXPECT_EQ(shared.value(), Value(Value::Array{Value(7), Value(7)}));
}

TEST(PropertyList, MalformedInputIsAnError) {
    std::vector<Data> inputs = {
        Data{},
        bytesOf("garbage"),
        bytesOf("<plist><dict><integer>1</integer><integer>2</integer></dict></plist>"),
        bytesOf("<plist><integer>1</integer"),
        bytesOf("bplist00"),
        bytesOf("bplist00\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff"
                "\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff"),
        binaryPlist({arrayObject({0})}),                    // an array containing itself
        binaryPlist({arrayObject({1}), arrayObject({0})}),  // a longer cycle
        binaryPlist({arrayObject({5})}),                    // a reference past the last object
        // A dictionary whose key holds NUL (libplist 2.2 aborts on it) and one keyed by a number.
        binaryPlist({Data{0xD1, 0, 1, 0, 2},
                     bytesOf(std::string("\x53"
                                         "a\0b",
                                         4)),
                     Data{0x09}}),
        binaryPlist({Data{0xD1, 0, 1, 0, 2}, Data{0x10, 0x01}, Data{0x09}}),
    };
    Data truncated = PropertyList::serialize(everyType(), Format::Binary).value();
    truncated.resize(truncated.size() / 2);
    inputs.push_back(truncated);
    for (const Data& input : inputs) {
        auto parsed = PropertyList::parse(input);
        ASSERT_FALSE(parsed.ok()) << textOf(input);
        EXPECT_EQ(parsed.error().domain, PropertyList::kErrorDomain);
        EXPECT_EQ(parsed.error().code, PropertyList::kMalformed);
    }
}

TEST(PropertyList, HostileNestingAndExpansionAreRefusedQuickly) {
    std::string deepXml = "<plist>";
    for (int i = 0; i < 100000; ++i) deepXml += "<array>";
    for (int i = 0; i < 100000; ++i) deepXml += "</array>";
    deepXml += "</plist>";
    EXPECT_FALSE(PropertyList::parse(bytesOf(deepXml)).ok());

    std::string commentedXml = "<plist><!--";
    for (int i = 0; i < 1000; ++i) commentedXml += "</array>";
    commentedXml += "-->";
    for (int i = 0; i < 1000; ++i) commentedXml += "<array>";
    EXPECT_FALSE(PropertyList::parse(bytesOf(commentedXml)).ok());

    std::vector<Data> chain;  // 1000 arrays, each holding the next
    for (std::uint16_t i = 1; i < 1000; ++i) chain.push_back(arrayObject({i}));
    chain.push_back(arrayObject({}));
    EXPECT_FALSE(PropertyList::parse(binaryPlist(chain)).ok());

    std::vector<Data> doubling;  // 2^100 nodes once expanded
    for (std::uint16_t i = 1; i <= 100; ++i) doubling.push_back(arrayObject({i, i}));
    doubling.push_back(Data{0x10, 0x01});
    EXPECT_FALSE(PropertyList::parse(binaryPlist(doubling)).ok());

    EXPECT_FALSE(PropertyList::parse(testsupport::expandingPropertyList()).ok());  // few nodes, many bytes
    EXPECT_EQ(PropertyList::parse(testsupport::expandingPropertyList(16)).value().count(), 16u);

    std::string fine = "<plist>";
    for (int i = 0; i < 100; ++i) fine += "<array>";
    for (int i = 0; i < 100; ++i) fine += "</array>";
    fine += "</plist>";
    EXPECT_TRUE(PropertyList::parse(bytesOf(fine)).ok());
}

TEST(PropertyList, UnwritableValuesAreErrors) {
    for (const Value& value : {Value(), Value(Value::Array{Value(1), Value()}),
                               Value(Value::Dictionary{{"text", Value(std::string("a\0b", 3))}})}) {
        auto bytes = PropertyList::serialize(value, Format::Xml);
        ASSERT_FALSE(bytes.ok()) << value;
        EXPECT_EQ(bytes.error().code, PropertyList::kUnwritable);
    }
    Value deep(1);
    for (int i = 0; i < 600; ++i) deep = Value(Value::Array{deep});
    EXPECT_FALSE(PropertyList::serialize(deep, Format::Binary).ok());
}

TEST(PropertyList, IllFormedUtf8IsReplaced) {
    const Value written(Value::Dictionary{{"k\xff", Value("a\xc3(b\xed\xa0\x80")}});
    const Value expected(Value::Dictionary{{"k\uFFFD", Value("a\uFFFD(b\uFFFD\uFFFD\uFFFD")}});
    EXPECT_EQ(roundTrip(written, Format::Xml), expected);
    EXPECT_EQ(roundTrip(written, Format::Binary), expected);
}

class PropertyListFile : public ::testing::Test {
protected:
    testsupport::TemporaryDirectory temporary_;
    const std::filesystem::path& directory_ = temporary_.path();
};

TEST_F(PropertyListFile, WritesAndReadsBothFormats) {
    const auto path = directory_ / "settings.plist";
    for (Format format : {Format::Xml, Format::Binary}) {
        ASSERT_TRUE(PropertyList::writeFile(everyType(), path, format).ok());
        auto read = PropertyList::readFile(path);
        ASSERT_TRUE(read.ok()) << read.error().description;
        EXPECT_EQ(read.value(), everyType());
    }
    EXPECT_EQ(base::Files::listDirectory(directory_).value(), std::vector<std::string>{"settings.plist"});
}

TEST_F(PropertyListFile, UnreadableAndMalformedFilesAreErrors) {
    const auto codeOf = [](const auto& result) { return result.ok() ? 0 : result.error().code; };
    std::ofstream(directory_ / "broken.plist") << "<plist><dict><key>half";
    EXPECT_EQ(codeOf(PropertyList::readFile(directory_ / "missing.plist")), PropertyList::kUnreadable);
    EXPECT_EQ(codeOf(PropertyList::readFile(directory_)), PropertyList::kUnreadable);
    EXPECT_EQ(codeOf(PropertyList::readFile(directory_ / "broken.plist")), PropertyList::kMalformed);
    EXPECT_EQ(codeOf(PropertyList::writeFile(Value(1), directory_ / "no-such-dir" / "x.plist")),
              PropertyList::kUnwritable);
}

}  // namespace
