#include "core/display_text.h"

#include <climits>
#include <gtest/gtest.h>

TEST(DisplayText, RatesRoundToEvenAndPartsHaveFiveNames)
{
    EXPECT_EQ(AccuracyText(0, 0), QStringLiteral("--"));
    EXPECT_EQ(AccuracyText(8, 1), QStringLiteral("12")); // 12.5 rounds to even
    EXPECT_EQ(AccuracyText(8, 3), QStringLiteral("38")); // 37.5 rounds to even
    EXPECT_EQ(AccuracyText(3, 2), QStringLiteral("67"));
    EXPECT_EQ(AccuracyText(5, 3), QStringLiteral("60"));
    EXPECT_EQ(AccuracyText(INT_MAX, INT_MAX), QStringLiteral("100"));
    EXPECT_EQ(PartName(0), QStringLiteral("名詞"));
    EXPECT_EQ(PartName(4), QStringLiteral("熟語"));
    EXPECT_EQ(PartName(5), QString());
    EXPECT_EQ(PartName(-1), QString());
}
