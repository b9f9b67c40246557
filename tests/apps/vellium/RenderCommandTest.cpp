// `vellium render` run as a separate process on a device root laid out by the project's script,
// with the example tweak's bundle library loaded into it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/PropertyList.h"
#include "support/ChildProcess.h"
#include "support/GoldenText.h"
#include "support/TemporaryDirectory.h"

namespace {

constexpr const char* kPreferences = "var/mobile/Library/Preferences/com.example.exampletweak.plist";

struct Outcome {
    int status = -1;
    std::string errors;
};

std::string contents(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

class RenderCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string command = std::string("'") + VK_MAKE_DEVICE_ROOT + "' '" + root.path().string() + "' '" +
                              VK_BUILD_DIR + "' > /dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }

    Outcome render(std::vector<std::string> arguments) const {
        arguments.insert(arguments.begin(), {VK_VELLIUM, "--root", root.path().string(), "render"});
        testsupport::ChildProcess tool(std::move(arguments));
        Outcome outcome;
        outcome.errors = tool.readAllErrors();
        outcome.status = tool.wait();
        return outcome;
    }
    base::Value stored(const std::string& key) const {
        auto file = base::PropertyList::readFile(root.path() / kPreferences);
        return file ? file.value()[key] : base::Value();
    }

    testsupport::TemporaryDirectory root;
    std::string png = (root.path() / "screen.png").string();
    std::string json = (root.path() / "screen.json").string();
};

TEST_F(RenderCommandTest, UsageErrorsExitTwoAndWriteNothing) {
    const std::vector<std::vector<std::string>> mistakes = {
        {},
        {"ExampleTweak"},
        {"ExampleTweak", "ExampleTweak", "extra", "-o", png},
        {"ExampleTweak", "-o", png, "--loud"},
        {"ExampleTweak", "-o", png, "--size", "390"},
        {"ExampleTweak", "-o", png, "--size", "0x844"},
        {"ExampleTweak", "-o", png, "--scale", "9"},
        {"ExampleTweak", "-o", png, "--tap-at", "12"},
        {"ExampleTweak", "-o", png, "--scroll", "far"},
        {"ExampleTweak", "-o", png, "--dark=yes"},
        {"ExampleTweak", "-o", png, "--tap"},
    };
    for (const auto& arguments : mistakes) {
        Outcome run = render(arguments);
        EXPECT_EQ(run.status, 2) << testing::PrintToString(arguments);
        EXPECT_NE(run.errors.find("usage: vellium render"), std::string::npos) << run.errors;
    }
    EXPECT_FALSE(std::filesystem::exists(png));
}

TEST_F(RenderCommandTest, AMissingBundleOrDocumentIsOneLineAndTheEmptyScreenIsStillWritten) {
    const std::vector<std::vector<std::string>> missing = {
        {"NoSuchTweak"},
        {"ExampleTweak", "NoSuchDocument"},
        {"..", "ExampleTweak"},
        {"ExampleTweak", "../ExampleTweakPrefs.bundle/ExampleTweak"},
    };
    for (auto arguments : missing) {
        std::filesystem::remove(png);
        arguments.insert(arguments.end(), {"-o", png});
        Outcome run = render(arguments);
        EXPECT_EQ(run.status, 1) << testing::PrintToString(arguments);
        // One line of the tool's own (the kit may log its own lines beside it).
        std::size_t lines = 0;
        for (auto at = run.errors.find("vellium render: "); at != std::string::npos;
             at = run.errors.find("vellium render: ", at + 1))
            ++lines;
        EXPECT_EQ(lines, 1u) << run.errors;
        EXPECT_TRUE(std::filesystem::exists(png)) << testing::PrintToString(arguments);
    }
}

TEST_F(RenderCommandTest, TheExampleListAtRestMatchesItsReviewedViewTree) {
    // The date row shows its stored date, Tue, 5 Mar 2024 14:07 UTC (else today's), in the
    // zone and language set here.
    ASSERT_TRUE(base::PropertyList::writeFile(
        base::Value::Dictionary{{"QuietHoursStart", base::Date(731340420)}}, root.path() / kPreferences));
    ::setenv("TZ", "UTC", 1);
    ::setenv("LC_ALL", "C.UTF-8", 1);
    ASSERT_EQ(render({"ExampleTweak", "-o", png, "--json", json, "--title", "Example Tweak"}).status, 0);
    EXPECT_TRUE(GoldenText::matches(contents(json), std::filesystem::path(VK_SOURCE_DIR) /
                                                        "tests/apps/vellium/golden/example-list.json"));
}

TEST_F(RenderCommandTest, TapsByLabelChooseAnOptionThatIsStoredOnConfirm) {
    // The picker's confirm button, at the top right of its sheet, shows no text.
    Outcome run = render(
        {"ExampleTweak", "-o", png, "--tap", "Animation Style", "--tap", "Slide", "--tap-at", "352,94"});
    ASSERT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(stored("AnimationStyle").longLongValue(), 2);
}

TEST_F(RenderCommandTest, ResetSettingsAsksFirstAndThenRemovesTheTweaksEntries) {
    ASSERT_TRUE(base::PropertyList::writeFile(base::Value::Dictionary{{"Columns", 6}, {"Enabled", false}},
                                              root.path() / kPreferences));
    Outcome asked = render({"ExampleTweak", "-o", png, "--action", "resetSettings", "--tap", "Cancel"});
    ASSERT_EQ(asked.status, 0) << asked.errors;
    EXPECT_EQ(stored("Columns").longLongValue(), 6);

    Outcome reset = render({"ExampleTweak", "-o", png, "--action", "resetSettings", "--tap", "Reset"});
    ASSERT_EQ(reset.status, 0) << reset.errors;
    EXPECT_TRUE(stored("Columns").isAbsent());
    EXPECT_TRUE(stored("Enabled").isAbsent());
}

TEST_F(RenderCommandTest, TheAvatarRowOpensItsPickerAndStoresTheChosenFace) {
    // Scrolled so that the row is in sight; then the first preset face and the confirm button.
    Outcome run = render({"ExampleTweak", "-o", png, "--scroll", "600", "--tap", "Profile Picture",
                          "--tap-at", "58,610", "--tap-at", "352,99"});
    ASSERT_EQ(run.status, 0) << run.errors;
    const base::Value avatar = stored("Avatar");
    const base::Data* jpeg = avatar.asData();
    ASSERT_NE(jpeg, nullptr);
    ASSERT_GT(jpeg->size(), 2u);
    EXPECT_EQ((*jpeg)[0], 0xFF);
    EXPECT_EQ((*jpeg)[1], 0xD8);
    EXPECT_TRUE(std::filesystem::exists(root.path() /
                                        "var/QZN/Vellium/Thumbnails/com.example.exampletweak_Avatar.png"));
}

TEST_F(RenderCommandTest, TheEmergencyContactRowStoresTheContactPickedFromTheAddressBook) {
    const auto book = root.path() / "contacts";
    std::filesystem::create_directories(book);
    std::ofstream(book / "people.vcf")
        << "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lovelace;Ada;;;\r\nFN:Ada Lovelace\r\n"
           "TEL;TYPE=CELL:+44 20 7946 0018\r\nUID:ada-1\r\nEND:VCARD\r\n";
    // The picker's confirm button is at the top right of its sheet.
    Outcome run = render({"ExampleTweak", "-o", png, "--contacts", book.string(), "--scroll", "1400", "--tap",
                          "Emergency Contact", "--tap", "Ada Lovelace", "--tap-at", "352,94"});
    ASSERT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(stored("EmergencyContact"), base::Value("Ada Lovelace"));
    EXPECT_EQ(stored("EmergencyPhone"), base::Value("+442079460018"));
}

}  // namespace
