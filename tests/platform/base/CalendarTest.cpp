#include <gtest/gtest.h>

#include <limits>

#include "base/Calendar.h"
#include "support/ScopedEnvironment.h"

namespace {

using base::Calendar;
using base::Date;
using base::DateComponents;
using base::TimeZone;

constexpr int kSunday = 1, kThursday = 5;

TimeZone berlin() { return TimeZone::named("Europe/Berlin").value(); }

TEST(Calendar, ComponentsInAGivenZone) {
    const Date date(636527160);  // 2021-03-04 05:06 UTC
    EXPECT_EQ(Calendar::components(date, TimeZone::utc()), (DateComponents{2021, 3, 4, 5, 6, 0, kThursday}));
    // Across the date line the day and weekday change too.
    auto kiritimati = Calendar::components(date, TimeZone::named("Pacific/Kiritimati").value());
    EXPECT_EQ(kiritimati, (DateComponents{2021, 3, 4, 19, 6, 0, kThursday}));
    auto honolulu = Calendar::components(date, TimeZone::named("Pacific/Honolulu").value());
    EXPECT_EQ(honolulu, (DateComponents{2021, 3, 3, 19, 6, 0, kThursday - 1}));
}

TEST(Calendar, HoursAcrossDaylightSavingChanges) {
    // 28 March 2021: Berlin skips from 02:00 to 03:00.
    EXPECT_EQ(Calendar::components(Date(638585999), berlin()),
              (DateComponents{2021, 3, 28, 1, 59, 59, kSunday}));
    EXPECT_EQ(Calendar::components(Date(638586000), berlin()),
              (DateComponents{2021, 3, 28, 3, 0, 0, kSunday}));
    EXPECT_EQ(berlin().secondsFromGMT(Date(638585999)), 3600);
    EXPECT_EQ(berlin().secondsFromGMT(Date(638586000)), 7200);
    // 31 October 2021: 02:00 to 03:00 happens twice.
    EXPECT_EQ(Calendar::components(Date(657334740), berlin())->hour, 2);
    EXPECT_EQ(Calendar::components(Date(657334800), berlin())->hour, 2);
    EXPECT_EQ(Calendar::components(Date(657334800 + 3600), berlin())->hour, 3);
}

TEST(Calendar, MakesDatesFromWallClockFields) {
    EXPECT_EQ(Calendar::date({2021, 3, 4, 5, 6, 0}, TimeZone::utc()), Date(636527160));
    EXPECT_EQ(Calendar::date({2021, 3, 4, 6, 6, 0}, berlin()), Date(636527160));
    // 02:30 does not exist on 28 March in Berlin: read with the winter offset, it is 03:30 summer time.
    const Date skipped = Calendar::date({2021, 3, 28, 2, 30, 0}, berlin());
    EXPECT_EQ(skipped, Date(638587800));
    EXPECT_EQ(Calendar::components(skipped, berlin())->hour, 3);
    // Fields out of range roll over.
    EXPECT_EQ(Calendar::components(Calendar::date({2021, 12, 32, 0, 0, 0}, TimeZone::utc()), TimeZone::utc()),
              (DateComponents{2022, 1, 1, 0, 0, 0, 7}));
}

TEST(Calendar, LocalZoneReadsTZAsTheCLibraryDoes) {
    const Date winter(636527160), summer(636527160 + 120 * 86400);
    {
        ScopedEnvironment env{{"TZ", "America/New_York"}};
        EXPECT_EQ(TimeZone::local().identifier(), "America/New_York");
        EXPECT_EQ(Calendar::components(winter)->hour, 0);  // 05:06 UTC is 00:06 EST
    }
    {
        ScopedEnvironment env{{"TZ", "CET-1CEST,M3.5.0,M10.5.0/3"}};
        const auto zone = TimeZone::local();
        EXPECT_EQ(zone.secondsFromGMT(winter), 3600);
        EXPECT_EQ(zone.secondsFromGMT(summer), 7200);
    }
    {
        ScopedEnvironment env{{"TZ", "<+0530>-5:30"}};
        EXPECT_EQ(TimeZone::local().secondsFromGMT(winter), 5 * 3600 + 1800);
    }
    {
        ScopedEnvironment env{{"TZ", ""}};
        EXPECT_EQ(TimeZone::local().secondsFromGMT(summer), 0);
        EXPECT_NE(TimeZone::local().identifier(), "Etc/Unknown");
    }
}

TEST(Calendar, UnknownZonesAndNonFiniteDates) {
    EXPECT_FALSE(TimeZone::named("Nowhere/City").has_value());
    EXPECT_FALSE(TimeZone::named("").has_value());
    EXPECT_EQ(TimeZone::named("GMT+05:30")->secondsFromGMT(Date()), 5 * 3600 + 1800);
    EXPECT_FALSE(Calendar::components(Date(std::numeric_limits<double>::quiet_NaN()), TimeZone::utc()));
}

}  // namespace
