#include <gtest/gtest.h>

#include <cmath>

#include "layout/Strength.h"

namespace {

using layout::Strength;

TEST(Strength, PrioritiesMapOntoSeparatedWeights) {
    EXPECT_TRUE(Strength().isRequired());
    EXPECT_TRUE(Strength::priority(1000).isRequired());
    EXPECT_TRUE(Strength::priority(5000).isRequired());
    EXPECT_FALSE(Strength::priority(999.9).isRequired());
    EXPECT_EQ(Strength::required().weight(), 0.0);

    const double w1 = Strength::priority(1).weight();
    const double w250 = Strength::priority(250).weight();
    const double w750 = Strength::priority(750).weight();
    const double w999 = Strength::priority(999).weight();
    EXPECT_GT(w750 / w250, 30000);
    EXPECT_GT(w250 / w1, 150);
    EXPECT_GT(Strength::priority(251).weight(), w250);
    EXPECT_LT(w999, 1e9);
}

TEST(Strength, OutOfRangeInputIsClamped) {
    EXPECT_EQ(Strength::priority(-5).priorityValue(), 1);
    EXPECT_EQ(Strength::priority(NAN).priorityValue(), 1);
    EXPECT_EQ(Strength::priority(500, 1e9).multiplier(), 100);
    EXPECT_EQ(Strength::priority(500, 0).multiplier(), 0.01);
    EXPECT_EQ(Strength::priority(500, NAN).multiplier(), 1);
    EXPECT_TRUE(std::isfinite(Strength::priority(999, 1e9).weight()));
}

}  // namespace
