#include <gtest/gtest.h>

#include <set>

#include "pickers/PrivateAppList.h"
#include "support/XdgDataFixture.h"

namespace {

using base::Value;

void writeApplications(const testsupport::TemporaryDirectory& d) {
    const auto entry = [&](const std::string& id, const std::string& name) {
        std::string text = "[Desktop Entry]\nType=Application\nExec=true\n";
        if (!name.empty()) text += "Name=" + name + "\n";
        d.write("system/applications/" + id + ".desktop", text);
    };
    entry("com.apple.siri", "Siri");
    entry("com.apple.siri.parsec.HashtagImagesApp", "Hashtag Images");
    entry("com.apple.siri.Extra", "siri extra");
    entry("com.apple.SIRI", "Upper-case Siri");
    entry("org.example.banana", "banana");
    entry("org.example.Apple", "Apple");
    entry("org.example.cherry", "Cherry");
    entry("org.example.Nameless", "");
}

std::vector<std::string> field(const Value::Array& records, const char* key) {
    std::vector<std::string> values;
    for (const Value& record : records) values.push_back(*record[key].asString());
    return values;
}

Value record(const std::string& bundleID, const std::string& name) {
    return Value(Value::Dictionary{{"bundleID", bundleID}, {"name", name}});
}

TEST(PrivateAppListTest, HidesTheListedServicesByWholeIdentifier) {
    testsupport::xdgDataFixture(writeApplications);
    const auto apps = PrivateAppList::sharedInstance()->allApps();
    const auto ids = field(apps, "bundleID");
    const std::set<std::string> listed(ids.begin(), ids.end());
    EXPECT_FALSE(listed.contains("com.apple.siri"));
    EXPECT_FALSE(listed.contains("com.apple.siri.parsec.HashtagImagesApp"));
    // Neither a longer identifier nor another spelling of a hidden one is hidden.
    EXPECT_TRUE(listed.contains("com.apple.siri.Extra"));
    EXPECT_TRUE(listed.contains("com.apple.SIRI"));
    for (const Value& app : apps) EXPECT_EQ(app.count(), 2u);
}

TEST(PrivateAppListTest, SortsByNameIgnoringCaseWithTheIdentifierForMissingNames) {
    testsupport::xdgDataFixture(writeApplications);
    const auto apps = PrivateAppList::sharedInstance()->allApps();
    EXPECT_EQ(field(apps, "name"),
              (std::vector<std::string>{"Apple", "banana", "Cherry", "org.example.Nameless", "siri extra",
                                        "Upper-case Siri"}));
    EXPECT_EQ(field(apps, "bundleID")[3], "org.example.Nameless");
}

TEST(PrivateAppListTest, SortingKeepsTheOrderOfEqualNames) {
    Value::Array apps = {record("b.first", "apple"), record("c", "Banana"), record("b.second", "APPLE"),
                         record("a", "Äpfel"), record("d", "")};
    const auto sorted = PrivateAppList::sharedInstance()->sortArray(apps);
    EXPECT_EQ(field(sorted, "bundleID"), (std::vector<std::string>{"d", "b.first", "b.second", "c", "a"}));
}

TEST(PrivateAppListTest, TheHiddenListHasEightyEightDistinctEntries) {
    const auto& hidden = PrivateAppList::sharedInstance()->blacklistApps();
    ASSERT_EQ(hidden.size(), 88u);
    EXPECT_EQ(hidden.front(), "com.apple.Magnifier");
    EXPECT_EQ(hidden[16], "com.apple.WebContentFilter.remoteUI.WebContentAnalysisUI");
    EXPECT_EQ(hidden[44], "com.apple.CTCarrierSpaceAuth");
    EXPECT_EQ(hidden.back(), "com.apple.PassbookBanner");
    EXPECT_EQ(std::set<std::string>(hidden.begin(), hidden.end()).size(), 88u);
}

}  // namespace
