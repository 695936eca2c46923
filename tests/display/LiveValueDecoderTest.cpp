#include "display/LiveValueDecoder.h"

#include <QByteArray>
#include <gtest/gtest.h>

// Restated here: the temperature radio button ids stored in TEMPOPTION.
constexpr int CENTIGRADE = 1152;
constexpr int FAHRENHEIT = 1153;

namespace {

DecodedValue decode(int type, std::initializer_list<int> bytes, int tempOption = CENTIGRADE)
{
    QByteArray reply;
    for (int b : bytes)
        reply.append(static_cast<char>(b));
    return decodeLiveValue(type, reply, tempOption);
}

QString text(int type, std::initializer_list<int> bytes, int tempOption = CENTIGRADE)
{
    return decode(type, bytes, tempOption).text;
}

} // namespace

TEST(ThreeDigits, KeepsThreeLeadingDigitsOfTheWorkedExamples)
{
    EXPECT_DOUBLE_EQ(ThreeDigits(1234.567), 1230.0);
    EXPECT_DOUBLE_EQ(ThreeDigits(123.456), 123.0);
    EXPECT_DOUBLE_EQ(ThreeDigits(12.3456), 12.3);
    EXPECT_DOUBLE_EQ(ThreeDigits(1.2345), 1.23);
    EXPECT_DOUBLE_EQ(ThreeDigits(0.98765), 0.988);
    EXPECT_DOUBLE_EQ(ThreeDigits(0.0), 0.0);
    EXPECT_DOUBLE_EQ(ThreeDigits(83886.08), 83800.0);
}

TEST(LiveDecodeType1, Takes11BitsTimesFiveHundredthsWithOneDecimal)
{
    const DecodedValue full = decode(1, {0xFF, 0xFF});
    EXPECT_FLOAT_EQ(full.value, 102.35f);
    EXPECT_EQ(full.text, QStringLiteral("102.3"));
    EXPECT_EQ(text(1, {252, 0}), QStringLiteral("12.6"));
    EXPECT_EQ(text(1, {252, 0xF8}), QStringLiteral("12.6")) << "the top five bits are not volts";
}

TEST(LiveDecodeType2, NegatesAndCutsToThreeDigitsWithTwoDecimals)
{
    EXPECT_EQ(text(2, {150, 0, 0}), QStringLiteral("-1.50"));
    EXPECT_EQ(text(2, {0x6A, 0xFF, 0xFF}), QStringLiteral("1.50")) << "unit -150";
    // Unit -123456: 1234.56 shown as 1230.
    EXPECT_EQ(text(2, {0xC0, 0x1D, 0xFE}), QStringLiteral("1230.00"));
    // Unit 12345: -123.45, three digits of the magnitude, then the sign.
    EXPECT_EQ(text(2, {0x39, 0x30, 0x00}), QStringLiteral("-123.00"));
    EXPECT_EQ(text(2, {0x9E, 0xFF, 0xFF}), QStringLiteral("0.98")) << "unit -98";
    EXPECT_EQ(text(2, {0, 0, 0}), QStringLiteral("0.00"));
}

TEST(LiveDecodeType3, NegatesWithoutScaling)
{
    EXPECT_EQ(text(3, {0x01, 0x00, 0x00}), QStringLiteral("-1.00"));
    EXPECT_EQ(text(3, {0xFF, 0xFF, 0xFF}), QStringLiteral("1.00"));
    EXPECT_EQ(text(3, {0, 0, 0}), QStringLiteral("0.00"));
}

TEST(LiveDecodeType4, IsTypeTwoWithOneDecimal)
{
    EXPECT_EQ(text(4, {0x2E, 0xFB, 0xFF}), QStringLiteral("12.3")) << "unit -1234";
    EXPECT_EQ(text(4, {0x40, 0xE2, 0x01}), QStringLiteral("-1230.0")) << "unit 123456";
    EXPECT_FLOAT_EQ(decode(4, {0x2E, 0xFB, 0xFF}).value, 12.3f);
}

TEST(LiveDecodeType5, NegatesSigned24TimesHundredths)
{
    EXPECT_EQ(text(5, {150, 0, 0}), QStringLiteral("-1.50"));
    EXPECT_EQ(text(5, {0xC7, 0xCF, 0xFF}), QStringLiteral("123.45")) << "unit -12345";
    EXPECT_EQ(text(5, {0, 0, 0}), QStringLiteral("0.00")) << "zero must not show as -0.00";
    EXPECT_EQ(text(5, {0x00, 0x00, 0x80}), QStringLiteral("83886.08")) << "most negative unit";
}

TEST(LiveDecodeType6, DropsSevenLowBitsKeepingTheSign)
{
    EXPECT_EQ(text(6, {0x00, 0x01, 0x00, 0x00}), QStringLiteral("-0.02"));
    EXPECT_EQ(text(6, {0x7F, 0x00, 0x00, 0x00}), QStringLiteral("0.00"));
    EXPECT_EQ(text(6, {0xFF, 0xFF, 0xFF, 0xFF}), QStringLiteral("0.01")) << "-1 >> 7 stays -1";
    EXPECT_EQ(text(6, {0x00, 0xFF, 0xFF, 0xFF}), QStringLiteral("0.02")) << "unit -256";
}

TEST(LiveDecodeType7, NegatesSigned32TimesHundredths)
{
    EXPECT_EQ(text(7, {0x10, 0x27, 0x00, 0x00}), QStringLiteral("-100.00"));
    EXPECT_EQ(text(7, {0xFF, 0xFF, 0xFF, 0xFF}), QStringLiteral("0.01"));
    EXPECT_GT(decode(7, {0x00, 0x00, 0x00, 0x80}).value, 2.1e7f) << "most negative unit";
}

TEST(LiveDecodeType8, ShowsTheUnsignedByte)
{
    EXPECT_EQ(text(8, {50}), QStringLiteral("50"));
    EXPECT_EQ(text(8, {0xFF}), QStringLiteral("255"));
}

TEST(LiveDecodeType9, ShowsDaysAndQuestionMarksAbove655)
{
    EXPECT_EQ(text(9, {0x10, 0x27}), QStringLiteral("100.00"));
    EXPECT_EQ(text(9, {0xDC, 0xFF}), QStringLiteral("655.00")) << "65500";
    const DecodedValue over = decode(9, {0xDD, 0xFF});
    EXPECT_EQ(over.text, QStringLiteral("??")) << "65501";
    EXPECT_GT(over.value, 655.0f) << "the value keeps the number";
    EXPECT_EQ(text(9, {0xFF, 0xFF}), QStringLiteral("??"));
}

TEST(LiveDecodeType10, IsSignedAndConvertedForFahrenheit)
{
    EXPECT_EQ(text(10, {0x19}, FAHRENHEIT), QStringLiteral("77.0"));
    EXPECT_EQ(text(10, {0x19}, CENTIGRADE), QStringLiteral("25.0"));
    EXPECT_EQ(text(10, {0xD8}, FAHRENHEIT), QStringLiteral("-40.0"));
    EXPECT_EQ(text(10, {0xD8}, CENTIGRADE), QStringLiteral("-40.0"));
}

TEST(LiveDecode, UnknownTypeAndShortReplyDoNotReadPastTheBytes)
{
    EXPECT_TRUE(text(0, {1, 2}).isEmpty());
    EXPECT_TRUE(text(11, {1, 2}).isEmpty());
    EXPECT_EQ(text(7, {0x10}), QStringLiteral("-0.16"));
}
