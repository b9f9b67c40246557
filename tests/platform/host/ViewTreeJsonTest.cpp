#include <gtest/gtest.h>

#include "host/ViewTreeJson.h"

namespace {

using host::ViewTreeJson;

TEST(ViewTreeJson, NumbersAreShortAndStable) {
    EXPECT_EQ(ViewTreeJson::number(12), "12");
    EXPECT_EQ(ViewTreeJson::number(0.5), "0.5");
    EXPECT_EQ(ViewTreeJson::number(-3.1254), "-3.125");
    EXPECT_EQ(ViewTreeJson::number(19.9999999), "20");
    EXPECT_EQ(ViewTreeJson::number(-0.0001), "0");
    EXPECT_EQ(ViewTreeJson::number(1.0 / 0.0), "null");
}

TEST(ViewTreeJson, StringsEscapeWhatJsonRequires) {
    EXPECT_EQ(ViewTreeJson::quoted("a\"b\\c\nd\x01"), "\"a\\\"b\\\\c\\nd\\u0001\"");
    EXPECT_EQ(ViewTreeJson::quoted("Grüße ✓"), "\"Grüße ✓\"");
}

}  // namespace
