#include "programming/TypedNumber.h"

#include <QString>
#include <cmath>
#include <gtest/gtest.h>

TEST(TypedWholeNumber, IsTheLeadingNumberOfTheText)
{
    EXPECT_EQ(TypedNumber::toWhole(u"250"), 250);
    EXPECT_EQ(TypedNumber::toWhole(u"  \t42 days"), 42);
    EXPECT_EQ(TypedNumber::toWhole(u"+7"), 7);
    EXPECT_EQ(TypedNumber::toWhole(u"-12"), -12);
    EXPECT_EQ(TypedNumber::toWhole(u"12.9"), 12);
    EXPECT_EQ(TypedNumber::toWhole(u"1e5"), 1);
}

TEST(TypedWholeNumber, IsZeroWithoutDigits)
{
    EXPECT_EQ(TypedNumber::toWhole(u""), 0);
    EXPECT_EQ(TypedNumber::toWhole(u"abc"), 0);
    EXPECT_EQ(TypedNumber::toWhole(u"- 5"), 0);
    EXPECT_EQ(TypedNumber::toWhole(u"x12"), 0);
}

TEST(TypedWholeNumber, StaysAtThe32BitLimits)
{
    EXPECT_EQ(TypedNumber::toWhole(u"2147483647"), 2147483647);
    EXPECT_EQ(TypedNumber::toWhole(u"99999999999999999999"), 2147483647);
    EXPECT_EQ(TypedNumber::toWhole(u"-99999999999999999999"), -2147483647 - 1);
}

TEST(TypedDecimal, IsTheLongestLeadingDecimalNumber)
{
    EXPECT_DOUBLE_EQ(TypedNumber::toDecimal(u"12.35"), 12.35);
    EXPECT_DOUBLE_EQ(TypedNumber::toDecimal(u" 13.8V"), 13.8);
    EXPECT_DOUBLE_EQ(TypedNumber::toDecimal(u"-9.5"), -9.5);
    EXPECT_DOUBLE_EQ(TypedNumber::toDecimal(u".5"), 0.5);
    EXPECT_DOUBLE_EQ(TypedNumber::toDecimal(u"7."), 7.0);
    EXPECT_DOUBLE_EQ(TypedNumber::toDecimal(u"1.5e1x"), 15.0);
    EXPECT_DOUBLE_EQ(TypedNumber::toDecimal(u"4.5e"), 4.5) << "an exponent without digits ends it";
    EXPECT_DOUBLE_EQ(TypedNumber::toDecimal(u"2e-1"), 0.2);
    EXPECT_DOUBLE_EQ(TypedNumber::toDecimal(u"12,5"), 12.0) << "the point is the only separator";
}

TEST(TypedDecimal, IsZeroWithoutANumber)
{
    EXPECT_DOUBLE_EQ(TypedNumber::toDecimal(u""), 0.0);
    EXPECT_DOUBLE_EQ(TypedNumber::toDecimal(u"volts"), 0.0);
    EXPECT_DOUBLE_EQ(TypedNumber::toDecimal(u"."), 0.0);
    EXPECT_DOUBLE_EQ(TypedNumber::toDecimal(u"-."), 0.0);
}

TEST(TypedDecimal, BeyondTheRangeOfADoubleIsInfiniteOrZero)
{
    EXPECT_TRUE(std::isinf(TypedNumber::toDecimal(u"1e999")));
    EXPECT_GT(TypedNumber::toDecimal(u"1e999"), 0.0);
    EXPECT_LT(TypedNumber::toDecimal(u"-1e999"), 0.0);
    EXPECT_DOUBLE_EQ(TypedNumber::toDecimal(u"1e-999"), 0.0);
}
