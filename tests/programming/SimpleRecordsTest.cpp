#include "programming/AlarmEnablesRecord.h"
#include "programming/AlarmIntervalRecord.h"
#include "programming/BatteryCapacityRecord.h"
#include "programming/ChannelLabelsRecord.h"
#include "programming/DischargeProfileRecord.h"
#include "programming/EfficiencyRecord.h"
#include "programming/EraseCommands.h"
#include "programming/FilterTimeRecord.h"
#include "programming/ShuntTypesRecord.h"
#include "programming/SwitchItemsRecord.h"
#include "tests/programming/TestBytes.h"

#include <gtest/gtest.h>

TEST(SwitchItemsRecord, ReadsItemsBeyond40AsNoneAndWritesThemBackAsNone)
{
    const auto items = SwitchItemsRecord::decode(bytes({3, 7, 0, 55, 22}));
    EXPECT_EQ(items, (SwitchItemsRecord::Items{3, 7, 0, 0, 22}));
    EXPECT_EQ(SwitchItemsRecord::encode(items), bytes({3, 7, 0, 0, 22}));

    EXPECT_EQ(SwitchItemsRecord::decode(bytes({40, 41, 255, 1, 0})),
              (SwitchItemsRecord::Items{40, 0, 0, 1, 0}));
    auto chosen = items;
    chosen[1] = 0;
    EXPECT_EQ(SwitchItemsRecord::encode(chosen), bytes({3, 0, 0, 0, 22})) << "None writes 0";
}

TEST(ChannelLabelsRecord, DecodesTheLabelCodesAndTheVolts1Bit)
{
    const auto values = ChannelLabelsRecord::decode(bytes({0x13, 0x06, 0x05}));
    EXPECT_EQ(values.volts1Choice, 0) << "bit 4 set is \"Battery\"";
    EXPECT_EQ(values.ampsChoice[0], 3);
    EXPECT_EQ(values.ampsChoice[1], 6);
    EXPECT_EQ(values.ampsChoice[2], 5);
    EXPECT_EQ(ChannelLabelsRecord::decode(bytes({0x03, 0, 0})).volts1Choice, 1);

    EXPECT_EQ(ChannelLabelsRecord::ampsTexts(0),
              QStringList({"Amps 1", "Solar", "Wind", "Hydro", "Load", "Battery", "Battery 1"}));
    EXPECT_EQ(ChannelLabelsRecord::ampsTexts(1).first(), QStringLiteral("Amps 2"));
    EXPECT_EQ(ChannelLabelsRecord::ampsTexts(1).last(), QStringLiteral("Battery 2"));
    EXPECT_EQ(ChannelLabelsRecord::ampsTexts(2).first(), QStringLiteral("Amps 3"));
    EXPECT_EQ(ChannelLabelsRecord::ampsTexts(2).last(), QStringLiteral("Battery"));
    EXPECT_EQ(ChannelLabelsRecord::volts1Texts(), QStringList({"Battery", "Battery 1"}));
}

TEST(ChannelLabelsRecord, ChangesOnlyItsBitsAndKeepsACodeOutsideTheList)
{
    const QByteArray read = bytes({0xE7, 0xA7, 0x48});
    auto values = ChannelLabelsRecord::decode(read);
    EXPECT_FALSE(values.ampsChoice[0].has_value()) << "code 7 is in no list";
    EXPECT_FALSE(values.ampsChoice[1].has_value());
    EXPECT_EQ(ChannelLabelsRecord::encode(values, read), read) << "unchanged, code 7 included";

    values.volts1Choice = 0;
    values.ampsChoice[1] = 1;
    values.ampsChoice[2] = 4;
    EXPECT_EQ(ChannelLabelsRecord::encode(values, read), bytes({0xF7, 0xA1, 0x4C}));
}

TEST(ShuntTypesRecord, WritesTheSumBitOnlyWithFirmware2)
{
    const QByteArray read = bytes({0x01, 0x22, 0x13});
    auto values = ShuntTypesRecord::decode(read);
    EXPECT_EQ(values.shuntChoice, (std::array<int, 3>{0, 0, 1}));
    EXPECT_TRUE(values.amps2IsSum);

    values.shuntChoice = {1, 1, 0};
    values.amps2IsSum = false;
    EXPECT_EQ(ShuntTypesRecord::encode(values, read, 1.9f), bytes({0x11, 0x32, 0x03}))
        << "before 2.0 bit 5 stays as read";
    EXPECT_EQ(ShuntTypesRecord::encode(values, read, 2.0f), bytes({0x11, 0x12, 0x03}));
    EXPECT_EQ(ShuntTypesRecord::shuntTexts(), QStringList({"100A/100mV", "500A/50mV"}));
}

TEST(BatteryCapacityRecord, IsLittleEndianAmpHours)
{
    EXPECT_EQ(BatteryCapacityRecord::decode(bytes({0x0F, 0x27})), 9999);
    EXPECT_EQ(BatteryCapacityRecord::encode(9999), bytes({0x0F, 0x27}));
    EXPECT_EQ(BatteryCapacityRecord::encode(200), bytes({0xC8, 0x00}));
    EXPECT_EQ(BatteryCapacityRecord::decode(BatteryCapacityRecord::encode(1234)), 1234);
}

TEST(BatteryCapacityRecord, RefusesAmpHoursOutside0To9999)
{
    const QString message = QStringLiteral("Amp Hrs must be between 0 - 9999");
    auto check = [](const char* typed) {
        return BatteryCapacityRecord::validate({QString::fromLatin1(typed), false});
    };
    EXPECT_EQ(check("70000"), message);
    EXPECT_EQ(check("10000"), message);
    EXPECT_EQ(check("-1"), message);
    EXPECT_EQ(check("9999"), QString());
    EXPECT_EQ(check("0"), QString());
    EXPECT_EQ(check("none"), QString()) << "no number is 0";
    EXPECT_EQ(BatteryCapacityRecord::validate({QStringLiteral("70000"), true}), QString())
        << "with \"No Battery\" the edit is not looked at";
}

TEST(BatteryCapacityRecord, NoBatteryWritesZeroAndATypedZeroStillCountsPresent)
{
    const BatteryCapacityRecord::Entry absent{QStringLiteral("200"), true};
    EXPECT_EQ(BatteryCapacityRecord::ampHoursToWrite(absent), 0);
    EXPECT_FALSE(BatteryCapacityRecord::isPresent(absent));

    const BatteryCapacityRecord::Entry typedZero{QStringLiteral("0"), false};
    EXPECT_EQ(BatteryCapacityRecord::ampHoursToWrite(typedZero), 0);
    EXPECT_TRUE(BatteryCapacityRecord::isPresent(typedZero));
}

TEST(FilterTimeRecord, SelectsTheEntryOfTheCodeAndKeepsACodeOutsideTheList)
{
    EXPECT_EQ(FilterTimeRecord::texts(), QStringList({"0", "0.5", "2.0", "8.0"}));
    EXPECT_EQ(FilterTimeRecord::decode(bytes({2})), 2);
    EXPECT_EQ(FilterTimeRecord::decode(bytes({4})), std::nullopt);
    EXPECT_EQ(FilterTimeRecord::encode(3, bytes({0})), bytes({3}));
    EXPECT_EQ(FilterTimeRecord::encode(std::nullopt, bytes({9})), bytes({9}));
}

TEST(AlarmEnablesRecord, Code3ShowsLoudestExceptLoBattWhichHasNoSelection)
{
    const auto values = AlarmEnablesRecord::decode(bytes({0xFF, 0x00}));
    using namespace AlarmEnablesRecord;
    EXPECT_EQ(values[ALARM_CHARGED], 2);
    EXPECT_EQ(values[ALARM_HIBATT], 2);
    EXPECT_EQ(values[ALARM_DAYSCHARGED], 2);
    EXPECT_EQ(values[ALARM_LOBATT], std::nullopt);
    EXPECT_EQ(values[ALARM_DAYSEQUALIZED], 0);
    EXPECT_EQ(choiceTexts(), QStringList({"OFF", "ON VISUAL ONLY", "ON VISUAL/AUDIBLE"}));
    EXPECT_EQ(caption(ALARM_LOBATT), QStringLiteral("Lo Batt:"));
    EXPECT_EQ(caption(ALARM_DAYSEQUALIZED), QStringLiteral("Too many days since Equalized:"));
}

TEST(AlarmEnablesRecord, PlacesEachAlarmInItsBitsAndKeepsLoBattCode3)
{
    using namespace AlarmEnablesRecord;
    Values values;
    values[ALARM_LOBATT] = 1;        // bits 0-1
    values[ALARM_CHARGED] = 2;       // bits 2-3
    values[ALARM_HIBATT] = 0;        // bits 4-5
    values[ALARM_DAYSCHARGED] = 1;   // bits 6-7
    values[ALARM_DAYSEQUALIZED] = 2; // byte 1 bits 0-1
    EXPECT_EQ(encode(values, bytes({0, 0xFC})), bytes({0x49, 0x02})) << "byte 1 bits 2-7 become 0";

    const QByteArray read = bytes({0xFF, 0xFF});
    const Values shown = decode(read);
    EXPECT_EQ(encode(shown, read), bytes({0xAB, 0x02}))
        << "Lo Batt writes the 3 read, the others the 2 shown";
}

TEST(EfficiencyRecord, DecodesPercentAndHundredthsFromTheLow10Bits)
{
    const auto values = EfficiencyRecord::decode(bytes({85, 0xE7, 0xFF}));
    EXPECT_EQ(values.efficiencyPercent, 85);
    EXPECT_EQ(values.selfDischargeHundredths, 999);
    EXPECT_EQ(EfficiencyRecord::ampsText(999), QStringLiteral("9.99"));
    EXPECT_EQ(EfficiencyRecord::ampsText(5), QStringLiteral("0.05"));
    EXPECT_EQ(EfficiencyRecord::encode({100, 999}), bytes({100, 0xE7, 0x03}));
}

TEST(EfficiencyRecord, ChecksEfficiencyThenAmps)
{
    const QString efficiency = QStringLiteral("Efficiency must be between 60 - 100%");
    const QString amps = QStringLiteral("Amps must be between 0 - 9.99");
    auto check = [](const char* percent, const char* typedAmps) {
        return EfficiencyRecord::validate(
            {QString::fromLatin1(percent), QString::fromLatin1(typedAmps)});
    };
    EXPECT_EQ(check("59", "10"), efficiency) << "efficiency first";
    EXPECT_EQ(check("101", "0"), efficiency);
    EXPECT_EQ(check("60", "10"), amps);
    EXPECT_EQ(check("100", "-0.01"), amps);
    EXPECT_EQ(check("100", "9.991"), amps);
    EXPECT_EQ(check("60", "9.99"), QString());
    EXPECT_EQ(check("100", "0"), QString());

    const auto values = EfficiencyRecord::toValues({QStringLiteral("90"), QStringLiteral("0.25")});
    EXPECT_EQ(values.efficiencyPercent, 90);
    EXPECT_EQ(values.selfDischargeHundredths, 25);
    EXPECT_EQ(EfficiencyRecord::toValues({QStringLiteral("90"), QStringLiteral("9.99")})
                  .selfDischargeHundredths,
              999);
}

TEST(AlarmIntervalRecord, AcceptsDays0To250AndLettersAsZero)
{
    const QString message = QStringLiteral("Days must be between 0 - 250.");
    EXPECT_EQ(AlarmIntervalRecord::validate(QStringLiteral("251")), message);
    EXPECT_EQ(AlarmIntervalRecord::validate(QStringLiteral("-1")), message);
    EXPECT_EQ(AlarmIntervalRecord::validate(QStringLiteral("250")), QString());
    EXPECT_EQ(AlarmIntervalRecord::validate(QStringLiteral("abc")), QString());
    EXPECT_EQ(AlarmIntervalRecord::encode(AlarmIntervalRecord::toDays(QStringLiteral("abc"))),
              bytes({0}));
    EXPECT_EQ(AlarmIntervalRecord::encode(250), bytes({250}));
    EXPECT_EQ(AlarmIntervalRecord::decode(bytes({30})), 30);
}

TEST(DischargeProfileRecord, TurningABatteryOffClearsOnlyItsFlag)
{
    const QByteArray read = bytes({0xFF});
    auto values = DischargeProfileRecord::decode(read);
    EXPECT_TRUE(values.everyFivePercent);
    EXPECT_TRUE(values.battery1);
    EXPECT_TRUE(values.battery2);

    values.battery1 = false;
    EXPECT_EQ(DischargeProfileRecord::encode(values, read), bytes({0xDF}))
        << "bits 0-3 keep what was read";
    values = {false, false, false};
    EXPECT_EQ(DischargeProfileRecord::encode(values, read), bytes({0x1F}));
    values = {true, true, false};
    EXPECT_EQ(DischargeProfileRecord::encode(values, bytes({0x05})), bytes({0xA5}));
}

TEST(EraseCommands, SendsEachButtonsCodeWithItsQuestionAndReport)
{
    using namespace EraseCommands;
    EXPECT_EQ(COMMAND_RECORD, 0x27);
    const int codes[] = {0x72, 0x82, 0x90, 0x91, 0xA5};
    for (int i = 0; i < COMMAND_COUNT; ++i)
        EXPECT_EQ(commandAt(i), codes[i]);
    EXPECT_EQ(buttonText(CMD_CLEARPERIODIC), QStringLiteral("P45: Clear Per Log Data"));
    EXPECT_EQ(question(CMD_CLEARFIVEPERCENT),
              QStringLiteral("Are you sure you want to erase the 5% Logged Data?"));
    EXPECT_EQ(report(CMD_CLEARBAT2CYCLE), QStringLiteral("Bat 2 Cycle Data has been cleared."));
    EXPECT_EQ(buttonText(CMD_INITIALISE), QStringLiteral("P49: Initiaize Program Data"));
    EXPECT_EQ(question(CMD_INITIALISE),
              QStringLiteral(
                  "Are you sure you want to reset all Program Parameters to factory defaults?"));
    EXPECT_EQ(report(CMD_INITIALISE),
              QStringLiteral("All Program Parameters have been reset to factory defaults."));
    EXPECT_EQ(report(CMD_CLEARBAT1CYCLE), QStringLiteral("Bat 1 Cycle Data has been cleared."));
}
