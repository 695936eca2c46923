#include "programming/TypedNumber.h"

#include <QString>
#include <gtest/gtest.h>
#include <limits>
#include <tuple>

TEST(TypedNumber, IsTheLeadingNumberOfTheTextAndZeroWithoutOne)
{
    constexpr int MAX = std::numeric_limits<int>::max();
    constexpr int MIN = std::numeric_limits<int>::min();
    constexpr double INF = std::numeric_limits<double>::infinity();
    // An exponent without digits ends the number; the point is the only separator; whole
    // numbers stay at the 32-bit limits; decimals beyond a double are infinite or zero.
    // clang-format off
    // The text, its whole number, its decimal number.
    const std::tuple<const char*, int, double> cases[] = {
        {"250", 250, 250.0},  {"+7", 7, 7.0},      {"-12", -12, -12.0}, {"12.35", 12, 12.35},
        {" 13.8V", 13, 13.8}, {"-9.5", -9, -9.5},  {".5", 0, 0.5},      {"7.", 7, 7.0},
        {"1e5", 1, 1e5},      {"1.5e1x", 1, 15.0}, {"4.5e", 4, 4.5},    {"2e-1", 2, 0.2},
        {"12,5", 12, 12.0},   {"", 0, 0.0},        {"abc", 0, 0.0},     {"- 5", 0, 0.0},
        {"x12", 0, 0.0},      {".", 0, 0.0},       {"-.", 0, 0.0},      {"  \t42 days", 42, 42.0},
        {"2147483647", MAX, 2147483647.0},         {"99999999999999999999", MAX, 1e20},
        {"-99999999999999999999", MIN, -1e20},     {"1e999", 1, INF},
        {"-1e999", -1, -INF}, {"1e-999", 1, 0.0},
    };
    // clang-format on
    for (const auto& [typed, whole, decimal] : cases) {
        SCOPED_TRACE(typed);
        EXPECT_EQ(TypedNumber::toWhole(QString::fromLatin1(typed)), whole);
        EXPECT_DOUBLE_EQ(TypedNumber::toDecimal(QString::fromLatin1(typed)), decimal);
    }
}
