#include "resources/StringTable.h"

#include <QByteArray>
#include <QSet>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

TEST(StringTable, ParsesIdsAndUnescapesTexts)
{
    const StringTable table =
        StringTable::parse(QStringLiteral("# comment\n1024\tError opening port.\n"
                                          "2501\tCould not open file:\\n %s\n\n"
                                          "3\ta \\\"quoted\\\" back\\\\slash\\r\n"));
    EXPECT_EQ(table.size(), 3);
    EXPECT_EQ(table.text(1024), QStringLiteral("Error opening port."));
    EXPECT_EQ(table.text(2501), QStringLiteral("Could not open file:\n %s"));
    EXPECT_EQ(table.text(3), QStringLiteral("a \"quoted\" back\\slash\r"));
    EXPECT_TRUE(table.text(99).isEmpty());
}

namespace {

struct IdRange {
    int first;
    int last;
};

// Every id the program loads, as runs of consecutive ids. The gaps are ids nothing loads:
// 508, 517 and 526 lie beyond the channel-name codes (the unit's byte AND 7), 562 between
// the AD28 label and "None", and 1030, 1033, 1034, 1037 are neither a link state text nor an
// error code the serial line sets.
const std::vector<IdRange> kLoadedIds = {
    {100, 100},   {500, 507},   {509, 516},   {518, 525},   {527, 528},   {534, 561},
    {563, 563},   {599, 608},   {611, 616},   {618, 619},   {621, 626},   {700, 711},
    {1000, 1000}, {1024, 1029}, {1031, 1032}, {1035, 1036}, {1038, 1043}, {1200, 1201},
    {1505, 1505}, {1550, 1551}, {2000, 2001}, {2501, 2504}, {2601, 2602}, {3000, 3010},
    {3020, 3021}, {3050, 3055},
};

// Channel code 7 names no channel: its label argument is the empty text.
const QSet<int> kEmptyChannelNames = {507, 516, 525};

QList<int> expectedIds()
{
    QList<int> ids;
    for (const IdRange& range : kLoadedIds)
        for (int id = range.first; id <= range.last; ++id)
            ids.append(id);
    return ids;
}

template <typename... Args> QString formatted(int id, Args... args)
{
    const QByteArray format = loadString(id).toUtf8();
    return QString::asprintf(format.constData(), args...);
}

void expectTexts(const std::vector<std::pair<int, QString>>& expected)
{
    for (const auto& [id, text] : expected)
        EXPECT_EQ(loadString(id), text) << "string " << id;
}

} // namespace

TEST(BuiltInStringTable, HoldsExactlyTheIdsTheProgramLoads)
{
    EXPECT_EQ(StringTable::builtIn().ids(), expectedIds());
}

TEST(BuiltInStringTable, NoTextIsEmptyExceptTheUnnamedChannelCode)
{
    const StringTable& table = StringTable::builtIn();
    for (int id : table.ids()) {
        if (kEmptyChannelNames.contains(id)) {
            EXPECT_TRUE(table.contains(id)) << "string " << id;
            EXPECT_TRUE(table.text(id).isEmpty()) << "string " << id;
        } else {
            EXPECT_FALSE(table.text(id).isEmpty()) << "string " << id;
        }
    }
}

TEST(BuiltInStringTable, EscapesAreDecodedInEveryText)
{
    // No text of the program contains a backslash: one left over is an escape not decoded.
    for (int id : StringTable::builtIn().ids())
        EXPECT_FALSE(loadString(id).contains(u'\\')) << "string " << id;
}

TEST(BuiltInStringTable, LinkStatusAndErrorTexts)
{
    expectTexts({
        {1024, QStringLiteral("Error opening port.")},
        {1025, QStringLiteral("Port Closed.")},
        {1026, QStringLiteral("Port Open && Idle.")},
        {1027, QStringLiteral("Sending Data to Unit.")},
        {1028, QStringLiteral("Receiving Data from Unit.")},
        {1029, QStringLiteral("Waiting for Acknowlegement from Unit.")},
        {1031, QStringLiteral("Unknown Error!")},
        {1032, QStringLiteral("Break Received")},
        {1035, QStringLiteral("Framing Error")},
        {1036, QStringLiteral("Overrun Error")},
        {1038, QStringLiteral("RXD Buffer Overflow")},
        {1039, QStringLiteral("Parity Error")},
        {1040, QStringLiteral("TXD Buffer Full")},
        {1041, QStringLiteral("Mode Error")},
        {1042, QStringLiteral("Error: Bad Checksum")},
        {1043, QStringLiteral("Error reading data from Zeltravanic unit.")},
        {2601, QStringLiteral("Error: Received bad checksum on Seriel Port.")},
    });
}

TEST(BuiltInStringTable, MessagesKeepTheirLineBreaks)
{
    expectTexts({
        {1000, QStringLiteral("Windows sockets initialization failed.")},
        {1550, QStringLiteral("There was a Communication Error while downloading Logged Data.\n"
                              "No data files were created.")},
        {1551, QStringLiteral("Unit time has been set to PC time.")},
        {2000, QStringLiteral("Cannot update display because no Timers are available.\r"
                              "Try closing other applications.")},
        {2001, QStringLiteral("Warning: There is a problem with the communications port. Try "
                              "fixing it.\r\r Do you want to continue reading data?")},
        {2503, QStringLiteral("WARNING:\rDo you want to clear the Zeltravanic data buffer? This "
                              "will erase all Periodic Logged Data in the Zeltravanic unit.")},
        {2504, QStringLiteral("Warning:\rAre you sure you want to RESET this value to Zero?")},
        {2602, QStringLiteral("Before downloading data,  you will need to set up the labels you "
                              "want to use for each item.\n        Click [ OK ] to continue...")},
        {3020, QStringLiteral("Error finding Application Data folder.")},
        {3021, QStringLiteral("Error finding My Documents folder.")},
    });
}

TEST(BuiltInStringTable, FormatsFillTheirPlaceholders)
{
    EXPECT_EQ(formatted(2501, "C:/Data/CW_Dec_05_2026_PeriodicData.csv"),
              QStringLiteral("Could not open file:\n C:/Data/CW_Dec_05_2026_PeriodicData.csv"));
    EXPECT_EQ(formatted(2502, 12, 34, 56, "C:/Data/CW_Dec_05_2026"),
              QStringLiteral("Data Downloaded:\n   12 Periodic records\n   34 Efficiency "
                             "records\n   56 Battery Discharge Profile records\n\nData files "
                             "saved in:\nC:/Data/CW_Dec_05_2026"));
    EXPECT_EQ(formatted(1505, 5, 5),
              QStringLiteral("Date Time,Valid,Cycle Hrs,Dis AHrs,Chrg AHrs,Net AHrs,Chrg "
                             "Eff,Self DisChrg, 5 Cycle Chrg Eff, 5 Cycle Self DisChrg"));
    EXPECT_EQ(formatted(546, "Solar"), QStringLiteral("AD13: Solar  AmpHrs from Full"));
    EXPECT_EQ(formatted(555, "Battery"), QStringLiteral("AD22: Battery % Full"));
    EXPECT_EQ(formatted(540, "Solar"), QStringLiteral("AD7: Solar Amps"));
}

TEST(BuiltInStringTable, LiveItemLabelFormats)
{
    expectTexts({
        {534, QStringLiteral("AD1: %s Volts")},
        {537, QStringLiteral("AD4: Filtered %s Volts")},
        {538, QStringLiteral("AD5 NOT USED")},
        {539, QStringLiteral("AD6 NOT USED")},
        {545, QStringLiteral("AD12: Filtered %s Amps")},
        {547, QStringLiteral("AD14: %s  AmpHrs")},
        {548, QStringLiteral("AD15: True %s AmpHrs")},
        {550, QStringLiteral("AD17: Cum %s AmpHrs")},
        {554, QStringLiteral("AD21: %s WattHrs")},
        {556, QStringLiteral("AD23: Battery 2 %% Full")},
        {558, QStringLiteral("AD25: Days since Battery 2 Chrgd")},
        {559, QStringLiteral("AD26: Days since %s EQ")},
        {561, QStringLiteral("AD28: Temperature")},
        {563, QStringLiteral("None")},
        {700, QStringLiteral("AD29: B1 00CyEff")},
        {705, QStringLiteral("AD34: B1 00CySd")},
        {706, QStringLiteral("AD35: B2 00CyEff")},
        {711, QStringLiteral("AD40: B2 00CySd")},
    });
}

TEST(BuiltInStringTable, ChannelNamesAndBatteryWords)
{
    expectTexts({
        {500, QStringLiteral("Amps 1")},
        {501, QStringLiteral("Solar")},
        {504, QStringLiteral("Load")},
        {506, QStringLiteral("Battery 1")},
        {509, QStringLiteral("#2")},
        {512, QStringLiteral("Hydro")},
        {515, QStringLiteral("Battery 2")},
        {518, QStringLiteral("#3")},
        {520, QStringLiteral("Wind")},
        {523, QStringLiteral("Battery")},
        {524, QStringLiteral("Battery")},
        {527, QStringLiteral("TRUE")},
        {528, QStringLiteral("Battery Compensated")},
    });
}

TEST(BuiltInStringTable, ParameterTitleTags)
{
    expectTexts({
        {599, QStringLiteral("P-X")},
        {600, QStringLiteral("P1")},
        {604, QStringLiteral("P5")},
        {605, QStringLiteral("P6-9")},
        {606, QStringLiteral("P11-13")},
        {608, QStringLiteral("P15")},
        {611, QStringLiteral("P22-23")},
        {616, QStringLiteral("P29")},
        {618, QStringLiteral("P32")},
        {622, QStringLiteral("P37")},
        {623, QStringLiteral("P38A")},
        {624, QStringLiteral("P38B")},
        {625, QStringLiteral("P39-42")},
        {626, QStringLiteral("P43")},
    });
}

TEST(BuiltInStringTable, BatteryStatusRowsAreThreeThousandPlusRow)
{
    const QStringList rows = {
        QStringLiteral("B1 LOW"),       QStringLiteral("B1 CHRGD"),
        QStringLiteral("B1 HI"),        QStringLiteral("B1 TIME 2 CHRG"),
        QStringLiteral("B1 TIME 2 EQ"), QStringLiteral("RELAY ON"),
        QStringLiteral("B2 LOW"),       QStringLiteral("B2 CHRGD"),
        QStringLiteral("B2 HI"),        QStringLiteral("B2 TIME 2 CHRG"),
        QStringLiteral("B2 TIME 2 EQ"),
    };
    for (int row = 0; row < rows.size(); ++row)
        EXPECT_EQ(loadString(3000 + row), rows[row]) << "row " << row;
}

TEST(BuiltInStringTable, VersionAndRelayHeaders)
{
    expectTexts({
        {100, QStringLiteral("0.904")},
        {1200, QStringLiteral("Turn relay ON when...")},
        {1201, QStringLiteral("Turn relay OFF when...")},
    });
}

TEST(BuiltInStringTable, TimeoutExplanationJoinsIntoParagraphs)
{
    // The advanced page joins 3050..3055 without separator, so every part but the last
    // brings its own paragraph break.
    for (int id = 3050; id <= 3054; ++id)
        EXPECT_TRUE(loadString(id).endsWith(QStringLiteral("\r\n\r\n"))) << "string " << id;
    EXPECT_FALSE(loadString(3055).endsWith(u'\n'));

    const std::vector<std::pair<int, QString>> fieldOfPart = {
        {3051, QStringLiteral("Read Timeout (ms) between bytes")},
        {3052, QStringLiteral("Read Timeout Multiplier")},
        {3053, QStringLiteral("Read Timeout Constant")},
        {3054, QStringLiteral("Write Timeout Multiplier")},
        {3055, QStringLiteral("Write Timeout Constant")},
    };
    for (const auto& [id, field] : fieldOfPart)
        EXPECT_TRUE(loadString(id).startsWith(field)) << "string " << id;
}
