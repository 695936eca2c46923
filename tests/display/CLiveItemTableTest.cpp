#include "display/CLiveItemTable.h"

#include "resources/StringTable.h"

#include <QByteArray>
#include <array>
#include <gtest/gtest.h>
#include <vector>

// Restated here rather than imported, so that a change to them shows.
constexpr RgbColor RED{255};
constexpr RgbColor DARK_GREEN{32768};
constexpr RgbColor BUTTON_TEXT{0x00112233};
constexpr int FAHRENHEIT = 1153;

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray reply;
    for (int b : values)
        reply.append(static_cast<char>(b));
    return reply;
}

LiveItemSettings defaultSettings()
{
    LiveItemSettings settings;
    settings.textColor = BUTTON_TEXT;
    return settings;
}

class LiveItemTable : public ::testing::Test {
protected:
    LiveItemTable() { table.build(defaultSettings()); }

    void rebuild(const LiveItemSettings& settings) { table.build(settings); }
    QString label(int n) const { return table.item(n).labelText; }
    QString afterReply(int n, std::initializer_list<int> reply)
    {
        table.acceptReply(n, bytes(reply));
        return table.slotText(n);
    }

    CLiveItemTable table{StringTable::builtIn()};
};

struct ExpectedItem {
    int item;
    int address;
    int length;
    int decodeType;
    const char* unitText;
    const char* label; // with the default channel names
    int resetCode;
};

// The item table as the unit and its users know it, with the default settings (shunt type 1).
const std::array<ExpectedItem, 26> EXPECTED_ITEMS{{
    {1, 0x01, 2, 1, "Volts", "AD1: Volt 1 Volts", 0},
    {2, 0x02, 2, 1, "Volts", "AD2: Volt 2 Volts", 0},
    {3, 0x03, 2, 1, "Volts", "AD3: Filtered Volt 1 Volts", 0},
    {4, 0x04, 2, 1, "Volts", "AD4: Filtered Volt 2 Volts", 0},
    {7, 0x05, 3, 4, "Amps", "AD7: Amp 1 Amps", 0},
    {8, 0x06, 3, 4, "Amps", "AD8: Amp 2 Amps", 0},
    {9, 0x07, 3, 4, "Amps", "AD9: Amp 3 Amps", 0},
    {10, 0x08, 3, 4, "Amps", "AD10: Filtered Amp 1 Amps", 0},
    {11, 0x09, 3, 4, "Amps", "AD11: Filtered Amp 2 Amps", 0},
    {12, 0x0A, 3, 4, "Amps", "AD12: Filtered Amp 3 Amps", 0},
    {13, 0x0C, 3, 5, "AH", "AD13: Amp 1  AmpHrs from Full", 0x09},
    {14, 0x0D, 3, 5, "AH", "AD14: Amp 2  AmpHrs", 0x0A},
    {15, 0x0F, 4, 6, "AH", "AD15: True Amp 3 AmpHrs", 0x0B},
    {16, 0x12, 3, 3, "AH", "AD16: Cum Amp 1 AmpHrs", 0xB0},
    {17, 0x13, 3, 3, "AH", "AD17: Cum Amp 2 AmpHrs", 0xB1},
    {18, 0x17, 3, 4, "Watts", "AD18: Amp 1 Watts", 0},
    {19, 0x18, 3, 4, "Watts", "AD19: Amp 2 Watts", 0},
    {20, 0x15, 4, 7, "WHrs", "AD20: Amp 1 WattHrs", 0x11},
    {21, 0x16, 4, 7, "WHrs", "AD21: Amp 2 WattHrs", 0x12},
    {22, 0x1A, 1, 8, "% Full", "AD22: Volt 1 % Full", 0},
    {23, 0x1B, 1, 8, "% Full", "AD23: Battery 2 % Full", 0},
    {24, 0x1C, 2, 9, "Days", "AD24: Days since Volt 1 Chrgd", 0x19},
    {25, 0x1D, 2, 9, "Days", "AD25: Days since Battery 2 Chrgd", 0x1A},
    {26, 0x1E, 2, 9, "Days", "AD26: Days since Volt 1 EQ", 0x1B},
    {27, 0x1F, 2, 9, "Days", "AD27: Days since Battery 2 EQ", 0x1C},
    {28, 0x19, 1, 10, "Deg(C)", "AD28: Temperature", 0},
}};

} // namespace

TEST_F(LiveItemTable, HoldsEveryMeasuredItemAsTheUnitDefinesIt)
{
    for (const ExpectedItem& expected : EXPECTED_ITEMS) {
        SCOPED_TRACE(expected.item);
        const LiveItem& item = table.item(expected.item);
        EXPECT_EQ(item.itemNumber, expected.item);
        EXPECT_EQ(item.address, expected.address);
        EXPECT_EQ(item.length, expected.length);
        EXPECT_EQ(item.decodeType, expected.decodeType);
        EXPECT_EQ(item.unitText, QString::fromUtf8(expected.unitText));
        EXPECT_EQ(item.labelText, QString::fromUtf8(expected.label));
        EXPECT_EQ(item.resetCode, expected.resetCode);
        EXPECT_FALSE(item.valid);
        EXPECT_FALSE(item.polled);
    }
}

TEST_F(LiveItemTable, HoldsNoneUnusedAndLabelOnlyRecords)
{
    EXPECT_EQ(CLiveItemTable::ITEM_COUNT, 41);
    EXPECT_EQ(label(0), QStringLiteral("None"));
    EXPECT_EQ(table.item(0).itemNumber, 0);
    EXPECT_EQ(table.item(0).decodeType, 0);
    for (int unused : {5, 6}) {
        const LiveItem& item = table.item(unused);
        EXPECT_EQ(item.itemNumber, 0);
        EXPECT_EQ(item.decodeType, 0);
        EXPECT_EQ(item.labelId, 0);
        EXPECT_TRUE(item.labelText.isEmpty()) << "the NOT USED texts are not loaded";
    }
    const std::array<const char*, 12> labelOnly{
        "AD29: B1 00CyEff", "AD30: B1 00CySd", "AD31: B1 00CyEff", "AD32: B1 00CySd",
        "AD33: B1 00CyEff", "AD34: B1 00CySd", "AD35: B2 00CyEff", "AD36: B2 00CySd",
        "AD37: B2 00CyEff", "AD38: B2 00CySd", "AD39: B2 00CyEff", "AD40: B2 00CySd"};
    for (int n = 29; n <= 40; ++n) {
        const LiveItem& item = table.item(n);
        EXPECT_EQ(item.itemNumber, n);
        EXPECT_EQ(item.labelText, QString::fromUtf8(labelOnly[static_cast<std::size_t>(n - 29)]));
        EXPECT_EQ(item.decodeType, 0);
        EXPECT_EQ(item.address, 0);
        EXPECT_EQ(item.length, 0);
        EXPECT_TRUE(item.unitText.isEmpty());
        EXPECT_EQ(item.colorLow, RgbColor{0});
        EXPECT_EQ(item.colorHigh, RgbColor{0});
    }
    EXPECT_EQ(table.item(41).itemNumber, 0);
    EXPECT_EQ(table.item(-1).itemNumber, 0);
}

TEST_F(LiveItemTable, GivesHelpTopicsToTheFirstThreeItemsOnly)
{
    EXPECT_EQ(table.item(1).helpTopic, 0x201001u);
    EXPECT_EQ(table.item(2).helpTopic, 0x201002u);
    EXPECT_EQ(table.item(3).helpTopic, 0x201003u);
    EXPECT_EQ(table.item(4).helpTopic, 0u);
    EXPECT_EQ(table.item(28).helpTopic, 0u);
}

TEST_F(LiveItemTable, TakesThresholdsAndColoursFromTheSettings)
{
    LiveItemSettings settings = defaultSettings();
    settings.voltThreshold = 12.5f;
    settings.percentThreshold = 40.0f;
    settings.tempThreshold = 5.0f;
    rebuild(settings);
    EXPECT_FLOAT_EQ(table.item(4).threshold, 12.5f);
    EXPECT_FLOAT_EQ(table.item(22).threshold, 40.0f);
    EXPECT_FLOAT_EQ(table.item(23).threshold, 40.0f);
    EXPECT_FLOAT_EQ(table.item(28).threshold, 5.0f);
    for (int n : {7, 13, 15, 18, 20})
        EXPECT_FLOAT_EQ(table.item(n).threshold, 0.0f) << n;
    EXPECT_EQ(table.item(1).colorLow, RED);
    EXPECT_EQ(table.item(1).colorHigh, DARK_GREEN);
    for (int n : {16, 17, 24, 25, 26, 27}) {
        EXPECT_EQ(table.item(n).colorLow, BUTTON_TEXT) << n;
        EXPECT_EQ(table.item(n).colorHigh, BUTTON_TEXT) << n;
    }
}

TEST_F(LiveItemTable, ShowsTemperatureUnitAndConversionFromTheOption)
{
    LiveItemSettings settings = defaultSettings();
    settings.tempOption = FAHRENHEIT;
    rebuild(settings);
    EXPECT_EQ(table.item(28).unitText, QStringLiteral("Deg(F)"));
    EXPECT_EQ(afterReply(28, {0x19}), QStringLiteral("77.0 Deg(F)"));
    EXPECT_EQ(afterReply(28, {0xD8}), QStringLiteral("-40.0 Deg(F)"));
}

TEST_F(LiveItemTable, SlotShowsNoneDashesOrValueWithUnit)
{
    EXPECT_EQ(table.slotText(0), QStringLiteral("NONE"));
    EXPECT_EQ(table.slotColor(0), BUTTON_TEXT);
    EXPECT_EQ(table.slotText(1), QStringLiteral("- - -"));
    EXPECT_EQ(table.slotColor(1), BUTTON_TEXT);
    EXPECT_EQ(table.slotText(30), QStringLiteral("- - -"));
    EXPECT_EQ(table.slotText(99), QStringLiteral("NONE")) << "an item number out of range";
    EXPECT_EQ(afterReply(1, {252, 0}), QStringLiteral("12.6 Volts"));
    EXPECT_EQ(afterReply(2, {0xFF, 0xFF}), QStringLiteral("102.3 Volts"));
    EXPECT_EQ(afterReply(22, {77}), QStringLiteral("77 % Full"));
    EXPECT_EQ(afterReply(24, {0xDD, 0xFF}), QStringLiteral("?? Days"));
    EXPECT_EQ(afterReply(16, {0xFF, 0xFF, 0xFF}), QStringLiteral("1.00 AH"));
}

TEST_F(LiveItemTable, WrongLengthReplyShowsDashesAndKeepsTheOldValue)
{
    EXPECT_TRUE(table.acceptReply(1, bytes({252, 0})));
    EXPECT_EQ(table.item(1).rawReply[0], 252);
    EXPECT_FALSE(table.acceptReply(1, bytes({240, 0, 0})));
    EXPECT_EQ(table.slotText(1), QStringLiteral("- - -"));
    EXPECT_EQ(table.slotColor(1), BUTTON_TEXT);
    EXPECT_FALSE(table.item(1).valid);
    EXPECT_FLOAT_EQ(table.item(1).value, 12.6f);
    EXPECT_EQ(table.item(1).valueText, QStringLiteral("12.6"));
    EXPECT_EQ(table.item(1).rawReply[0], 252);
    EXPECT_FALSE(table.acceptReply(1, bytes({})));
    EXPECT_EQ(afterReply(1, {240, 0}), QStringLiteral("12.0 Volts")) << "a good reply shows again";
}

TEST_F(LiveItemTable, RefusesRepliesForItemsThatAreNeverRead)
{
    EXPECT_FALSE(table.acceptReply(0, bytes({})));
    EXPECT_FALSE(table.acceptReply(5, bytes({})));
    EXPECT_FALSE(table.acceptReply(29, bytes({})));
    EXPECT_FALSE(table.acceptReply(41, bytes({1, 2})));
    EXPECT_EQ(table.slotText(29), QStringLiteral("- - -"));
}

TEST_F(LiveItemTable, RebuildDropsEveryDecodedValueAndPollFlag)
{
    table.acceptReply(1, bytes({252, 0}));
    const std::array<int, 6> slots{1, 0, 0, 0, 0, 0};
    table.markPolledItems(slots);
    rebuild(defaultSettings());
    EXPECT_EQ(table.slotText(1), QStringLiteral("- - -"));
    EXPECT_TRUE(table.item(1).valueText.isEmpty());
    EXPECT_FALSE(table.isPolled(1));
}

TEST_F(LiveItemTable, ColoursByThresholdWithEqualTakingTheHighColour)
{
    afterReply(1, {240, 0}); // 12.0 V against VOLTTHRESH 12.0
    EXPECT_EQ(table.slotColor(1), DARK_GREEN);
    afterReply(1, {238, 0}); // 11.9 V
    EXPECT_EQ(table.slotColor(1), RED);
    afterReply(7, {0, 0, 0}); // 0.0 A
    EXPECT_EQ(table.slotColor(7), DARK_GREEN);
    afterReply(7, {1, 0, 0}); // unit +1 shows -0.0 A
    EXPECT_EQ(table.slotColor(7), RED);
    afterReply(22, {50}); // PERTHRESH 50
    EXPECT_EQ(table.slotColor(22), DARK_GREEN);
    afterReply(23, {49});
    EXPECT_EQ(table.slotColor(23), RED);
    afterReply(28, {31}); // TEMPTHRESH 32
    EXPECT_EQ(table.slotColor(28), RED);
    afterReply(28, {32});
    EXPECT_EQ(table.slotColor(28), DARK_GREEN);
}

TEST_F(LiveItemTable, NeverColoursCumulativeAmpHoursAndDayCounts)
{
    for (int n : {16, 17}) {
        afterReply(n, {0x00, 0x00, 0x80});
        EXPECT_EQ(table.slotColor(n), BUTTON_TEXT) << n;
        afterReply(n, {0xFF, 0xFF, 0x7F});
        EXPECT_EQ(table.slotColor(n), BUTTON_TEXT) << n;
    }
    for (int n : {24, 25, 26, 27}) {
        afterReply(n, {0, 0});
        EXPECT_EQ(table.slotColor(n), BUTTON_TEXT) << n;
        afterReply(n, {0xFF, 0xFF});
        EXPECT_EQ(table.slotColor(n), BUTTON_TEXT) << n;
    }
}

TEST_F(LiveItemTable, ClearedUseColourFlagLeavesOnlyItsKindUncoloured)
{
    struct Case {
        bool LiveItemSettings::*flag;
        std::vector<int> items;
    };
    const std::array<Case, 5> cases{{
        {&LiveItemSettings::useVoltColor, {1, 2, 3, 4}},
        {&LiveItemSettings::useAmpColor, {7, 8, 9, 10, 11, 12, 13, 14, 15}},
        {&LiveItemSettings::useWattColor, {18, 19, 20, 21}},
        {&LiveItemSettings::usePercentColor, {22, 23}},
        {&LiveItemSettings::useTempColor, {28}},
    }};
    for (const Case& off : cases) {
        LiveItemSettings settings = defaultSettings();
        settings.*(off.flag) = false;
        rebuild(settings);
        for (const Case& other : cases) {
            const RgbColor low = &other == &off ? BUTTON_TEXT : RED;
            const RgbColor high = &other == &off ? BUTTON_TEXT : DARK_GREEN;
            for (int n : other.items) {
                EXPECT_EQ(table.item(n).colorLow, low) << n;
                EXPECT_EQ(table.item(n).colorHigh, high) << n;
            }
        }
    }
    LiveItemSettings voltsOff = defaultSettings();
    voltsOff.useVoltColor = false;
    rebuild(voltsOff);
    afterReply(1, {200, 0});
    EXPECT_EQ(table.slotColor(1), BUTTON_TEXT);
}

TEST_F(LiveItemTable, PollsExactlyTheItemsInTheSlots)
{
    const std::array<int, 6> slots{1, 28, 0, 5, 1, 77};
    table.markPolledItems(slots);
    EXPECT_TRUE(table.hasPolledItem());
    for (int n = 0; n < CLiveItemTable::ITEM_COUNT; ++n)
        EXPECT_EQ(table.isPolled(n), n == 1 || n == 28) << n;
    const std::array<int, 6> others{0, 0, 13, 0, 0, 0};
    table.markPolledItems(others);
    for (int n = 0; n < CLiveItemTable::ITEM_COUNT; ++n)
        EXPECT_EQ(table.isPolled(n), n == 13) << n;
    const std::array<int, 6> empty{};
    table.markPolledItems(empty);
    EXPECT_FALSE(table.hasPolledItem());
}

TEST_F(LiveItemTable, ChannelNamesFromTheUnitRelabelTheItems)
{
    // Channel 1 code 1 (Solar) with the single-battery bit, channel 2 code 6, channel 3 code 7.
    ASSERT_TRUE(table.applyChannelNames(bytes({0x11, 0x06, 0x07})));
    EXPECT_EQ(label(7), QStringLiteral("AD7: Solar Amps"));
    EXPECT_EQ(label(22), QStringLiteral("AD22: Battery % Full"));
    EXPECT_EQ(label(1), QStringLiteral("AD1: Battery Volts"));
    EXPECT_EQ(label(26), QStringLiteral("AD26: Days since Battery EQ"));
    EXPECT_EQ(label(2), QStringLiteral("AD2: Volt 2 Volts")) << "the unit does not name volts 2";
    EXPECT_EQ(label(19), QStringLiteral("AD19: Battery 2 Watts"));
    EXPECT_EQ(label(12), QStringLiteral("AD12: Filtered  Amps")) << "code 7 is an empty name";
    EXPECT_EQ(label(13), QStringLiteral("AD13: AHr 1  AmpHrs from Full"));
    EXPECT_EQ(label(14), QStringLiteral("AD14: AHr 2  AmpHrs"));
    EXPECT_EQ(table.settings().voltLabels[0], QStringLiteral("Battery"));
    EXPECT_EQ(table.settings().ampLabels[0], QStringLiteral("Solar"));
    EXPECT_EQ(table.settings().ampLabels[1], QStringLiteral("Battery 2"));
    EXPECT_TRUE(table.settings().ampLabels[2].isEmpty());
}

TEST_F(LiveItemTable, ChannelNamesUseTheLowThreeBitsOfEachCode)
{
    ASSERT_TRUE(table.applyChannelNames(bytes({0xE8, 0xF9, 0x00})));
    EXPECT_EQ(label(1), QStringLiteral("AD1: Battery 1 Volts"));
    EXPECT_EQ(label(10), QStringLiteral("AD10: Filtered Amps 1 Amps"));
    EXPECT_EQ(label(11), QStringLiteral("AD11: Filtered Solar Amps"));
    EXPECT_EQ(label(15), QStringLiteral("AD15: True #3 AmpHrs"));
    EXPECT_EQ(label(17), QStringLiteral("AD17: Cum Solar AmpHrs"));
    const std::array<const char*, 7> channelThree{"#3",   "Solar",   "Wind",   "Hydro",
                                                  "Load", "Battery", "Battery"};
    for (int code = 0; code < 7; ++code) {
        table.applyChannelNames(bytes({0, 0, code}));
        EXPECT_EQ(table.settings().ampLabels[2],
                  QString::fromUtf8(channelThree[static_cast<std::size_t>(code)]));
    }
    EXPECT_FALSE(table.applyChannelNames(bytes({0, 0})));
}

TEST_F(LiveItemTable, BatteryWordsNameTheAmpHoursThenRestoreTheChannelLabels)
{
    table.applyChannelNames(bytes({0x01, 0x04, 0x00}));
    ASSERT_TRUE(table.applyBatteryWords(bytes({0x00, 0x01, 0x00, 0x00})));
    EXPECT_EQ(table.settings().ahrLabels[0], QStringLiteral("Battery Compensated"));
    EXPECT_EQ(table.settings().ahrLabels[1], QStringLiteral("TRUE"));
    EXPECT_EQ(label(13), QStringLiteral("AD13: Solar  AmpHrs from Full"));
    EXPECT_EQ(label(14), QStringLiteral("AD14: Load  AmpHrs"));
    EXPECT_FALSE(table.applyBatteryWords(bytes({1, 1, 1})));
    EXPECT_EQ(table.settings().ahrLabels[1], QStringLiteral("TRUE"));
}

TEST_F(LiveItemTable, ShuntTypesSwitchCurrentDecodingBetweenOneAndTwoDecimals)
{
    ASSERT_TRUE(table.applyShunts(bytes({0x10, 0x00, 0xFF})));
    EXPECT_EQ(table.settings().shunts, (std::array<int, 3>{1, 2, 1}));
    for (int n : {7, 10, 9, 12})
        EXPECT_EQ(table.item(n).decodeType, 4) << n;
    for (int n : {8, 11})
        EXPECT_EQ(table.item(n).decodeType, 2) << n;
    // Unit -1234 on each channel: 12.3 with shunt type 1, 12.30 with type 2.
    EXPECT_EQ(afterReply(7, {0x2E, 0xFB, 0xFF}), QStringLiteral("12.3 Amps"));
    EXPECT_EQ(afterReply(11, {0x2E, 0xFB, 0xFF}), QStringLiteral("12.30 Amps"));
    EXPECT_EQ(table.item(18).decodeType, 4) << "watts do not follow the shunt";
    EXPECT_FALSE(table.applyShunts(bytes({0x10, 0x10})));
}

TEST_F(LiveItemTable, ShuntSettingChoosesTheDecodingAtBuild)
{
    LiveItemSettings settings = defaultSettings();
    settings.shunts = {2, 1, 2};
    rebuild(settings);
    EXPECT_EQ(table.item(7).decodeType, 2);
    EXPECT_EQ(table.item(10).decodeType, 2);
    EXPECT_EQ(table.item(8).decodeType, 4);
    EXPECT_EQ(table.item(12).decodeType, 2);
}

TEST_F(LiveItemTable, LongNamesAndHugeValuesAreCutToTheirFields)
{
    LiveItemSettings settings = defaultSettings();
    settings.voltLabels[0] = QString(200, u'V');
    settings.ampLabels[0] = QString(200, u'A');
    settings.ahrLabels[0] = QStringLiteral("Battery Compensated");
    rebuild(settings);
    EXPECT_EQ(label(1), QStringLiteral("AD1: ") + QString(29, u'V'));
    EXPECT_EQ(label(7), QStringLiteral("AD7: ") + QString(29, u'A'));
    for (int n = 0; n < CLiveItemTable::ITEM_COUNT; ++n)
        EXPECT_LE(label(n).size(), 34) << n;
    table.applyChannelNames(bytes({0, 0, 0}));
    EXPECT_EQ(label(13), QStringLiteral("AD13: Battery Compensated  AmpHrs "));

    EXPECT_EQ(afterReply(16, {0x00, 0x00, 0x80}), QStringLiteral("8388608.0 AH"));
    EXPECT_EQ(afterReply(17, {0x01, 0x00, 0x80}), QStringLiteral("8388607.0 AH"));
    EXPECT_EQ(afterReply(16, {0xFF, 0xFF, 0x7F}), QStringLiteral("-8388607. AH"));
    afterReply(20, {0x00, 0x00, 0x00, 0x80});
    EXPECT_EQ(table.item(20).valueText.size(), 9);
    EXPECT_TRUE(table.item(20).valueText.startsWith(QStringLiteral("2147483")));
}
