#include <gtest/gtest.h>

#include <stdexcept>

#include "crypto/VLCryptorDataHelpers.h"

TEST(VLCryptorDataHelpers, ConsumeToIndexSplitsTheBuffer) {
    base::Data data{1, 2, 3, 4, 5};
    EXPECT_EQ(vl_consumeToIndex(data, 2), (base::Data{1, 2}));
    EXPECT_EQ(data, (base::Data{3, 4, 5}));
    EXPECT_EQ(vl_consumeToIndex(data, 0), base::Data{});
    EXPECT_EQ(vl_consumeToIndex(data, 3), (base::Data{3, 4, 5}));
    EXPECT_TRUE(data.empty());
    EXPECT_THROW(vl_consumeToIndex(data, 1), std::out_of_range);
}

TEST(VLCryptorDataHelpers, ConsistentTimeComparison) {
    const base::Data tag{9, 8, 7, 6};
    EXPECT_TRUE(vl_isEqualInConsistentTime(tag, base::Data{9, 8, 7, 6}));
    EXPECT_FALSE(vl_isEqualInConsistentTime(tag, base::Data{9, 8, 7, 7}));
    EXPECT_FALSE(vl_isEqualInConsistentTime(tag, base::Data{1, 8, 7, 6}));
    // A prefix, or the receiver repeated, must not pass for the receiver.
    EXPECT_FALSE(vl_isEqualInConsistentTime(tag, base::Data{9, 8, 7}));
    EXPECT_FALSE(vl_isEqualInConsistentTime(tag, base::Data{9, 8, 7, 6, 9, 8, 7, 6}));
    EXPECT_FALSE(vl_isEqualInConsistentTime(tag, base::Data{}));
    // An empty receiver equals only an empty argument (and never divides by its length).
    EXPECT_TRUE(vl_isEqualInConsistentTime(base::Data{}, base::Data{}));
    EXPECT_FALSE(vl_isEqualInConsistentTime(base::Data{}, base::Data{0}));
}
