#include "simulator/Scenario.h"
#include "tests/cli/CliRunner.h"
#include "tests/cli/StillUnit.h"
#include "tests/support/TestBytes.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <gtest/gtest.h>

namespace {

// The exit codes, restated.
constexpr int Ok = 0;
constexpr int Usage = 1;
constexpr int Connection = 2;
constexpr int UnitError = 3;

// "Name: value" lines as a map; the value runs to the end of the line.
QMap<QString, QString> fieldsOf(const QString& text)
{
    QMap<QString, QString> fields;
    for (const QString& line : text.split(u'\n', Qt::SkipEmptyParts)) {
        const qsizetype colon = line.indexOf(u':');
        fields.insert(line.left(colon), line.mid(colon + 1).trimmed());
    }
    return fields;
}

// A line of the live listing: the label, then the value from column 36 on.
QString valueOf(const QString& text, const QString& label)
{
    for (const QString& line : text.split(u'\n'))
        if (line.startsWith(label + u' '))
            return line.mid(36);
    return QStringLiteral("(no line for %1)").arg(label);
}

QJsonObject jsonOf(const QString& text)
{
    return QJsonDocument::fromJson(text.toUtf8()).object();
}

// gorvane-cli in this process, talking over TCP to a unit at day 5, 13:47 whose clock stands
// still.
class CliOverTcp : public ::testing::Test {
protected:
    int run(const QStringList& arguments) { return cli.run(still.withTcp(arguments)); }

    StillUnit still{5, 13 * 60 + 47};
    SimulatedUnit& unit = still.unit;
    CliRunner cli;
};

} // namespace

TEST_F(CliOverTcp, infoShowsTheFactoryUnitAsTheProgramDecodesIt)
{
    ASSERT_EQ(run({QStringLiteral("info")}), Ok) << cli.err.toStdString();
    const QMap<QString, QString> fields = fieldsOf(cli.out);
    EXPECT_EQ(fields.value(QStringLiteral("Firmware Version")), QStringLiteral("2.5"));
    // P6-9 of the factory unit: 0x06 0x06 0x01.
    EXPECT_EQ(fields.value(QStringLiteral("Volts 1")), QStringLiteral("Battery 1"));
    EXPECT_EQ(fields.value(QStringLiteral("Amps 1")), QStringLiteral("Battery 1, shunt 500A/50mV"));
    EXPECT_EQ(fields.value(QStringLiteral("Amps 2")),
              QStringLiteral("Battery 2, shunt 100A/100mV"));
    EXPECT_EQ(fields.value(QStringLiteral("Amps 3")), QStringLiteral("Solar, shunt 100A/100mV"));
    EXPECT_EQ(fields.value(QStringLiteral("Amps 2 = shunt 1 + shunt 2")), QStringLiteral("no"));
    EXPECT_EQ(fields.value(QStringLiteral("Battery 1 Capacity")), QStringLiteral("200 Ahrs"));
    EXPECT_EQ(fields.value(QStringLiteral("Battery 2 Capacity")), QStringLiteral("100 Ahrs"));
    EXPECT_EQ(fields.value(QStringLiteral("Unit Time")), QStringLiteral("day 5, 1:47 PM"));
    EXPECT_EQ(fields.size(), 9);
    EXPECT_TRUE(cli.err.isEmpty()) << cli.err.toStdString();
}

TEST_F(CliOverTcp, infoFollowsAReprogrammedUnit)
{
    unit.write(0xE1, bytesOf({0x14, 0x00, 0x07})); // Volts 1 "Battery", Load, code 0, code 7
    unit.write(0xF6, bytesOf({0x00, 0x30, 0x10})); // Amps 2 is the sum of both shunts
    unit.write(0xF1, bytesOf({0, 0}));             // no battery 2
    unit.write(0xF2, bytesOf({0x0F, 0x27}));       // 9999 Ah

    ASSERT_EQ(run({QStringLiteral("info")}), Ok) << cli.err.toStdString();
    const QMap<QString, QString> fields = fieldsOf(cli.out);
    EXPECT_EQ(fields.value(QStringLiteral("Volts 1")), QStringLiteral("Battery"));
    EXPECT_EQ(fields.value(QStringLiteral("Amps 1")), QStringLiteral("Load, shunt 100A/100mV"));
    EXPECT_EQ(fields.value(QStringLiteral("Amps 2")), QStringLiteral("#2, shunt 500A/50mV"));
    EXPECT_EQ(fields.value(QStringLiteral("Amps 3")), QStringLiteral(", shunt 500A/50mV"));
    EXPECT_EQ(fields.value(QStringLiteral("Amps 2 = shunt 1 + shunt 2")), QStringLiteral("yes"));
    EXPECT_EQ(fields.value(QStringLiteral("Battery 1 Capacity")), QStringLiteral("9999 Ahrs"));
    EXPECT_EQ(fields.value(QStringLiteral("Battery 2 Capacity")), QStringLiteral("No Battery"));
}

TEST_F(CliOverTcp, anOldFirmwareIsVersionOneWithoutTheShuntSum)
{
    unit.records().set(0xF7, bytesOf({19}));
    ASSERT_EQ(run({QStringLiteral("info")}), Ok);
    const QMap<QString, QString> fields = fieldsOf(cli.out);
    EXPECT_EQ(fields.value(QStringLiteral("Firmware Version")), QStringLiteral("1.0"));
    EXPECT_FALSE(fields.contains(QStringLiteral("Amps 2 = shunt 1 + shunt 2")));
}

TEST_F(CliOverTcp, infoAsJson)
{
    ASSERT_EQ(run({QStringLiteral("info"), QStringLiteral("--json")}), Ok);
    EXPECT_EQ(cli.out.count(u'\n'), 1);
    const QJsonObject info = jsonOf(cli.out);
    EXPECT_EQ(info[QStringLiteral("firmwareVersion")].toString(), QStringLiteral("2.5"));
    EXPECT_EQ(info[QStringLiteral("volts1")].toString(), QStringLiteral("Battery 1"));
    const QJsonArray amps = info[QStringLiteral("amps")].toArray();
    ASSERT_EQ(amps.size(), 3);
    EXPECT_EQ(amps[2].toObject()[QStringLiteral("name")].toString(), QStringLiteral("Solar"));
    EXPECT_EQ(amps[0].toObject()[QStringLiteral("shunt")].toString(), QStringLiteral("500A/50mV"));
    EXPECT_EQ(info[QStringLiteral("batteryCapacities")].toArray(), (QJsonArray{200, 100}));
    const QJsonObject clock = info[QStringLiteral("unitClock")].toObject();
    EXPECT_EQ(clock[QStringLiteral("day")].toInt(), 5);
    EXPECT_EQ(clock[QStringLiteral("minuteOfDay")].toInt(), 827);
}

TEST_F(CliOverTcp, liveDecodesEachItemWithItsLabelAndUnit)
{
    ASSERT_EQ(run({QStringLiteral("live"), QStringLiteral("AD1"), QStringLiteral("ad22"),
                   QStringLiteral("28")}),
              Ok)
        << cli.err.toStdString();
    // The unit's records, decoded here as the item table says: 11 bits of 0.05 V, a byte of
    // percent, a signed byte of degrees.
    const QByteArray volts = unit.read(0x01, 2);
    const int voltCount = (byteAt(volts, 0) | byteAt(volts, 1) << 8) & 0x7FF;
    EXPECT_EQ(valueOf(cli.out, QStringLiteral("AD1: Battery 1 Volts")),
              QString::asprintf("%.1f Volts", voltCount * 0.05f));
    EXPECT_EQ(valueOf(cli.out, QStringLiteral("AD22: Battery 1 % Full")),
              QStringLiteral("%1 % Full").arg(byteAt(unit.read(0x1A, 1), 0)));
    EXPECT_EQ(valueOf(cli.out, QStringLiteral("AD28: Temperature")),
              QString::asprintf("%.1f Deg(C)", static_cast<double>(static_cast<qint8>(
                                                   byteAt(unit.read(0x19, 1), 0)))));
    EXPECT_TRUE(cli.out.startsWith(QStringLiteral("AD1: ")));
}

TEST_F(CliOverTcp, liveCurrentsFollowTheUnitsShunts)
{
    // Factory shunts: 500A/50mV on Amps 1 (one decimal), 100A/100mV on Amps 2 (two).
    ASSERT_EQ(run({QStringLiteral("live"), QStringLiteral("AD7"), QStringLiteral("AD8")}), Ok);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^-?\\d+\\.\\d Amps$"))
                    .match(valueOf(cli.out, QStringLiteral("AD7: Battery 1 Amps")))
                    .hasMatch())
        << cli.out.toStdString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^-?\\d+\\.\\d\\d Amps$"))
                    .match(valueOf(cli.out, QStringLiteral("AD8: Battery 2 Amps")))
                    .hasMatch())
        << cli.out.toStdString();
}

TEST_F(CliOverTcp, liveShowsTheStatusFlagsWithTheirAlarms)
{
    ASSERT_TRUE(Scenario::apply(QStringLiteral("alarms"), unit));
    // Battery 1: charged visual only, high voltage visual/audible, equalising off; battery 2:
    // charged off, high voltage visual only, equalising state 3 (counts as visual/audible).
    unit.write(0xCE, bytesOf({0x24, 0x00, 0x10, 0x03}));
    // The scenario's unit is charged, high and due for equalising on both batteries, relay off.
    ASSERT_EQ(unit.read(0x25, 2), bytesOf({0x16, 0x16}));

    ASSERT_EQ(run({QStringLiteral("live"), QStringLiteral("AD1")}), Ok);
    EXPECT_EQ(valueOf(cli.out, QStringLiteral("Battery 1 Status")),
              QStringLiteral("B1 CHRGD (ON VISUAL ONLY), B1 HI (ON VISUAL/AUDIBLE), "
                             "B1 TIME 2 EQ (ALARM OFF)"));
    EXPECT_EQ(valueOf(cli.out, QStringLiteral("Battery 2 Status")),
              QStringLiteral("B2 CHRGD (ALARM OFF), B2 HI (ON VISUAL ONLY), "
                             "B2 TIME 2 EQ (ON VISUAL/AUDIBLE)"));
}

TEST_F(CliOverTcp, liveWithoutItemsReadsTheDisplaySlotsOfTheConfiguration)
{
    cli.writeConfiguration({QStringLiteral("DISPDATA1=22"), QStringLiteral("DISPDATA2=0"),
                            QStringLiteral("DISPDATA3=1"), QStringLiteral("DISPDATA4=22"),
                            QStringLiteral("TEMPOPTION=1153"), QStringLiteral("DISPDATA6=28")});
    ASSERT_EQ(run({QStringLiteral("live")}), Ok) << cli.err.toStdString();
    const QStringList lines = cli.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("AD22: ")));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("AD1: ")));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("AD28: ")));
    EXPECT_TRUE(lines[2].endsWith(QStringLiteral(" Deg(F)")));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("Battery 1 Status")));
}

TEST_F(CliOverTcp, liveWithNoItemAnywhereIsAUsageError)
{
    EXPECT_EQ(run({QStringLiteral("live")}), Usage);
    EXPECT_TRUE(cli.out.isEmpty());
    EXPECT_TRUE(cli.err.contains(QStringLiteral("No display slot")));
}

TEST_F(CliOverTcp, liveAsJsonGivesNumbersAndEveryFlag)
{
    ASSERT_EQ(run({QStringLiteral("live"), QStringLiteral("AD1"), QStringLiteral("AD24"),
                   QStringLiteral("--json")}),
              Ok);
    EXPECT_EQ(cli.out.count(u'\n'), 1);
    const QJsonObject reading = jsonOf(cli.out);
    EXPECT_EQ(reading[QStringLiteral("time")].toString(), QStringLiteral("2026-03-14T13:47:25"));
    const QJsonArray items = reading[QStringLiteral("items")].toArray();
    ASSERT_EQ(items.size(), 2);
    const QJsonObject volts = items[0].toObject();
    EXPECT_EQ(volts[QStringLiteral("item")].toString(), QStringLiteral("AD1"));
    EXPECT_EQ(volts[QStringLiteral("label")].toString(), QStringLiteral("AD1: Battery 1 Volts"));
    EXPECT_EQ(volts[QStringLiteral("unit")].toString(), QStringLiteral("Volts"));
    EXPECT_TRUE(volts[QStringLiteral("valid")].toBool());
    // The number as the unit's count of 0.05 V gives it, the text with one decimal.
    const QByteArray raw = unit.read(0x01, 2);
    const float expected =
        static_cast<float>((byteAt(raw, 0) | byteAt(raw, 1) << 8) & 0x7FF) * 0.05f;
    EXPECT_NEAR(volts[QStringLiteral("value")].toDouble(), expected, 1e-4);
    EXPECT_EQ(volts[QStringLiteral("text")].toString(), QString::asprintf("%.1f", expected));
    EXPECT_EQ(items[1].toObject()[QStringLiteral("unit")].toString(), QStringLiteral("Days"));

    const QJsonArray status = reading[QStringLiteral("status")].toArray();
    ASSERT_EQ(status.size(), 11);
    const QStringList names{"B1 LOW",       "B1 CHRGD",       "B1 HI",       "B1 TIME 2 CHRG",
                            "B1 TIME 2 EQ", "RELAY ON",       "B2 LOW",      "B2 CHRGD",
                            "B2 HI",        "B2 TIME 2 CHRG", "B2 TIME 2 EQ"};
    for (int row = 0; row < 11; ++row) {
        const QJsonObject flag = status[row].toObject();
        EXPECT_EQ(flag[QStringLiteral("name")].toString(), names[row]);
        EXPECT_TRUE(flag.contains(QStringLiteral("set")));
        EXPECT_EQ(flag.contains(QStringLiteral("alarm")), row != 5) << row;
    }
}

TEST_F(CliOverTcp, clockShowsTheUnitsTimeBesideThePcs)
{
    ASSERT_EQ(run({QStringLiteral("clock")}), Ok);
    const QMap<QString, QString> fields = fieldsOf(cli.out);
    EXPECT_EQ(fields.value(QStringLiteral("Unit Time")), QStringLiteral("day 5, 1:47 PM"));
    EXPECT_EQ(fields.value(QStringLiteral("PC Time")), QStringLiteral("1:47 PM"));
    EXPECT_EQ(fields.size(), 2);
}

TEST_F(CliOverTcp, clockSetPcKeepsTheDayAndSetsTheTimeOfDay)
{
    cli.pcTime = QDateTime(QDate(2026, 3, 14), QTime(23, 59, 41));
    ASSERT_EQ(run({QStringLiteral("clock"), QStringLiteral("--set-pc")}), Ok)
        << cli.err.toStdString();
    // Day 5, block 7, minute 179 of the block.
    EXPECT_EQ(unit.read(0xF9, 2), bytesOf({5 * 8 + 7, 0}));
    EXPECT_EQ(unit.read(0x24, 1), bytesOf({179}));
    EXPECT_TRUE(cli.out.startsWith(QStringLiteral("Unit time has been set to PC time.\n")));
    EXPECT_EQ(fieldsOf(cli.out).value(QStringLiteral("Unit Time")),
              QStringLiteral("day 5, 11:59 PM"));

    cli.pcTime = QDateTime(QDate(2026, 3, 15), QTime(0, 0, 59));
    ASSERT_EQ(run({QStringLiteral("clock"), QStringLiteral("--set-pc"), QStringLiteral("--json")}),
              Ok);
    EXPECT_EQ(unit.read(0xF9, 2), bytesOf({5 * 8, 0}));
    EXPECT_EQ(unit.read(0x24, 1), bytesOf({0}));
    const QJsonObject clock = jsonOf(cli.out);
    EXPECT_EQ(clock[QStringLiteral("minuteOfDay")].toInt(), 0);
    EXPECT_TRUE(clock[QStringLiteral("set")].toBool());
}

TEST_F(CliOverTcp, aWrongAcknowledgementIsAUnitErrorWithNothingPrinted)
{
    still.faults.add(FaultKind::BadChecksum, QStringLiteral("write"));
    EXPECT_EQ(run({QStringLiteral("clock"), QStringLiteral("--set-pc")}), UnitError);
    EXPECT_TRUE(cli.out.isEmpty()) << cli.out.toStdString();
    EXPECT_TRUE(cli.err.contains(QStringLiteral("Error: Received bad checksum on Seriel Port.")));
}

TEST_F(CliOverTcp, aRefusedLoginIsAConnectionError)
{
    still.faults.add(FaultKind::RefuseLogin, QStringLiteral("all"));
    EXPECT_EQ(run({QStringLiteral("info")}), Connection);
    EXPECT_TRUE(cli.out.isEmpty());
    EXPECT_TRUE(cli.err.contains(QStringLiteral("login")));
}

TEST_F(CliOverTcp, aBrokenReplyIsAUnitErrorWithNothingPrinted)
{
    for (FaultKind fault : {FaultKind::Garbage, FaultKind::DropConnection}) {
        StillUnit faulty(5, 0);
        faulty.faults.add(fault, QStringLiteral("read@0xF6"));
        for (const QStringList& command :
             {QStringList{QStringLiteral("info")},
              QStringList{QStringLiteral("live"), QStringLiteral("AD1")}}) {
            EXPECT_EQ(cli.run(faulty.withTcp(command)), UnitError) << command[0].toStdString();
            EXPECT_TRUE(cli.out.isEmpty()) << cli.out.toStdString();
            EXPECT_FALSE(cli.err.isEmpty());
        }
    }
}

TEST_F(CliOverTcp, liveLabelsFollowTheChannelNamesAndBatteryWordsOfTheUnit)
{
    ASSERT_EQ(run({QStringLiteral("live"), QStringLiteral("AD13"), QStringLiteral("AD14"),
                   QStringLiteral("AD16"), QStringLiteral("AD9")}),
              Ok);
    const QStringList lines = cli.out.split(u'\n');
    ASSERT_GE(lines.size(), 4);
    // The labels as the item table formats them once the start-up records are in.
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("AD13: Battery 1  AmpHrs from Full ")));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("AD14: Battery 2  AmpHrs ")));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("AD16: Cum Battery 1 AmpHrs ")));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("AD9: Solar Amps ")));
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral(" AH")));
}
