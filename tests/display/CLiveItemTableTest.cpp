#include "display/CLiveItemTable.h"

#include "resources/StringTable.h"
#include "tests/support/TestBytes.h"

#include <gtest/gtest.h>

namespace {

// Restated here rather than imported, so that a change to them shows.
constexpr RgbColor LOW{0x0000AA};
constexpr RgbColor HIGH{0x00BB00};
constexpr RgbColor TEXT{0x112233};

// How an item is coloured: by the volts, amps, watts, percent or temperature threshold and
// colour flag; Never (both colours the text colour); Zero (both colours 0, never read).
enum Kind { Volts, Amps, Watts, Percent, Temp, Never, Zero };

struct ExpectedItem {
    int item, address, length, decodeType;
    const char *unitText, *label; // the label with the settings' channel names
    int resetCode;
    Kind kind;
};

// The records as the unit and its users know them (shunt type 1 on every channel); AD29 to
// AD40 carry only their labels.
const ExpectedItem ITEMS[] = {
    {0, 0, 0, 0, "", "None", 0, Zero},
    {1, 0x01, 2, 1, "Volts", "AD1: Volt 1 Volts", 0, Volts},
    {2, 0x02, 2, 1, "Volts", "AD2: Volt 2 Volts", 0, Volts},
    {3, 0x03, 2, 1, "Volts", "AD3: Filtered Volt 1 Volts", 0, Volts},
    {4, 0x04, 2, 1, "Volts", "AD4: Filtered Volt 2 Volts", 0, Volts},
    {5, 0, 0, 0, "", "", 0, Zero},
    {7, 0x05, 3, 4, "Amps", "AD7: Amp 1 Amps", 0, Amps},
    {8, 0x06, 3, 4, "Amps", "AD8: Amp 2 Amps", 0, Amps},
    {9, 0x07, 3, 4, "Amps", "AD9: Amp 3 Amps", 0, Amps},
    {10, 0x08, 3, 4, "Amps", "AD10: Filtered Amp 1 Amps", 0, Amps},
    {11, 0x09, 3, 4, "Amps", "AD11: Filtered Amp 2 Amps", 0, Amps},
    {12, 0x0A, 3, 4, "Amps", "AD12: Filtered Amp 3 Amps", 0, Amps},
    {13, 0x0C, 3, 5, "AH", "AD13: Amp 1  AmpHrs from Full", 0x09, Amps},
    {14, 0x0D, 3, 5, "AH", "AD14: Amp 2  AmpHrs", 0x0A, Amps},
    {15, 0x0F, 4, 6, "AH", "AD15: True Amp 3 AmpHrs", 0x0B, Amps},
    {16, 0x12, 3, 3, "AH", "AD16: Cum Amp 1 AmpHrs", 0xB0, Never},
    {17, 0x13, 3, 3, "AH", "AD17: Cum Amp 2 AmpHrs", 0xB1, Never},
    {18, 0x17, 3, 4, "Watts", "AD18: Amp 1 Watts", 0, Watts},
    {19, 0x18, 3, 4, "Watts", "AD19: Amp 2 Watts", 0, Watts},
    {20, 0x15, 4, 7, "WHrs", "AD20: Amp 1 WattHrs", 0x11, Watts},
    {21, 0x16, 4, 7, "WHrs", "AD21: Amp 2 WattHrs", 0x12, Watts},
    {22, 0x1A, 1, 8, "% Full", "AD22: Volt 1 % Full", 0, Percent},
    {23, 0x1B, 1, 8, "% Full", "AD23: Battery 2 % Full", 0, Percent},
    {24, 0x1C, 2, 9, "Days", "AD24: Days since Volt 1 Chrgd", 0x19, Never},
    {25, 0x1D, 2, 9, "Days", "AD25: Days since Battery 2 Chrgd", 0x1A, Never},
    {26, 0x1E, 2, 9, "Days", "AD26: Days since Volt 1 EQ", 0x1B, Never},
    {27, 0x1F, 2, 9, "Days", "AD27: Days since Battery 2 EQ", 0x1C, Never},
    {28, 0x19, 1, 10, "Deg(C)", "AD28: Temperature", 0, Temp},
};

LiveItemSettings coloured()
{
    LiveItemSettings settings;
    settings.colorLow = LOW;
    settings.colorHigh = HIGH;
    settings.textColor = TEXT;
    settings.voltThreshold = 12.0f;
    settings.percentThreshold = 40.0f;
    settings.tempThreshold = 5.0f;
    return settings;
}

class LiveItemTable : public ::testing::Test {
protected:
    LiveItemTable() { table.build(coloured()); }

    QString label(int n) const { return table.item(n).labelText; }
    QString afterReply(int n, const QByteArray& reply)
    {
        table.acceptReply(n, reply);
        return table.slotText(n);
    }

    CLiveItemTable table{StringTable::builtIn()};
};

} // namespace

TEST_F(LiveItemTable, HoldsEveryItemAsTheUnitDefinesIt)
{
    const float thresholds[] = {12.0f, 0.0f, 0.0f, 40.0f, 5.0f, 0.0f, 0.0f};
    for (const ExpectedItem& expected : ITEMS) {
        SCOPED_TRACE(expected.item);
        const LiveItem& item = table.item(expected.item);
        const bool notInUse = expected.item == 0 || expected.item == 5 || expected.item == 6;
        EXPECT_EQ(
            std::tuple(item.itemNumber, item.address, item.length, item.decodeType, item.resetCode,
                       static_cast<int>(item.helpTopic), item.valid || item.polled),
            std::tuple(notInUse ? 0 : expected.item, expected.address, expected.length,
                       expected.decodeType, expected.resetCode,
                       expected.item >= 1 && expected.item <= 3 ? 0x201000 + expected.item : 0,
                       false));
        EXPECT_EQ(item.unitText + '|' + item.labelText,
                  QString::fromLatin1(expected.unitText) + '|' + expected.label);
        EXPECT_FLOAT_EQ(item.threshold, thresholds[expected.kind]);
        const RgbColor same = expected.kind == Zero ? RgbColor{0} : TEXT;
        EXPECT_EQ(std::pair(item.colorLow, item.colorHigh),
                  expected.kind < Never ? std::pair(LOW, HIGH) : std::pair(same, same));
    }
    // AD29 to AD40: labels only; beyond them nothing.
    EXPECT_EQ(label(29) + '|' + label(40), QStringLiteral("AD29: B1 00CyEff|AD40: B2 00CySd"));
    EXPECT_EQ(table.item(41).itemNumber + table.item(-1).itemNumber + table.item(35).length, 0);
}

TEST_F(LiveItemTable, SlotsShowNoneDashesOrTheValueInItsThresholdColour)
{
    // Item, reply (none: not read yet), text and colour.
    const std::tuple<int, QByteArray, const char*, RgbColor> cases[] = {
        {0, {}, "NONE", TEXT},
        {30, {}, "- - -", TEXT},
        {1, bytesOf({252, 0}), "12.6 Volts", HIGH},
        {1, bytesOf({240, 0}), "12.0 Volts", HIGH}, // equal to the threshold
        {1, bytesOf({238, 0}), "11.9 Volts", LOW},
        {1, bytesOf({240, 0, 0}), "- - -", TEXT}, // the wrong length
        {7, bytesOf({0, 0, 0}), "0.0 Amps", HIGH},
        {7, bytesOf({1, 0, 0}), "-0.0 Amps", LOW},
        {24, bytesOf({0xDD, 0xFF}), "?? Days", TEXT},
        // Values longer than the field are cut to its nine characters.
        {17, bytesOf({0xFF, 0xFF, 0x7F}), "-8388607. AH", TEXT},
    };
    for (const auto& [item, reply, text, colour] : cases) {
        SCOPED_TRACE(text);
        table.acceptReply(item, reply);
        EXPECT_EQ(table.slotText(item), QString::fromLatin1(text));
        EXPECT_EQ(table.slotColor(item), colour);
    }
    // The wrong length kept the value it had; an item that is never read takes no reply.
    EXPECT_EQ(table.item(1).valueText, QStringLiteral("11.9"));
    EXPECT_FALSE(table.acceptReply(5, bytesOf({1, 2})) || table.acceptReply(29, bytesOf({1})));
}

TEST_F(LiveItemTable, TheUnitsChannelNamesBatteryWordsAndShuntTypesRelabelAndRetypeTheItems)
{
    // Channel 1 code 1 with the single-battery bit, channel 2 code 6, channel 3 code 7 (empty).
    const QByteArray solar = bytesOf({0x11, 0x06, 0x07});
    // Only the low three bits of each code count.
    const QByteArray highBits = bytesOf({0xE8, 0xF9, 0x00});
    const std::tuple<QByteArray, int, const char*> cases[] = {
        {solar, 7, "AD7: Solar Amps"},
        {solar, 22, "AD22: Battery % Full"},
        {solar, 13, "AD13: AHr 1  AmpHrs from Full"}, // until the battery words arrive
        {highBits, 1, "AD1: Battery 1 Volts"},
        {highBits, 11, "AD11: Filtered Solar Amps"},
        {bytesOf({0, 0, 0}), 8, "AD8: #2 Amps"},
    };
    for (const auto& [reply, item, text] : cases) {
        ASSERT_TRUE(table.applyChannelNames(reply));
        EXPECT_EQ(label(item), QString::fromLatin1(text));
    }
    table.applyChannelNames(bytesOf({0x01, 0x04, 0x00}));
    ASSERT_TRUE(table.applyBatteryWords(bytesOf({0x00, 0x01, 0x00, 0x00})));
    // What the configuration file keeps.
    EXPECT_EQ(table.settings().ahrLabels, (std::array<QString, 2>{"Battery Compensated", "TRUE"}));
    EXPECT_EQ(label(13), QStringLiteral("AD13: Solar  AmpHrs from Full"));
    EXPECT_EQ(label(14), QStringLiteral("AD14: Load  AmpHrs"));
    ASSERT_TRUE(table.applyShunts(bytesOf({0x10, 0x00, 0xFF})));
    EXPECT_EQ(table.settings().shunts, (std::array<int, 3>{1, 2, 1}));
    // Unit -1234 on both: 12.3 with shunt type 1, 12.30 with type 2.
    EXPECT_EQ(afterReply(7, bytesOf({0x2E, 0xFB, 0xFF})), QStringLiteral("12.3 Amps"));
    EXPECT_EQ(afterReply(11, bytesOf({0x2E, 0xFB, 0xFF})), QStringLiteral("12.30 Amps"));
    EXPECT_FALSE(table.applyChannelNames(bytesOf({0, 0})) ||
                 table.applyBatteryWords(bytesOf({1, 1, 1})) ||
                 table.applyShunts(bytesOf({0x10, 0x10})));
}

TEST_F(LiveItemTable, ARebuildFollowsTheSettingsAndForgetsValuesAndPollFlags)
{
    table.markPolledItems(std::array{1, 28, 0, 5, 1, 77});
    table.markPolledItems(std::array{0, 0, 13, 0, 28, 0});
    for (int n = 0; n < CLiveItemTable::ITEM_COUNT; ++n)
        EXPECT_EQ(table.isPolled(n), n == 13 || n == 28) << n;
    table.acceptReply(13, bytesOf({1, 0, 0}));
    LiveItemSettings settings = coloured();
    settings.tempOption = 1153; // Fahrenheit
    settings.shunts = {2, 1, 2};
    settings.voltLabels[0] = QString(200, u'V'); // cut to the label field
    settings.useAmpColor = false;                // only the amps lose their colours
    table.build(settings);
    EXPECT_FALSE(table.hasPolledItem());
    EXPECT_EQ(table.slotText(13), QStringLiteral("- - -"));
    EXPECT_EQ(std::tuple(table.item(7).colorLow, table.item(18).colorLow, table.item(1).colorLow),
              std::tuple(TEXT, LOW, LOW));
    EXPECT_EQ(afterReply(28, bytesOf({0x19})), QStringLiteral("77.0 Deg(F)"));
    EXPECT_EQ(table.item(10).decodeType, 2);
    EXPECT_EQ(label(1), QStringLiteral("AD1: ") + QString(29, u'V'));
}
