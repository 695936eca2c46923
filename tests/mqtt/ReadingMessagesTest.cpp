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
