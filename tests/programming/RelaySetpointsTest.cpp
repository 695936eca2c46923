#include "programming/RelaySetpointsRecord.h"
#include "tests/programming/TestBytes.h"

#include <gtest/gtest.h>

using RelaySetpointsRecord::PercentUse;

namespace {

const QString ORDER_MESSAGE =
    QStringLiteral("Less-than voltage (left) must be less than Greater-than voltage (right)");
const QString VOLTAGE_MESSAGE = QStringLiteral("Relay Voltage must be between 10 - 100");
const QString PERCENT_MESSAGE = QStringLiteral("Percent must be between 1 - 99");

RelaySetpointsRecord::Entry entry(const char* left, const char* right, bool reversed = false)
{
    RelaySetpointsRecord::Entry typed;
    typed.reversed = reversed;
    typed.left = {QString::fromLatin1(left), QString(), PercentUse::NotUsed};
    typed.right = {QString::fromLatin1(right), QString(), PercentUse::NotUsed};
    return typed;
}

// ON 11.5 V / 0 %, OFF 13.8 V / 100 %.
const QByteArray CHARGE_CRITERIA_RECORD = bytes({0x73, 0x00, 0, 0x8A, 0x00, 100});

} // namespace

TEST(RelaySetpoints, WithFirmware21ShowsChargeCriteriaOnTheRight)
{
    const auto shown =
        RelaySetpointsRecord::view(RelaySetpointsRecord::decode(CHARGE_CRITERIA_RECORD), 2.1f);
    EXPECT_FALSE(shown.reversed);
    EXPECT_EQ(shown.left.tenths, 115);
    EXPECT_EQ(shown.left.use, PercentUse::NotUsed);
    EXPECT_EQ(shown.right.tenths, 138);
    EXPECT_EQ(shown.right.use, PercentUse::ChargeCriteria);
}

TEST(RelaySetpoints, WithFirmware15TheSameRecordWritesOffPercentZero)
{
    const auto shown =
        RelaySetpointsRecord::view(RelaySetpointsRecord::decode(CHARGE_CRITERIA_RECORD), 1.5f);
    EXPECT_EQ(shown.right.use, PercentUse::NotUsed);

    auto typed = entry("11.5", "13.8");
    typed.right.use = shown.right.use;
    ASSERT_EQ(RelaySetpointsRecord::validate(typed), QString());
    EXPECT_EQ(RelaySetpointsRecord::encode(RelaySetpointsRecord::toValues(typed)),
              bytes({0x73, 0x00, 0, 0x8A, 0x00, 0}));
}

TEST(RelaySetpoints, OnAboveOffIsReversedWithTheOffSetpointOnTheLeft)
{
    // ON 14.0 V / 90 %, OFF 12.0 V / 20 %.
    const QByteArray record = bytes({0x8C, 0x00, 90, 0x78, 0x00, 20});
    const auto shown = RelaySetpointsRecord::view(RelaySetpointsRecord::decode(record), 2.0f);
    EXPECT_TRUE(shown.reversed);
    EXPECT_EQ(shown.left.tenths, 120);
    EXPECT_EQ(shown.left.use, PercentUse::Percent);
    EXPECT_EQ(shown.left.percent, 20);
    EXPECT_EQ(shown.right.tenths, 140);
    EXPECT_EQ(shown.right.percent, 90);

    auto typed = entry("12.0", "14.0", true);
    typed.left = {QStringLiteral("12.0"), QStringLiteral("20"), PercentUse::Percent};
    typed.right = {QStringLiteral("14.0"), QStringLiteral("90"), PercentUse::Percent};
    ASSERT_EQ(RelaySetpointsRecord::validate(typed), QString());
    EXPECT_EQ(RelaySetpointsRecord::encode(RelaySetpointsRecord::toValues(typed)), record);
}

TEST(RelaySetpoints, SenseFollowsTheOrderOfTheVoltages)
{
    using RelaySetpointsRecord::isReversed;
    EXPECT_FALSE(isReversed({{120, 0}, {140, 0}}));
    EXPECT_TRUE(isReversed({{140, 0}, {120, 0}}));
    EXPECT_FALSE(isReversed({{130, 0}, {130, 0}})) << "equal voltages read as Normal";
}

TEST(RelaySetpoints, LeftPercentOver99AndRightPercentOutside1To99AreNotUsed)
{
    const auto shown = RelaySetpointsRecord::view(
        RelaySetpointsRecord::decode(bytes({0x78, 0, 100, 0x8C, 0, 150})), 2.0f);
    EXPECT_EQ(shown.left.use, PercentUse::NotUsed) << "100 on the left is not a criterion";
    EXPECT_EQ(shown.right.use, PercentUse::NotUsed);
    const auto edge = RelaySetpointsRecord::view(
        RelaySetpointsRecord::decode(bytes({0x78, 0, 99, 0x8C, 0, 1})), 1.0f);
    EXPECT_EQ(edge.left.use, PercentUse::Percent);
    EXPECT_EQ(edge.left.percent, 99);
    EXPECT_EQ(edge.right.use, PercentUse::Percent);
    EXPECT_EQ(edge.right.percent, 1);
}

TEST(RelaySetpointsCheck, RefusesEqualVoltagesThenVoltagesOutOfRange)
{
    EXPECT_EQ(RelaySetpointsRecord::validate(entry("13.0", "13.0")), ORDER_MESSAGE);
    EXPECT_EQ(RelaySetpointsRecord::validate(entry("14.0", "13.0")), ORDER_MESSAGE);
    EXPECT_EQ(RelaySetpointsRecord::validate(entry("9.5", "13.0")), VOLTAGE_MESSAGE);
    EXPECT_EQ(RelaySetpointsRecord::validate(entry("13.0", "100.1")), VOLTAGE_MESSAGE);
    EXPECT_EQ(RelaySetpointsRecord::validate(entry("10", "100")), QString());
}

TEST(RelaySetpointsCheck, ChecksLeftPercentThenRightPercentBeforeVoltages)
{
    auto typed = entry("13.0", "13.0");
    typed.left = {QStringLiteral("13.0"), QStringLiteral("0"), PercentUse::Percent};
    typed.right = {QStringLiteral("13.0"), QStringLiteral("100"), PercentUse::Percent};
    EXPECT_EQ(RelaySetpointsRecord::validate(typed), PERCENT_MESSAGE);
    typed.left.percent = QStringLiteral("99");
    EXPECT_EQ(RelaySetpointsRecord::validate(typed), PERCENT_MESSAGE) << "right 100 typed";
    typed.right.percent = QStringLiteral("1");
    EXPECT_EQ(RelaySetpointsRecord::validate(typed), ORDER_MESSAGE);
}

TEST(RelaySetpoints, OnlyTheRightColumnCanWrite100)
{
    auto typed = entry("12.0", "14.0");
    typed.left.use = PercentUse::ChargeCriteria;
    typed.right.use = PercentUse::ChargeCriteria;
    const auto normal = RelaySetpointsRecord::toValues(typed);
    EXPECT_EQ(normal.on.percent, 0);
    EXPECT_EQ(normal.off.percent, 100);

    typed.reversed = true;
    const auto reversed = RelaySetpointsRecord::toValues(typed);
    EXPECT_EQ(reversed.on.tenths, 140);
    EXPECT_EQ(reversed.on.percent, 100);
    EXPECT_EQ(reversed.off.tenths, 120);
    EXPECT_EQ(reversed.off.percent, 0);
}

TEST(RelaySetpoints, ReadBackKeepsTheSenseOfWhatWasWritten)
{
    auto normal = entry("12.0", "14.0");
    const auto back =
        RelaySetpointsRecord::view(RelaySetpointsRecord::decode(RelaySetpointsRecord::encode(
                                       RelaySetpointsRecord::toValues(normal))),
                                   2.0f);
    EXPECT_FALSE(back.reversed);
    EXPECT_EQ(back.left.tenths, 120);
    EXPECT_EQ(back.right.tenths, 140);

    auto reversed = entry("12.0", "14.0", true);
    const auto values = RelaySetpointsRecord::toValues(reversed);
    EXPECT_EQ(values.on.tenths, 140);
    EXPECT_TRUE(RelaySetpointsRecord::isReversed(
        RelaySetpointsRecord::decode(RelaySetpointsRecord::encode(values))));
}
