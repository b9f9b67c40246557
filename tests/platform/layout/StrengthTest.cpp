#include <gtest/gtest.h>

#include <cmath>

#include "layout/Strength.h"

namespace {

using layout::Strength;

TEST(Strength, OutOfRangeInputIsClamped) {
    EXPECT_TRUE(Strength::priority(5000).isRequired());
    EXPECT_FALSE(Strength::priority(999.9).isRequired());
    EXPECT_EQ(Strength::priority(-5).priorityValue(), 1);
    EXPECT_EQ(Strength::priority(NAN).priorityValue(), 1);
    EXPECT_EQ(Strength::priority(500, 1e9).multiplier(), 100);
    EXPECT_EQ(Strength::priority(500, 0).multiplier(), 0.01);
    EXPECT_EQ(Strength::priority(500, NAN).multiplier(), 1);
    EXPECT_TRUE(std::isfinite(Strength::priority(999, 1e9).weight()));
}

}  // namespace
