#include <gtest/gtest.h>

#include <vector>

#include "ControlTouches.h"
#include "base/Calendar.h"
#include "ui/Button.h"
#include "ui/DatePicker.h"
#include "ui/DatePickerPopover.h"
#include "ui/Window.h"

namespace {

using ui::DatePickerPopover;
using Unit = ui::DatePickerPopover::Unit;

// Tuesday 5 March 2024, 14:07:30 UTC.
constexpr base::Date kTuesday = base::Date::fromUnixTime(1709647650);

gfx::Point centerInWindow(const ui::View& view) {
    gfx::Rect rect = view.convertRect(view.bounds(), nullptr);
    return {rect.midX(), rect.midY()};
}

TEST(DatePickerPopover, APillTapOpensItAPlusTapStepsOneUnitAndATapOutsideClosesIt) {
    auto window = ui::Window::create({390, 844});
    auto picker = ui::DatePicker::create();
    picker->setLocale(base::Locale("en_GB"));
    picker->setTimeZone(base::TimeZone::utc());
    picker->setDate(kTuesday);
    picker->setFrame({150, 100, 220, 35});
    window->addSubview(picker);
    std::vector<base::Date> sent;
    auto target = testsupport::ActionRecorder::create([&] { sent.push_back(picker->date()); });
    picker->addTarget(target, "changed", ui::ControlEventValueChanged);

    gfx::Rect pill = picker->convertRect(picker->pillRects().back(), nullptr);
    testsupport::tap(*window, {pill.midX(), pill.midY()});
    auto popover = DatePickerPopover::of(*picker);
    ASSERT_TRUE(popover);
    EXPECT_EQ(popover->units().size(), 5u);
    EXPECT_GE(popover->card()->frame().y, pill.maxY());  // below the pills

    testsupport::tap(*window, centerInWindow(*popover->plusButton(Unit::Day)));
    testsupport::tap(*window, centerInWindow(*popover->minusButton(Unit::Minute)));
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0], kTuesday.addingTimeInterval(86400));
    EXPECT_EQ(sent[1], kTuesday.addingTimeInterval(86400 - 60));
    EXPECT_EQ(popover->valueText(Unit::Day), "6");
    EXPECT_EQ(popover->valueText(Unit::Minute), "06");

    testsupport::tap(*window, centerInWindow(*popover->card()));  // the card itself keeps it open
    EXPECT_TRUE(DatePickerPopover::of(*picker));
    testsupport::tap(*window, {10, 800});
    EXPECT_FALSE(DatePickerPopover::of(*picker));
    EXPECT_TRUE(window->overlays().empty());
}

TEST(DatePickerPopover, SteppingMonthsAndYearsKeepsTheDayInsideTheMonth) {
    auto utc = base::TimeZone::utc();
    auto at = [&](int y, int m, int d) { return base::Calendar::date({y, m, d, 9, 30, 0}, utc); };
    EXPECT_EQ(DatePickerPopover::stepped(at(2024, 1, 31), Unit::Month, 1, utc), at(2024, 2, 29));
    EXPECT_EQ(DatePickerPopover::stepped(at(2024, 2, 29), Unit::Year, 1, utc), at(2025, 2, 28));
    EXPECT_EQ(DatePickerPopover::stepped(at(2024, 1, 15), Unit::Month, -1, utc), at(2023, 12, 15));
    EXPECT_EQ(DatePickerPopover::stepped(base::Calendar::date({2024, 12, 31, 23, 59, 0}, utc), Unit::Minute,
                                         1, utc),
              base::Calendar::date({2025, 1, 1, 0, 0, 0}, utc));
}

}  // namespace
