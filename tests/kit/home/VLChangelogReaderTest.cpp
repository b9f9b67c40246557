#include <gtest/gtest.h>

#include "base/PropertyList.h"
#include "home/VLChangelogReader.h"

namespace {

using Entry = VLChangelogRelease::Entry;

base::Value dictionary(std::initializer_list<std::pair<const char*, base::Value>> entries) {
    base::Value value;
    for (const auto& [key, entry] : entries) value.set(key, entry);
    return value;
}

TEST(VLChangelogReaderTest, ReleasesOfAnyShapeAreRead) {
    struct Case {
        const char* name;
        base::Value release;
        VLChangelogRelease expected;
    };
    const base::Value::Array twoLines{base::Value("First.\\nSecond."), base::Value("Other")};
    const Case cases[] = {
        {"every key",
         dictionary({{"Date", "14"},
                     {"Month", "Nov"},
                     {"Year", "2026"},
                     {"Version", "v1.3"},
                     {"ChangelogDescription", twoLines},
                     {"updateCategories", base::Value::Array{base::Value(3), base::Value("2")}}}),
         {"14", "Nov", "2026", "v1.3", {Entry{"First.\nSecond.", 3}, Entry{"Other", 2}}}},
        {"no codes: initial releases",
         dictionary({{"ChangelogDescription", twoLines}}),
         {"", "", "", "", {Entry{"First.\nSecond.", 0}, Entry{"Other", 0}}}},
        {"too few codes: no category past the end",
         dictionary(
             {{"ChangelogDescription", twoLines}, {"updateCategories", base::Value::Array{base::Value(1)}}}),
         {"", "", "", "", {Entry{"First.\nSecond.", 1}, Entry{"Other", VLChangelogReader::kNoCategory}}}},
        {"texts of other types are empty",
         dictionary({{"Date", 14},
                     {"ChangelogDescription", base::Value::Array{base::Value(7), base::Value("ok")}},
                     {"updateCategories", base::Value::Array{base::Value(-3), base::Value("x")}}}),
         {"", "", "", "", {Entry{"", -3}, Entry{"ok", 0}}}},
        {"a release that is no dictionary", base::Value("text"), {}},
        {"entries that are no array",
         dictionary({{"ChangelogDescription", "one"}, {"Version", "v2"}}),
         {"", "", "", "v2", {}}},
    };
    for (const Case& c : cases) {
        const auto releases = VLChangelogReader::releases(base::Value(base::Value::Array{c.release}));
        ASSERT_TRUE(releases) << c.name;
        ASSERT_EQ(releases.value().size(), 1u) << c.name;
        EXPECT_EQ(releases.value()[0], c.expected) << c.name;
    }
}

TEST(VLChangelogReaderTest, DocumentsWithoutReleasesAreErrors) {
    const auto serialized = [](const base::Value& value) {
        return base::PropertyList::serialize(value, base::PropertyList::Format::Binary).value();
    };
    struct Case {
        base::Data bytes;
        long code;
    };
    const std::string garbage = "<plist><array><dict>";
    const Case cases[] = {
        {base::Data(garbage.begin(), garbage.end()), VLChangelogReader::NotAPropertyList},
        {serialized(dictionary({{"Date", "1"}})), VLChangelogReader::NotAnArray},
        {serialized(base::Value(base::Value::Array{})), VLChangelogReader::NoReleases},
    };
    for (const Case& c : cases) {
        const auto releases = VLChangelogReader::read(c.bytes);
        ASSERT_FALSE(releases);
        EXPECT_EQ(releases.error().code, c.code) << releases.error().description;
    }
}

}  // namespace
