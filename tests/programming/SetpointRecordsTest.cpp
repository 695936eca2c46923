#include "programming/ParameterCoding.h"
#include "programming/SetpointRecord.h"
#include "tests/programming/TestBytes.h"

#include <gtest/gtest.h>

namespace {

const QString VOLTAGE_MESSAGE = QStringLiteral("Voltage must be between 10 - 100");
const QString PERCENT_MESSAGE = QStringLiteral("Percent must be between 1 - 99");
const QString AMPS_MESSAGE = QStringLiteral("Amps must be between 1 - 99");

SetpointRecord::Entry entry(const char* volts, const char* criterion, bool unused = false)
{
    return {QString::fromLatin1(volts), QString::fromLatin1(criterion), unused};
}

} // namespace

TEST(VoltageCoding, ReadsTenthsFromTheLow10BitsWithOneDecimal)
{
    EXPECT_EQ(ParameterCoding::tenBitsAt(bytes({0x8A, 0x00}), 0), 138);
    EXPECT_EQ(ParameterCoding::voltsText(138), QStringLiteral("13.8"));
    EXPECT_EQ(ParameterCoding::tenBitsAt(bytes({0x8A, 0xFC}), 0), 138) << "bits 10-15 ignored";
    EXPECT_EQ(ParameterCoding::tenBitsAt(bytes({0xFF, 0xFF}), 0), 1023);
    EXPECT_EQ(ParameterCoding::voltsText(1000), QStringLiteral("100.0"));
}

TEST(VoltageCoding, WritesTheTypedNumberTimesTenTruncated)
{
    EXPECT_EQ(ParameterCoding::typedTenths(u"12.35"), 123);
    EXPECT_EQ(ParameterCoding::typedTenths(u"13.8"), 138);
    EXPECT_EQ(ParameterCoding::typedTenths(u"100"), 1000);
    EXPECT_EQ(ParameterCoding::typedTenths(u"10.09"), 100);
    EXPECT_EQ(ParameterCoding::typedTenths(u"-1.25"), -12) << "toward zero";
}

TEST(VoltageCoding, AcceptsTenToOneHundredInclusive)
{
    EXPECT_FALSE(ParameterCoding::isVoltageInRange(9.99));
    EXPECT_TRUE(ParameterCoding::isVoltageInRange(10.0));
    EXPECT_TRUE(ParameterCoding::isVoltageInRange(100.0));
    EXPECT_FALSE(ParameterCoding::isVoltageInRange(100.01));
}

TEST(SetpointRecord, ReadsCriterionZeroAnd99AndAboveAsNotUsed)
{
    EXPECT_EQ(SetpointRecord::decode(bytes({0x78, 0x00, 0})).criterion, std::nullopt);
    EXPECT_EQ(SetpointRecord::decode(bytes({0x78, 0x00, 99})).criterion, std::nullopt);
    EXPECT_EQ(SetpointRecord::decode(bytes({0x78, 0x00, 200})).criterion, std::nullopt);
    EXPECT_EQ(SetpointRecord::decode(bytes({0x78, 0x00, 98})).criterion, 98);
    EXPECT_EQ(SetpointRecord::decode(bytes({0x78, 0x00, 1})).criterion, 1);
    EXPECT_EQ(SetpointRecord::decode(bytes({0x78, 0x04, 50})).tenths, 120);
}

TEST(SetpointRecord, Amps99WrittenReadsBackAsNotUsed)
{
    const auto values = SetpointRecord::toValues(entry("14.4", "99"));
    const QByteArray record = SetpointRecord::encode(values);
    EXPECT_EQ(record, bytes({0x90, 0x00, 99}));
    EXPECT_EQ(SetpointRecord::decode(record).criterion, std::nullopt);
}

TEST(SetpointRecord, AnUnusedCriterionWritesZeroWhateverTheEditShows)
{
    const auto values = SetpointRecord::toValues(entry("11.5", "45", true));
    EXPECT_EQ(SetpointRecord::encode(values), bytes({0x73, 0x00, 0x00}));
    EXPECT_EQ(SetpointRecord::validateChargeCriteria(entry("11.5", "500", true)), QString());
}

TEST(LowAlarmCheck, ChecksPercentBeforeVoltage)
{
    EXPECT_EQ(SetpointRecord::validateLowAlarm(entry("5", "0")), PERCENT_MESSAGE);
    EXPECT_EQ(SetpointRecord::validateLowAlarm(entry("12", "100")), PERCENT_MESSAGE);
    EXPECT_EQ(SetpointRecord::validateLowAlarm(entry("12", "")), PERCENT_MESSAGE);
    EXPECT_EQ(SetpointRecord::validateLowAlarm(entry("12", "1")), QString());
    EXPECT_EQ(SetpointRecord::validateLowAlarm(entry("12", "99")), QString());
    EXPECT_EQ(SetpointRecord::validateLowAlarm(entry("9.9", "50")), VOLTAGE_MESSAGE);
    EXPECT_EQ(SetpointRecord::validateLowAlarm(entry("100.1", "50")), VOLTAGE_MESSAGE);
    EXPECT_EQ(SetpointRecord::validateLowAlarm(entry("10", "50")), QString());
    EXPECT_EQ(SetpointRecord::validateLowAlarm(entry("100", "", true)), QString());
    EXPECT_EQ(SetpointRecord::validateLowAlarm(entry("", "", true)), VOLTAGE_MESSAGE);
}

TEST(ChargeCriteriaCheck, NamesAmpsInItsMessage)
{
    EXPECT_EQ(SetpointRecord::validateChargeCriteria(entry("5", "0")), AMPS_MESSAGE);
    EXPECT_EQ(SetpointRecord::validateChargeCriteria(entry("14.4", "100")), AMPS_MESSAGE);
    EXPECT_EQ(SetpointRecord::validateChargeCriteria(entry("14.4", "99")), QString());
    EXPECT_EQ(SetpointRecord::validateChargeCriteria(entry("9.99", "5")), VOLTAGE_MESSAGE);
}

TEST(HighAlarmRecord, ChangesTheVoltageAndKeepsByte2)
{
    EXPECT_EQ(SetpointRecord::validateHighAlarm(QStringLiteral("9.99")), VOLTAGE_MESSAGE);
    EXPECT_EQ(SetpointRecord::validateHighAlarm(QStringLiteral("15.5")), QString());
    EXPECT_EQ(SetpointRecord::encodeHighAlarm(155, bytes({0x00, 0xFC, 0x5A})),
              bytes({0x9B, 0x00, 0x5A}));
}
