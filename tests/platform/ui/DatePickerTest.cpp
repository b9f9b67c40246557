#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ControlTouches.h"
#include "base/Log.h"
#include "host/HeadlessHost.h"
#include "ui/DatePicker.h"

namespace {

using ui::DatePicker;
using ui::DatePickerMode;

// Tuesday 5 March 2024, 14:07:30 UTC.
constexpr base::Date kTuesday = base::Date::fromUnixTime(1709647650);

std::shared_ptr<DatePicker> englishUtcPicker() {
    auto picker = DatePicker::create();
    picker->setLocale(base::Locale("en_GB"));
    picker->setTimeZone(base::TimeZone::utc());
    picker->setDate(kTuesday);
    return picker;
}

TEST(DatePicker, OnlyAPersonsChoiceSendsValueChangedAndBadDatesAreRefused) {
    auto picker = englishUtcPicker();
    std::vector<base::Date> sent;
    auto target = testsupport::ActionRecorder::create([&] { sent.push_back(picker->date()); });
    picker->addTarget(target, "changed", ui::ControlEventValueChanged);

    picker->setDate(kTuesday.addingTimeInterval(60), true);
    EXPECT_TRUE(sent.empty());
    picker->userDidPickDate(kTuesday);
    picker->userDidPickDate(kTuesday);  // no change, nothing sent
    EXPECT_EQ(sent, std::vector<base::Date>{kTuesday});

    std::vector<std::string> log;
    base::Log::setSink([&](std::string_view line) { log.emplace_back(line); });
    picker->userDidPickDate(base::Date(std::nan("")));
    picker->setDate(base::Date(INFINITY));
    base::Log::resetSink();
    EXPECT_EQ(picker->date(), kTuesday);
    EXPECT_EQ(sent.size(), 1u);
    EXPECT_EQ(log.size(), 2u);
}

TEST(DatePicker, TheModeChoosesThePillsAndTheirSize) {
    auto picker = englishUtcPicker();
    EXPECT_EQ(picker->displayedTexts(), (std::vector<std::string>{"5 Mar 2024", "14:07"}));
    double both = picker->intrinsicContentSize().width;
    picker->setDatePickerMode(DatePickerMode::Date);
    EXPECT_EQ(picker->displayedTexts(), std::vector<std::string>{"5 Mar 2024"});
    double dateOnly = picker->intrinsicContentSize().width;
    picker->setDatePickerMode(DatePickerMode::Time);
    EXPECT_EQ(picker->displayedTexts(), std::vector<std::string>{"14:07"});
    EXPECT_NEAR(both, dateOnly + picker->intrinsicContentSize().width + DatePicker::kPillSpacing, 1e-9);
    EXPECT_EQ(picker->intrinsicContentSize().height, DatePicker::kPillHeight);
}

TEST(DatePicker, PillsEndAtTheTrailingEdgeWithTextInTheTint) {
    auto picker = englishUtcPicker();
    picker->setFrame({0, 0, 188, 35});
    picker->setTintColor(gfx::Color(1, 0, 0));
    std::vector<gfx::Rect> pills = picker->pillRects();
    ASSERT_EQ(pills.size(), 2u);
    EXPECT_NEAR(pills[1].maxX(), 188, 1e-9);
    EXPECT_NEAR(pills[0].maxX() + DatePicker::kPillSpacing, pills[1].x, 1e-9);

    gfx::Image image = host::HeadlessHost::render(*picker, 2.0);
    int reddish = 0, grey = 0;
    for (int y = 0; y < image.pixelHeight(); ++y) {
        for (int x = static_cast<int>(pills[0].x * 2); x < image.pixelWidth(); ++x) {
            gfx::Color c = image.colorAt(x, y);
            if (c.alpha() > 0.5 && c.red() > 0.8 && c.green() < 0.4) ++reddish;
            if (c.alpha() > 0.05 && std::abs(c.red() - c.blue()) < 0.05) ++grey;
        }
    }
    EXPECT_GT(reddish, 20);
    EXPECT_GT(grey, 1000);
    // Nothing is drawn before the first pill.
    EXPECT_EQ(image.colorAt(static_cast<int>(pills[0].x * 2) - 4, 35).alpha(), 0);

    // A little narrower than it would like: the padding gives way, the pills stay inside.
    picker->setFrame({0, 0, picker->intrinsicContentSize().width - 12, 35});
    pills = picker->pillRects();
    EXPECT_NEAR(pills[0].x, 0, 1e-9);
    EXPECT_NEAR(pills[1].maxX(), picker->bounds().width, 1e-9);
}

}  // namespace
