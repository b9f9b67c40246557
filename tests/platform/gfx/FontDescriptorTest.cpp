#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "base/PropertyList.h"
#include "gfx/FontDescriptor.h"

namespace {

using base::Value;
using gfx::FontDescriptor;
using gfx::FontWeight;

base::Data readSeed(const char* name) {
    std::ifstream file(std::string(VK_TEST_SOURCE_DIR) + "/fuzz/corpus/FontArchive/" + name,
                       std::ios::binary);
    return base::Data((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

TEST(FontDescriptor, ArchiveRoundTripsAsAKeyedArchive) {
    FontDescriptor descriptor("Inter", "Semi Bold Italic", FontWeight::Semibold, 0.07);
    auto archive = descriptor.archive();
    ASSERT_TRUE(archive.ok());
    EXPECT_EQ(std::string(archive.value().begin(), archive.value().begin() + 8), "bplist00");
    auto parsed = base::PropertyList::parse(archive.value());
    ASSERT_TRUE(parsed.ok());
    const Value& root = parsed.value();
    EXPECT_EQ(*root["$archiver"].asString(), "NSKeyedArchiver");
    EXPECT_EQ(root["$version"].longLongValue(), 100000);
    EXPECT_EQ(*root["$objects"][0].asString(), "$null");
    EXPECT_EQ(root["$top"]["root"]["CF$UID"].longLongValue(), 1);
    EXPECT_EQ(FontDescriptor::unarchive(archive.value()), descriptor);
}

TEST(FontDescriptor, ReadsArchivesWhoseReferencesUseTheBinaryUidType) {
    auto descriptor = FontDescriptor::unarchive(readSeed("uid-typed.bplist"));
    ASSERT_TRUE(descriptor.has_value());
    EXPECT_EQ(descriptor->family(), "Inter");
    EXPECT_EQ(descriptor->face(), "Semi Bold");
    EXPECT_EQ(descriptor->weight(), FontWeight::Semibold);
}

TEST(FontDescriptor, MakesFontsOfItsFamilyOnly) {
    auto font = FontDescriptor("Inter", "", FontWeight::Bold).fontWithSize(22);
    ASSERT_TRUE(font.has_value());
    EXPECT_EQ(font->pointSize(), 22);
    EXPECT_EQ(font->weight(), FontWeight::Bold);
    EXPECT_FALSE(FontDescriptor("Helvetica Neue").fontWithSize(22).has_value());
    EXPECT_EQ(FontDescriptor::describing(gfx::Font::system(13, FontWeight::Medium)),
              FontDescriptor("Inter", "", FontWeight::Medium));
}

// A valid archive as a value, to be broken in one place by each case below.
Value validArchive() { return base::PropertyList::parse(FontDescriptor("Inter").archive().value()).value(); }

std::optional<FontDescriptor> unarchiveValue(const Value& value) {
    return FontDescriptor::unarchive(
        base::PropertyList::serialize(value, base::PropertyList::Format::Binary).value());
}

Value uid(long long index) { return Value(Value::Dictionary{{"CF$UID", Value(index)}}); }

TEST(FontDescriptor, BadForeignOrHostileDataGivesNoDescriptor) {
    EXPECT_FALSE(FontDescriptor::unarchive({}).has_value());
    const std::uint8_t junk[] = {'b', 'p', 'l', 'i', 's', 't', '0', '0', 0xff, 0xff};
    EXPECT_FALSE(FontDescriptor::unarchive(junk).has_value());
    EXPECT_FALSE(FontDescriptor::unarchive(readSeed("xml.plist")).has_value());
    EXPECT_FALSE(FontDescriptor::unarchive(readSeed("other-class.bplist")).has_value());
    ASSERT_TRUE(unarchiveValue(validArchive()).has_value());

    auto broken = [](auto edit) {
        Value archive = validArchive();
        edit(archive);
        return unarchiveValue(archive);
    };
    auto objects = [](Value& archive) { return *archive["$objects"].asArray(); };
    auto setObject = [&](Value& archive, std::size_t index, Value object) {
        Value::Array list = objects(archive);
        list[index] = std::move(object);
        archive.set("$objects", Value(list));
    };
    EXPECT_FALSE(broken([](Value& a) { a.set("$archiver", Value("NSArchiver")); }));
    EXPECT_FALSE(broken([](Value& a) { a.set("$objects", Value("not an array")); }));
    EXPECT_FALSE(broken([&](Value& a) { a.set("$top", Value(Value::Dictionary{{"root", uid(99)}})); }));
    EXPECT_FALSE(broken([&](Value& a) { a.set("$top", Value(Value::Dictionary{{"root", uid(-1)}})); }));
    EXPECT_FALSE(broken([&](Value& a) { a.set("$top", Value(Value::Dictionary{{"root", uid(0)}})); }));
    EXPECT_FALSE(broken([&](Value& a) { a.set("$top", Value(Value::Dictionary{{"root", Value(1)}})); }));
    // The descriptor refers to itself as its attributes.
    EXPECT_FALSE(broken([&](Value& a) {
        Value descriptor = objects(a)[1];
        descriptor.set("UIFontDescriptorAttributes", uid(1));
        setObject(a, 1, descriptor);
    }));
    // Keys and objects of different lengths.
    EXPECT_FALSE(broken([&](Value& a) {
        Value attributes = objects(a)[2];
        attributes.set("NS.objects", Value(Value::Array{uid(7)}));
        setObject(a, 2, attributes);
    }));
    // The family is not a string, or empty.
    EXPECT_FALSE(broken([&](Value& a) { setObject(a, 7, Value(42)); }));
    EXPECT_FALSE(broken([&](Value& a) { setObject(a, 7, Value("")); }));
    // A class record naming another class.
    EXPECT_FALSE(broken([&](Value& a) {
        setObject(a, 11, Value(Value::Dictionary{{"$classname", Value("NSString")}}));
    }));
}

}  // namespace
