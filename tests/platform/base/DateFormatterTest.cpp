#include <gtest/gtest.h>

#include <limits>

#include "base/DateFormatter.h"
#include "support/ScopedEnvironment.h"

namespace {

using base::Date;
using base::DateFormatter;
using base::Locale;
using base::TimeZone;

const Date kThursday4March2021At0506Utc(636527160);
const Date kTuesday5March2024At1307Utc(731336820);

TimeZone zone(const char* identifier) { return TimeZone::named(identifier).value(); }

TEST(DateFormatter, FormatsInAGivenLocaleAndTimeZone) {
    DateFormatter formatter("E, d MMM HH:mm", Locale("en_US_POSIX"), TimeZone::utc());
    EXPECT_EQ(formatter.stringFromDate(kThursday4March2021At0506Utc), "Thu, 4 Mar 05:06");
    EXPECT_EQ(formatter.stringFromDate(kTuesday5March2024At1307Utc.addingTimeInterval(3600)),
              "Tue, 5 Mar 14:07");

    formatter.setTimeZone(zone("Europe/Berlin"));
    EXPECT_EQ(formatter.stringFromDate(kThursday4March2021At0506Utc), "Thu, 4 Mar 06:06");
    formatter.setDateFormat("h:mm a");
    EXPECT_EQ(formatter.stringFromDate(kThursday4March2021At0506Utc), "6:06 AM");
    formatter.setTimeZone(zone("America/Los_Angeles"));
    EXPECT_EQ(formatter.stringFromDate(kThursday4March2021At0506Utc), "9:06 PM");
}

TEST(DateFormatter, UsesTheLocalesNamesAndCalendarText) {
    DateFormatter german("EEEE, d. MMMM yyyy", Locale("de_DE"), TimeZone::utc());
    EXPECT_EQ(german.stringFromDate(kThursday4March2021At0506Utc), "Donnerstag, 4. März 2021");
    german.setLocale(Locale("fr_FR"));
    EXPECT_EQ(german.stringFromDate(kThursday4March2021At0506Utc), "jeudi, 4. mars 2021");
}

TEST(DateFormatter, DefaultsToTheProcessLocaleAndLocalTimeZone) {
    ScopedEnvironment env{{"LC_ALL", std::nullopt}, {"LC_TIME", "de_DE.UTF-8"}, {"TZ", "Asia/Tokyo"}};
    DateFormatter formatter("MMMM HH:mm");
    EXPECT_EQ(formatter.locale().identifier(), "de_DE");
    EXPECT_EQ(formatter.timeZone().identifier(), "Asia/Tokyo");
    EXPECT_EQ(formatter.stringFromDate(kThursday4March2021At0506Utc), "März 14:06");
}

TEST(DateFormatter, CopiesAreIndependent) {
    DateFormatter original("HH:mm", Locale("en_US_POSIX"), TimeZone::utc());
    EXPECT_EQ(original.stringFromDate(kThursday4March2021At0506Utc), "05:06");  // builds the cache
    DateFormatter copy = original;
    copy.setDateFormat("yyyy");
    EXPECT_EQ(copy.stringFromDate(kThursday4March2021At0506Utc), "2021");
    EXPECT_EQ(original.stringFromDate(kThursday4March2021At0506Utc), "05:06");
}

TEST(DateFormatter, BadInputGivesEmptyText) {
    DateFormatter formatter("HH:mm", Locale("en_US_POSIX"), TimeZone::utc());
    EXPECT_EQ(formatter.stringFromDate(Date(std::numeric_limits<double>::quiet_NaN())), "");
    EXPECT_EQ(formatter.stringFromDate(Date(std::numeric_limits<double>::infinity())), "");
    formatter.setDateFormat("'unterminated");  // patterns are read leniently, never rejected
    EXPECT_EQ(formatter.stringFromDate(kThursday4March2021At0506Utc), "unterminated");
    formatter.setDateFormat("HH J");  // a letter that is no field gives nothing
    EXPECT_EQ(formatter.stringFromDate(kThursday4March2021At0506Utc), "05 ");
    formatter.setDateFormat("'\xFF' HH");  // ill-formed UTF-8 in the pattern is replaced
    EXPECT_EQ(formatter.stringFromDate(kThursday4March2021At0506Utc), "\uFFFD 05");
}

}  // namespace
