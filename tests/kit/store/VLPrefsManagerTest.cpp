#include <gmock/gmock.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <climits>
#include <csignal>
#include <fstream>

#include "PrefsTestRoot.h"
#include "store/VLPrefsManager.h"
#include "support/ExpandingPropertyList.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::SizeIs;

constexpr const char* kID = "com.example.tweak";

class VLPrefsManagerTest : public PrefsTestRoot {
protected:
    VLPrefsManager prefs_;
};

TEST_F(VLPrefsManagerTest, NumbersTakeTheDefaultOnZeroOrAbsenceWhileAStoredFalseStaysFalse) {
    EXPECT_EQ(prefs_.integerForKey("count", 5, kID), 5);  // no file
    prefs_.setInteger(0, "count", kID);
    EXPECT_EQ(prefs_.integerForKey("count", 5, kID), 5);
    EXPECT_EQ(prefs_.intForKey("count", 7, kID), 7);
    EXPECT_EQ(prefs_.floatForKey("count", 9, kID), 9);
    EXPECT_EQ(prefs_.integerForKey("count", kID), 0);
    prefs_.setInteger(-3, "count", kID);
    EXPECT_EQ(prefs_.integerForKey("count", 5, kID), -3);
    EXPECT_EQ(prefs_.intForKey("missing", kID), 0);

    EXPECT_TRUE(prefs_.boolForKey("enabled", true, kID));
    EXPECT_FALSE(prefs_.boolForKey("enabled", kID));
    prefs_.setBool(false, "enabled", kID);
    EXPECT_FALSE(prefs_.boolForKey("enabled", true, kID));
    prefs_.setBool(true, "enabled", kID);
    EXPECT_TRUE(prefs_.boolForKey("enabled", false, kID));
    EXPECT_EQ(*fileContent(kID)["enabled"].asBoolean(), true);
}

TEST_F(VLPrefsManagerTest, WholeFloatsAreStoredAsIntegersAndSixtyFourBitsReadBackAsWritten) {
    prefs_.setFloat(3, "level", kID);
    EXPECT_EQ(prefs_.floatForKey("level", 1, kID), 3);
    EXPECT_EQ(fileContent(kID)["level"], base::Value(3));

    prefs_.setInteger(4294967296LL, "big", kID);
    EXPECT_EQ(prefs_.integerForKey("big", kID), 4294967296LL);
    EXPECT_EQ(prefs_.integerForKey("big", 5, kID), 4294967296LL);
    prefs_.setInteger(LLONG_MIN, "big", kID);
    EXPECT_EQ(prefs_.integerForKey("big", kID), LLONG_MIN);
    prefs_.setInt(INT_MIN, "small", kID);
    EXPECT_EQ(prefs_.intForKey("small", kID), INT_MIN);
}

TEST_F(VLPrefsManagerTest, FileHoldsTypedEntriesAndKeepsForeignOnesUnchanged) {
    base::Value foreign = base::Value::Dictionary{{"nested", base::Value::Array{1, "two", 3.5}}};
    writeFile(kID, base::Value::Dictionary{{"Foreign", foreign},
                                           {"When", base::Date(12345.0)},
                                           {"Blob", base::Data{0, 1, 255}},
                                           {"Ratio", 0.25}});
    prefs_.setBool(true, "flag", kID);
    prefs_.setInt(42, "int", kID);
    prefs_.setObject("hello", "text", kID);
    prefs_.setObject(base::Date(100.0), "date", kID);
    prefs_.setObject(base::Value::Array{"com.a", "com.b"}, "apps", kID);

    using base::Date;
    EXPECT_EQ(fileContent(kID),
              base::Value(base::Value::Dictionary{{"Foreign", foreign},
                                                  {"When", Date(12345.0)},
                                                  {"Blob", base::Data{0, 1, 255}},
                                                  {"Ratio", 0.25},
                                                  {"flag", true},
                                                  {"int", 42},
                                                  {"text", "hello"},
                                                  {"date", Date(100.0)},
                                                  {"apps", base::Value::Array{"com.a", "com.b"}}}));
    std::ifstream raw(preferenceFile(kID));
    std::string head(5, '\0');
    raw.read(head.data(), 5);
    EXPECT_EQ(head, "<?xml");
}

TEST_F(VLPrefsManagerTest, ObjectsReadBackAndRemovingDeletesOnlyThatEntry) {
    EXPECT_EQ(prefs_.objectForKey("text", "fallback", kID), base::Value("fallback"));
    EXPECT_TRUE(prefs_.objectForKey("text", kID).isAbsent());
    prefs_.setObject("value", "text", kID);
    prefs_.setObject("other", "keep", kID);
    EXPECT_EQ(prefs_.objectForKey("text", "fallback", kID), base::Value("value"));
    prefs_.removeObjectForKey("text", kID);
    EXPECT_TRUE(prefs_.objectForKey("text", kID).isAbsent());
    EXPECT_EQ(fileContent(kID), base::Value(base::Value::Dictionary{{"keep", "other"}}));
    prefs_.removeObjectForKey("anything", "fresh");  // a missing file becomes an empty dictionary
    EXPECT_EQ(fileContent("fresh"), base::Value(base::Value::Dictionary{}));
}

TEST_F(VLPrefsManagerTest, NullIdentifierReadsDefaultsAndWritesNothing) {
    prefs_.setBool(true, "flag", std::nullopt);
    prefs_.setObject("x", "text", std::nullopt);
    prefs_.removeObjectForKey("flag", std::nullopt);
    EXPECT_TRUE(prefs_.boolForKey("flag", true, std::nullopt));
    EXPECT_EQ(prefs_.floatForKey("level", 4, std::nullopt), 4);
    EXPECT_THAT(directoryEntries(), IsEmpty());
    EXPECT_THAT(logLines_, IsEmpty());
}

TEST_F(VLPrefsManagerTest, IdentifiersThatLeaveTheDirectoryAreRefused) {
    std::filesystem::create_directories(preferenceDirectory() / "sub");
    for (const std::string& id :
         std::vector<std::string>{"", ".", "..", "../escape", "sub/file", std::string("a\0b", 3)}) {
        logLines_.clear();
        prefs_.setBool(true, "flag", id);
        EXPECT_TRUE(prefs_.boolForKey("flag", true, id));
        EXPECT_THAT(logLines_, SizeIs(2)) << "one line per refused call for \"" << id << "\"";
    }
    EXPECT_THAT(directoryEntries(), ElementsAre("sub"));
    EXPECT_TRUE(std::filesystem::is_empty(preferenceDirectory() / "sub"));
    EXPECT_FALSE(std::filesystem::exists(preferenceDirectory().parent_path() / "escape.plist"));
}

TEST_F(VLPrefsManagerTest, UnstorableKeysAndValuesAreRefusedAndTheFileKept) {
    prefs_.setObject("kept", "a", kID);
    logLines_.clear();
    prefs_.setObject("x", std::string("nul\0key", 7), kID);
    prefs_.setObject("bad \xff utf8", "b", kID);
    prefs_.setObject("bell \x07", "c", kID);
    prefs_.setObject(base::Value::Array{base::Value()}, "d", kID);
    EXPECT_THAT(logLines_, SizeIs(4));
    EXPECT_EQ(fileContent(kID), base::Value(base::Value::Dictionary{{"a", "kept"}}));
    prefs_.setObject("na\xc3\xafve \xf0\x9f\x98\x80\ttab", "e", kID);
    EXPECT_EQ(prefs_.objectForKey("e", kID), base::Value("na\xc3\xafve \xf0\x9f\x98\x80\ttab"));
}

TEST_F(VLPrefsManagerTest, AnUnusableFileReadsAsEmptyAndIsNotReplaced) {
    const std::string garbage = "<?xml version=\"1.0\"?><plist><dict><key>a</key>";
    const std::vector<std::uint8_t> expanding = testsupport::expandingPropertyList();
    for (const std::string& unusable : {garbage, std::string(expanding.begin(), expanding.end())}) {
        logLines_.clear();
        std::ofstream(preferenceFile(kID), std::ios::binary | std::ios::trunc) << unusable;
        EXPECT_TRUE(prefs_.boolForKey("a", true, kID));
        prefs_.setBool(false, "a", kID);
        EXPECT_THAT(logLines_, SizeIs(1));
        std::ifstream in(preferenceFile(kID), std::ios::binary);
        EXPECT_TRUE(std::string(std::istreambuf_iterator<char>(in), {}) == unusable);
    }

    writeFile(kID, base::Value::Array{1, 2});  // a root that is not a dictionary
    prefs_.setBool(false, "a", kID);
    EXPECT_EQ(fileContent(kID).count(), 2u);
    EXPECT_EQ(fileContent(kID).type(), base::Value::Type::Array);
}

TEST_F(VLPrefsManagerTest, AnEmptyFileAndABinaryFileAreReadAndRewrittenAsXml) {
    std::ofstream(preferenceFile(kID)).close();
    prefs_.setInt(1, "one", kID);
    EXPECT_EQ(fileContent(kID), base::Value(base::Value::Dictionary{{"one", 1}}));

    ASSERT_TRUE(base::PropertyList::writeFile(base::Value::Dictionary{{"b", true}}, preferenceFile("bin"),
                                              base::PropertyList::Format::Binary)
                    .ok());
    EXPECT_TRUE(prefs_.boolForKey("b", false, "bin"));
    prefs_.setInt(2, "two", "bin");
    EXPECT_EQ(fileContent("bin"), base::Value(base::Value::Dictionary{{"b", true}, {"two", 2}}));
}

TEST_F(VLPrefsManagerTest, TheFirstWriteOnAFreshRootCreatesThePreferenceDirectory) {
    std::filesystem::remove_all(root_ / "var");
    prefs_.setBool(true, "Enabled", kID);
    EXPECT_EQ(fileContent(kID)["Enabled"], base::Value(true));
    EXPECT_THAT(logLines_, IsEmpty());
}

TEST_F(VLPrefsManagerTest, AFailedWriteLeavesTheOldFileAndLogsOneLine) {
    prefs_.setObject("old", "a", kID);
    base::Value before = fileContent(kID);
    // A child whose file size limit makes every write of the new file fail (even as root).
    const int loggedOnce = testsupport::runInChild([this] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{64, 64};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        logLines_.clear();
        VLPrefsManager writer;
        writer.setObject(std::string(4096, 'n'), "a", kID);
        return logLines_.size() == 1 ? 0 : 1;
    });
    EXPECT_EQ(loggedOnce, 0) << "the failure is logged once";
    EXPECT_EQ(fileContent(kID), before);
    EXPECT_EQ(prefs_.objectForKey("a", kID), base::Value("old"));
}

TEST_F(VLPrefsManagerTest, ColoursDecodeStoredStringsAndDefaultsByTheHexadecimalRule) {
    const gfx::Color orange = VLPrefsManager::colorWithHexString("FF8000");
    EXPECT_EQ(prefs_.colourForKey("tint", "red", kID), gfx::Color::gray()) << "no colour words here";
    EXPECT_EQ(prefs_.colourForKey("tint", " 0xff8000\n", kID), orange);
    prefs_.setObject("ff8000", "tint", kID);
    EXPECT_EQ(prefs_.colourForKey("tint", "000000", kID), orange);
    prefs_.setInteger(16744448, "tint", kID);  // not a string
    EXPECT_EQ(prefs_.colourForKey("tint", "000000", kID), gfx::Color::gray());
    EXPECT_EQ(prefs_.colourForKey("tint", "00FF00", std::nullopt), gfx::Color(0, 1, 0, 1));
}

}  // namespace
