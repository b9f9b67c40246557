#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <thread>
#include <vector>

#include "base/Calendar.h"
#include "base/Clock.h"
#include "base/FileSystemRoot.h"
#include "base/ManualClock.h"
#include "services/VLUtilities.h"
#include "support/ScopedEnvironment.h"
#include "support/TemporaryDirectory.h"
#include "sys/Device.h"
#include "sys/ImpactFeedbackGenerator.h"
#include "sys/Launcher.h"

namespace {

using testsupport::readFile;
using testsupport::TemporaryDirectory;

class VLUtilitiesTest : public ::testing::Test {
protected:
    void SetUp() override {
        base::Clock::setCurrent(clock_);
        base::FileSystemRoot::set(root_.path());
    }
    void TearDown() override {
        base::Clock::setCurrent(nullptr);
        base::FileSystemRoot::set("/");
        sys::Device::setCurrentDevice(nullptr);
    }
    void setTime(int hour, int minute) {
        clock_->setCurrentDate(base::Calendar::date({2026, 12, 6, hour, minute, 0}, base::TimeZone::utc()));
    }
    void installTool(const std::string& name) {
        const auto tool = root_.path() / "var/bin" / name;
        std::filesystem::create_directories(tool.parent_path());
        std::filesystem::copy_file(RECORD_ARGUMENTS_PROGRAM, tool);
    }
    std::string toolLog(const std::string& name) {
        return readFile(root_.path() / "var/bin" / (name + ".log"));
    }

    ScopedEnvironment utc_{{"TZ", "UTC"}};
    std::shared_ptr<base::ManualClock> clock_ = std::make_shared<base::ManualClock>();
    TemporaryDirectory root_;
    VLUtilities& utilities_ = *VLUtilities::sharedInstance();
};

TEST_F(VLUtilitiesTest, EachToolRunsWithItsExactArgumentsAndNoEnvironment) {
    for (const char* name : {"sbreload", "killall", "mobileldrestart", "uicache"}) installTool(name);
    // Each call returns only once its tool has exited, so the logs are complete here.
    utilities_.respring();
    utilities_.safemode();
    utilities_.reboot();
    utilities_.uicache();
    for (const char* log :
         {"sbreload\n", "killall\n-SEGV\nSpringBoard\n", "mobileldrestart\n", "uicache\n"}) {
        const std::string name(log, std::string_view(log).find('\n'));
        EXPECT_EQ(toolLog(name), std::string(log) + "environment 0\n");
    }
}

TEST_F(VLUtilitiesTest, AMissingToolDoesNothing) {
    utilities_.respring();
    EXPECT_TRUE(toolLog("sbreload").empty());
}

TEST_F(VLUtilitiesTest, GreetingChangesOnTheHour) {
    const std::vector<std::tuple<int, int, std::string>> expected = {
        {0, 0, "Good Morning"},     {11, 59, "Good Morning"}, {12, 0, "Good Afternoon"},
        {16, 59, "Good Afternoon"}, {17, 0, "Good Evening"},  {20, 59, "Good Evening"},
        {21, 0, "Good Night"},      {23, 59, "Good Night"},
    };
    for (const auto& [hour, minute, greeting] : expected) {
        setTime(hour, minute);
        EXPECT_EQ(utilities_.greeting(), greeting) << hour << ":" << minute;
    }
    // The hour is the local one.
    ScopedEnvironment tokyo{{"TZ", "Asia/Tokyo"}};
    setTime(3, 0);  // 12:00 in Tokyo
    EXPECT_EQ(utilities_.greeting(), "Good Afternoon");
}

TEST_F(VLUtilitiesTest, TimeIsAlways24HourWhileDatesFollowTheUsersLocale) {
    ScopedEnvironment english{{"LC_ALL", "en_US.UTF-8"}};
    setTime(13, 5);
    EXPECT_EQ(utilities_.timeWithFormat("HH:mm"), "13:05");
    EXPECT_EQ(utilities_.dateWithFormat("h:mm a"), "1:05 PM");
    ScopedEnvironment german{{"LC_ALL", "de_DE.UTF-8"}};
    EXPECT_EQ(utilities_.dateWithFormat("EEEE"), "Sonntag");
    EXPECT_EQ(utilities_.timeWithFormat("EEEE"), "Sunday");
}

TEST_F(VLUtilitiesTest, BatteryIsAWholePercentOrMinusOneHundred) {
    root_.write("machine/sys/class/power_supply/BAT0/type", "Battery\n");
    root_.write("machine/sys/class/power_supply/BAT0/energy_now", "42800\n");
    root_.write("machine/sys/class/power_supply/BAT0/energy_full", "50000\n");
    sys::Device::setCurrentDevice(sys::Device::create(root_.path() / "machine"));
    EXPECT_EQ(utilities_.battery(), "86%");

    sys::Device::setCurrentDevice(sys::Device::create(root_.path() / "no-battery"));
    EXPECT_EQ(utilities_.battery(), "-100%");
}

TEST_F(VLUtilitiesTest, HapticKeepsTheLastConcreteStyle) {
    using Style = sys::ImpactFeedbackGenerator::Style;
    std::vector<Style> taps;
    sys::ImpactFeedbackGenerator::setSink([&](Style style) { taps.push_back(style); });
    // Soft and rigid never make a generator: as the very first calls they tap nothing.
    utilities_.haptic(3);
    utilities_.haptic(4);
    EXPECT_TRUE(taps.empty());
    for (int style : {1, 3, 4, 2, -1, 0}) utilities_.haptic(style);
    sys::ImpactFeedbackGenerator::setSink(nullptr);
    EXPECT_EQ(taps, (std::vector<Style>{Style::Medium, Style::Medium, Style::Medium, Style::Heavy,
                                        Style::Heavy, Style::Light}));
}

TEST_F(VLUtilitiesTest, LaunchURLHandsValidURLsToTheOpener) {
    const auto log = root_.path() / "opened";
    const auto opener = root_.write("opener", "#!/bin/sh\necho \"$1\" >> " + log.string() + "\n", true);
    sys::Launcher::setURLOpener({opener.string()});
    utilities_.launchURL("not a url");
    utilities_.launchURL("https://example.org/settings?tab=1");
    // The opener runs in the background; wait (with a guard against hanging) for its line.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (readFile(log).empty() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    sys::Launcher::setURLOpener({});
    EXPECT_EQ(readFile(log), "https://example.org/settings?tab=1\n");
}

}  // namespace
