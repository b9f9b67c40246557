// `vellium prefs` driven as a script would drive it: a separate process on a private root.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/PropertyList.h"
#include "support/ChildProcess.h"
#include "support/TemporaryDirectory.h"

namespace {

using ::testing::HasSubstr;

struct Outcome {
    int status = -1;
    std::string output;
};

class PrefsCommandTest : public ::testing::Test {
protected:
    static constexpr const char* kID = "com.example.cli";

    void SetUp() override { std::filesystem::create_directories(root_ / "var/mobile/Library/Preferences"); }

    // Runs `vellium --root ROOT prefs ARGS...`, collecting standard output.
    Outcome prefs(std::vector<std::string> arguments) const {
        arguments.insert(arguments.begin(), {VK_VELLIUM, "--root", root_.string(), "prefs"});
        testsupport::ChildProcess tool(std::move(arguments), testsupport::ChildProcess::Errors::Discard);
        Outcome outcome;
        outcome.output = tool.readAllOutput();
        outcome.status = tool.wait();
        return outcome;
    }

    base::Value file() const {
        auto parsed = base::PropertyList::readFile(root_ / "var/mobile/Library/Preferences" /
                                                   (std::string(kID) + ".plist"));
        return parsed ? parsed.value() : base::Value();
    }

    testsupport::TemporaryDirectory directory_;
    const std::filesystem::path& root_ = directory_.path();
};

TEST_F(PrefsCommandTest, TypedValuesAreStoredWithTheirPropertyListTypes) {
    std::ofstream(root_ / "blob.bin", std::ios::binary) << std::string("\x01\x02\xff", 3);
    struct Case {
        std::vector<std::string> words;
        base::Value stored;
    } cases[] = {
        {{"flag", "yes", "--type", "bool"}, true},
        {{"off", "0", "--type=bool"}, false},
        {{"small", "-7", "--type", "int"}, -7},
        {{"big", "4294967296", "--type", "integer"}, 4294967296LL},
        {{"level", "3.0", "--type", "float"}, 3},
        {{"name", "Hello world"}, "Hello world"},
        {{"when", "2024-05-01T12:30:00+02:00", "--type", "date"}, base::Date::fromUnixTime(1714559400)},
        {{"day", "2001-01-01", "--type", "date"}, base::Date(0)},
        {{"hex", "0x00ff10", "--type", "data"}, base::Data{0x00, 0xff, 0x10}},
        {{"file", "@" + (root_ / "blob.bin").string(), "--type", "data"}, base::Data{1, 2, 255}},
        {{"tint", " 0xff8000\n", "--type", "colour"}, "FF8000"},
        {{"apps", "--json", R"(["com.a", "com.b"])"}, base::Value::Array{"com.a", "com.b"}},
        {{"map", "--json", R"({"a": 1, "b": [true, 2.5]})"},
         base::Value::Dictionary{{"a", 1}, {"b", base::Value::Array{true, 2.5}}}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> words = {"set", "--no-notify", kID};
        words.insert(words.end(), c.words.begin(), c.words.end());
        ASSERT_EQ(prefs(words).status, 0) << c.words[0];
        EXPECT_EQ(file()[c.words[0]], c.stored) << c.words[0];
        EXPECT_EQ(file()[c.words[0]].type(), c.stored.type()) << c.words[0];
    }
    EXPECT_EQ(file().count(), std::size(cases));
}

TEST_F(PrefsCommandTest, GetPrintsValuesAndFailsWhenAbsent) {
    ASSERT_EQ(prefs({"set", "--no-notify", kID, "name", "Hello"}).status, 0);
    ASSERT_EQ(prefs({"set", "--no-notify", kID, "when", "2024-05-01T12:30:00Z", "--type", "date"}).status, 0);
    ASSERT_EQ(prefs({"set", "--no-notify", kID, "apps", "--json", R"(["x"])"}).status, 0);
    Outcome name = prefs({"get", kID, "name"});
    EXPECT_EQ(name.status, 0);
    EXPECT_EQ(name.output, "Hello\n");
    EXPECT_EQ(prefs({"get", kID, "when"}).output, "2024-05-01T12:30:00Z\n");
    EXPECT_EQ(prefs({"get", kID, "apps"}).output, "[\"x\"]\n");
    EXPECT_EQ(prefs({"get", kID, "missing"}).status, 1);
    EXPECT_EQ(prefs({"get", "com.example.none", "name"}).status, 1);
}

TEST_F(PrefsCommandTest, ListAndDeleteShowAndRemoveEntries) {
    ASSERT_EQ(prefs({"set", "--no-notify", kID, "b", "2", "--type", "int"}).status, 0);
    ASSERT_EQ(prefs({"set", "--no-notify", kID, "a", "true", "--type", "bool"}).status, 0);
    EXPECT_EQ(prefs({"list", kID}).output, "a = true\nb = 2\n");
    EXPECT_THAT(prefs({"list", kID, "--json"}).output, HasSubstr("\"b\": 2"));
    ASSERT_EQ(prefs({"delete", "--no-notify", kID, "a"}).status, 0);
    EXPECT_EQ(prefs({"list", kID}).output, "b = 2\n");
    EXPECT_EQ(prefs({"list", "com.example.none", "--json"}).output, "{}\n");
}

TEST_F(PrefsCommandTest, AWriteTheStoreCouldNotMakeFailsWithItsReason) {
    // The preference directory's place is taken by a file, so nothing can be written there.
    std::filesystem::remove_all(root_ / "var/mobile/Library/Preferences");
    std::ofstream(root_ / "var/mobile/Library/Preferences") << "not a directory";
    Outcome set = prefs({"set", "--no-notify", kID, "name", "Hello"});
    EXPECT_EQ(set.status, 1);
    EXPECT_EQ(prefs({"delete", "--no-notify", kID, "name"}).status, 1);
}

TEST_F(PrefsCommandTest, BadIdentifiersKeysAndValuesAreUsageErrorsThatWriteNothing) {
    const std::vector<std::vector<std::string>> rejected = {
        {"set", "--no-notify", "../escape", "k", "v"},
        {"set", "--no-notify", "a/b", "k", "v"},
        {"set", "--no-notify", "..", "k", "v"},
        {"set", "--no-notify", kID, "k", "maybe", "--type", "bool"},
        {"set", "--no-notify", kID, "k", "2147483648", "--type", "int"},
        {"set", "--no-notify", kID, "k", "9223372036854775808", "--type", "integer"},
        {"set", "--no-notify", kID, "k", "0.5", "--type", "float"},
        {"set", "--no-notify", kID, "k", "2023-02-30", "--type", "date"},
        {"set", "--no-notify", kID, "k", "12:00", "--type", "date"},
        {"set", "--no-notify", kID, "k", "abc", "--type", "data"},
        {"set", "--no-notify", kID, "k", "#FF8000", "--type", "colour"},
        {"set", "--no-notify", kID, "k", "v", "--type", "number"},
        {"set", "--no-notify", kID, "k", "--json", "[1, null]"},
        {"set", "--no-notify", kID, "k", "--json", "{\"a\": "},
        {"set", "--no-notify", kID, "k", "bell\x07"},
        {"set", "--no-notify", kID, "bad\xff", "v"},
        {"get", kID},
        {"frobnicate", kID},
    };
    for (const auto& words : rejected) {
        EXPECT_EQ(prefs(words).status, 2) << ::testing::PrintToString(words);
    }
    EXPECT_TRUE(std::filesystem::is_empty(root_ / "var/mobile/Library/Preferences"));
    EXPECT_FALSE(std::filesystem::exists(root_ / "var/mobile/Library/escape.plist"));
}

TEST_F(PrefsCommandTest, WatchSeesChangesPostedByOtherProcesses) {
    if (!std::getenv("DBUS_SESSION_BUS_ADDRESS")) GTEST_SKIP() << "needs a session bus (dbus-run-session)";
    ASSERT_EQ(prefs({"set", "--no-notify", kID, "other", "1", "--type", "int"}).status, 0);

    testsupport::ChildProcess watcher(
        {VK_VELLIUM, "--root", root_.string(), "prefs", "watch", kID, "--values", "--count", "3"});
    ASSERT_THAT(watcher.readErrorLine(), HasSubstr("watching " + std::string(kID) + "/PrefsChanged"));

    EXPECT_EQ(prefs({"set", kID, "key", "hello"}).status, 0);
    EXPECT_EQ(prefs({"delete", kID, "other"}).status, 0);
    EXPECT_EQ(prefs({"notify", kID}).status, 0);
    const std::string seen = watcher.readAllOutput();  // until it stops after three
    EXPECT_EQ(watcher.wait(), 0);
    const std::string name = std::string(kID) + "/PrefsChanged\n";
    EXPECT_EQ(seen, name + "  key = hello\n" + name + "  other removed\n" + name);
}

// Export, reset and import. A document of the bundle "Demo" writes Enabled (a switch) and
// Columns (a stepper) into the tool's identifier, and Other into another one.
TEST_F(PrefsCommandTest, ExportResetAndImportRoundTrip) {
    const auto bundle = root_ / "var/QZN/Vellium/Preferences/DemoPrefs.bundle";
    std::filesystem::create_directories(bundle);
    auto row = [](const char* type, const char* key, const char* id) {
        return base::Value(base::Value::Dictionary{{"CellType", type}, {"Key", key}, {"BID", id}});
    };
    ASSERT_TRUE(base::PropertyList::writeFile(
        base::Value::Dictionary{
            {"Preferences", base::Value::Array{row("VLPrefsSwitchCell", "Enabled", kID),
                                               row("VLPrefsStepperCell", "Columns", kID),
                                               row("VLPrefsTextFieldCell", "Other", "com.other")}}},
        bundle / "Demo.plist"));
    const std::vector<std::string> document{"--document", "Demo", "--bundle", "Demo"};
    auto with = [](std::vector<std::string> words, const std::vector<std::string>& more) {
        words.insert(words.end(), more.begin(), more.end());
        return words;
    };
    ASSERT_EQ(prefs({"set", kID, "Enabled", "yes", "--type", "bool"}).status, 0);
    ASSERT_EQ(prefs({"set", kID, "Columns", "5", "--type", "int"}).status, 0);
    ASSERT_EQ(prefs({"set", kID, "Note", "kept by a document reset"}).status, 0);

    // The export, read back by Python's own property-list reader.
    Outcome exported = prefs({"export", kID});
    ASSERT_EQ(exported.status, 0);
    const auto saved = root_ / "saved.plist";
    std::ofstream(saved) << exported.output;
    testsupport::ChildProcess reader(
        {"python3", "-c",
         "import json,plistlib,sys; print(json.dumps(plistlib.load(open(sys.argv[1],'rb')),"
         " sort_keys=True))",
         saved.string()});
    EXPECT_EQ(reader.readAllOutput(),
              "{\"Columns\": 5, \"Enabled\": true, \"Note\": \"kept by a document reset\"}\n");
    ASSERT_EQ(reader.wait(), 0);

    // A document reset removes only the keys its rows write here; a full reset every key.
    ASSERT_EQ(prefs(with({"reset", kID}, document)).status, 0);
    EXPECT_EQ(file(), base::Value(base::Value::Dictionary{{"Note", "kept by a document reset"}}));
    ASSERT_EQ(prefs({"reset", kID}).status, 0);
    EXPECT_EQ(file(), base::Value(base::Value::Dictionary{}));

    // Imports: everything back; a value its row cannot store, or a file that is no dictionary,
    // imports nothing.
    ASSERT_EQ(prefs(with({"import", kID, saved.string()}, document)).status, 0);
    EXPECT_EQ(file()["Columns"], base::Value(5));
    EXPECT_EQ(file()["Note"], base::Value("kept by a document reset"));
    const auto wrong = root_ / "wrong.plist";
    ASSERT_TRUE(
        base::PropertyList::writeFile(base::Value::Dictionary{{"Enabled", "yes"}, {"Fresh", 1}}, wrong));
    EXPECT_EQ(prefs(with({"import", kID, wrong.string()}, document)).status, 1);
    EXPECT_TRUE(file()["Fresh"].isAbsent());
    ASSERT_TRUE(base::PropertyList::writeFile(base::Value::Array{1, 2}, wrong));
    EXPECT_EQ(prefs({"import", kID, wrong.string()}).status, 1);
    EXPECT_EQ(prefs({"reset", kID, "--document", "Demo"}).status, 2);  // --bundle missing
}

}  // namespace
