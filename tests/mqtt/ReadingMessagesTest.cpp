#include "mqtt/ReadingMessages.h"

#include "config/Settings.h"
#include "display/CLiveItemTable.h"
#include "display/OptionsApply.h"
#include "resources/StringTable.h"
#include "tests/support/TestBytes.h"

#include <QJsonArray>
#include <gtest/gtest.h>

// Raw replies as the unit sends them, and what the state object and the item's own topic carry:
// the number as the display shows it, or the value where the display shows no number.
TEST(ReadingMessages, EachItemCarriesTheDisplaysValueAsANumberWithItsUnit)
{
    struct Row {
        int item;
        QByteArray reply;
        const char* payload; // empty: no value
        const char* unit;
        const char* text;
    };
    const Row rows[] = {
        {1, bytesOf({252, 0}), "12.6", "Volts", "12.6"},
        {1, bytesOf({0xFF, 0xFF}), "102.3", "Volts", "102.3"},
        {7, bytesOf({0x2E, 0xFB, 0xFF}), "12.3", "Amps", "12.3"},
        {16, bytesOf({0xFF, 0xFF, 0xFF}), "1", "AH", "1.00"},
        {24, bytesOf({0xDD, 0xFF}), "655.01", "Days", "??"},
        {28, bytesOf({0xD8}), "-40", "Deg(C)", "-40.0"},
        {22, bytesOf({87, 0}), "", "% Full", ""},
    };
    CLiveItemTable items(StringTable::builtIn());
    items.build(OptionsApply::liveItemSettings(Settings()));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.item);
        items.acceptReply(row.item, row.reply);
        const QList<int> chosen{row.item};
        const UnitSnapshot said;
        const ReadingMessages reading(items, chosen, said, QDateTime());
        EXPECT_EQ(reading.itemPayload(row.item), QByteArray(row.payload));
        const QJsonObject item =
            reading.state()[QStringLiteral("items")][QStringLiteral("ad%1").arg(row.item)]
                .toObject();
        EXPECT_EQ(item[QStringLiteral("unit")].toString(), QString::fromUtf8(row.unit));
        EXPECT_EQ(item[QStringLiteral("text")].toString(), QString::fromUtf8(row.text));
        EXPECT_EQ(item[QStringLiteral("value")].isNull(), *row.payload == '\0');
        if (*row.payload != '\0') {
            EXPECT_EQ(item[QStringLiteral("value")].toDouble(), QByteArray(row.payload).toDouble());
        }
    }
}

TEST(ReadingMessages, FlagsAreBooleansWithTheirAlarmsAndTimesAreIso8601)
{
    CLiveItemTable items(StringTable::builtIn());
    UnitSnapshot said;
    said.status.applyFlags(bytesOf({0x82, 0x01}));
    said.status.applyAlarmStates(bytesOf({0x04, 0x00, 0x03, 0x00}));
    said.efficiency.applyBattery1Block(
        bytesOf({0x05, 0x80, 95, 1, 0x05, 0x00, 90, 4, 0, 0, 0, 15}));
    said.unitDay = 5;
    said.unitMinuteOfDay = 13 * 60 + 47;
    const QList<int> none;
    const QDateTime pcTime(QDate(2026, 3, 14), QTime(13, 47, 25), Qt::OffsetFromUTC, 3600);
    const QJsonObject state = ReadingMessages(items, none, said, pcTime).state();

    const QJsonObject status = state[QStringLiteral("status")].toObject();
    const QJsonObject charged = status[QStringLiteral("b1_charged")].toObject();
    EXPECT_EQ(charged[QStringLiteral("label")].toString(), QStringLiteral("B1 CHRGD"));
    EXPECT_TRUE(charged[QStringLiteral("on")].toBool());
    EXPECT_EQ(charged[QStringLiteral("alarm")].toInt(), 1);
    EXPECT_TRUE(status[QStringLiteral("relay_on")][QStringLiteral("on")].toBool());
    EXPECT_FALSE(status[QStringLiteral("relay_on")].toObject().contains(QStringLiteral("alarm")));
    EXPECT_EQ(status[QStringLiteral("b2_low")][QStringLiteral("alarm")].toInt(), 2);
    EXPECT_FALSE(status[QStringLiteral("b1_low")][QStringLiteral("on")].toBool());

    EXPECT_EQ(state[QStringLiteral("pc_time")].toString(),
              QStringLiteral("2026-03-14T13:47:25+01:00"));
    EXPECT_EQ(state[QStringLiteral("unit_time")].toString(), QStringLiteral("13:47"));
    EXPECT_EQ(state[QStringLiteral("unit_day")].toInt(), 5);

    const QJsonObject battery =
        state[QStringLiteral("efficiency")][QStringLiteral("battery1")].toObject();
    EXPECT_EQ(battery[QStringLiteral("average1")][QStringLiteral("self_discharge")]
                     [QStringLiteral("value")]
                         .toDouble(),
              0.05);
    EXPECT_EQ(battery[QStringLiteral("average2")][QStringLiteral("self_discharge")]
                     [QStringLiteral("value")]
                         .toDouble(),
              -0.05);
    EXPECT_EQ(battery[QStringLiteral("average1")][QStringLiteral("amphour_efficiency")]
                     [QStringLiteral("value")]
                         .toDouble(),
              95);
    EXPECT_EQ(battery[QStringLiteral("average3")][QStringLiteral("cycles")].toDouble(), 15);
}
