#include "programming/SettingsFile.h"

#include "tests/support/TestBytes.h"

#include <gtest/gtest.h>

// The settings file without a unit: which records it keeps, how their bytes read (checked
// against the worked examples of the records' layouts), which firmware may take which record,
// and which hand edits refuse a file and on which line.

namespace {

QString readable(const char* tag, const QByteArray& bytes, float firmware)
{
    return SettingsRecords::readable(*SettingsRecords::withTag(QString::fromLatin1(tag)), bytes,
                                     firmware);
}

const char* const GOOD = "; a unit\n"
                         "[Unit]\n"
                         "Firmware = 2.5\n"
                         "Saved = 2026-03-14 13:47:25\n"
                         "[Parameters]\n"
                         "P14 Battery 1 Capacity = 0xF2: C8 00 | 200 Ah\n"
                         "P26 Battery 1 Low Alarm = 0xEC: 76 00 32 | 11.8 V, 50 %\n"
                         "P27 Battery 1 High Alarm = 0xEA: 96 00 00 | 15.0 V\n";

} // namespace

TEST(SettingsFile, KeepsEveryParameterADialogSetsButNotTheClockTheCommandsChargeControlOrBlockD)
{
    QStringList tags;
    for (const SettingsRecords::Kept& record : SettingsRecords::kept())
        tags.append(record.tag);
    EXPECT_EQ(tags, QStringList({"P1",  "P2",     "P3",     "P4",     "P5",     "P6-9",   "P11-13",
                                 "P14", "P15",    "P16",    "P22-23", "P24-25", "P26",    "P27",
                                 "P28", "P29",    "P30-31", "P32",    "P33",    "P34-35", "P36",
                                 "P37", "P39-42", "P43",    "NetA",   "NetB",   "NetC"}));
}

TEST(SettingsFile, ShowsEachRecordAsItsDialogDoes)
{
    struct Row {
        const char* tag;
        QByteArray bytes;
        float firmware;
        const char* reads;
    };
    const Row rows[] = {
        {"P1", bytesOf({3, 7, 0, 55, 22}), 2.5f, "AD3, AD7, none, none, AD22"},
        {"P6-9", bytesOf({0x16, 0x06, 0x01}), 2.5f,
         "Volts 1: Battery; Amps 1: Battery 1; Amps 2: Battery 2; Amps 3: Solar"},
        {"P11-13", bytesOf({0x10, 0x20, 0x00}), 2.5f,
         "Amps 1: 500A/50mV; Amps 2: 100A/100mV; Amps 3: 100A/100mV; Amps 2 read as input 1 + "
         "input 2"},
        {"P11-13", bytesOf({0x10, 0x20, 0x00}), 1.5f,
         "Amps 1: 500A/50mV; Amps 2: 100A/100mV; Amps 3: 100A/100mV"},
        {"P15", bytesOf({0, 0}), 2.5f, "No Battery"},
        {"P16", bytesOf({1}), 2.5f, "0.5 min"},
        {"P22-23", bytesOf({0xFF, 0x00}), 2.5f,
         "Lo Batt: code 3; Hi Batt: ON VISUAL/AUDIBLE; Batt Charged: ON VISUAL/AUDIBLE; Too many "
         "days since Charged: ON VISUAL/AUDIBLE; Too many days since Equalized: OFF"},
        // Volts come from the low 10 bits of the word, in tenths.
        {"P26", bytesOf({118, 0xFC, 50}), 2.5f, "11.8 V, 50 %"},
        {"P28", bytesOf({118, 0, 99}), 2.5f, "11.8 V, % full not used"},
        {"P32", bytesOf({142, 0, 99}), 2.5f, "14.2 V, amps not used"},
        {"P30-31", bytesOf({115, 0, 0, 138, 0, 100}), 2.1f,
         "Normal; ON 11.5 V; OFF 13.8 V or charged (P32)"},
        {"P30-31", bytesOf({115, 0, 0, 138, 0, 100}), 1.5f, "Normal; ON 11.5 V; OFF 13.8 V"},
        {"P30-31", bytesOf({140, 0, 90, 120, 0, 20}), 2.5f,
         "Reversed; ON 14.0 V or 90 %; OFF 12.0 V or 20 %"},
        {"P34-35", bytesOf({90, 0xE7, 0xFF}), 2.5f, "90 %, 9.99 A"},
        {"P37", bytesOf({250}), 2.5f, "250 days"},
        // AHr 1 and WHr 1 every hour from 07:30: block 2, minute 90.
        {"P39-42", bytesOf({0x27, 2, 0, 90, 0, 0, 0, 0, 0, 0, 0x09, 0}), 2.5f,
         "every 1 hr from 07:30: AHr 1, WHr 1"},
        {"P43", bytesOf({0xA0}), 2.5f, "5% Change; Battery 1 data"},
        {"NetA", bytesOf({1, 192, 168, 1, 40, 192, 168, 1, 1, 8, 8, 8, 8, 8}), 2.5f,
         "DHCP on; IP 192.168.1.40; gateway 192.168.1.1; mask 255.255.255.0; DNS 8.8.8.8"},
        {"NetA", bytesOf({0, 0, 0, 0, 0, 0, 0, 0, 0, 32, 0, 0, 0, 0}), 2.5f,
         "DHCP off; IP 0.0.0.0; gateway 0.0.0.0; mask 0.0.0.0; DNS 0.0.0.0"},
        {"NetB", bytesOf({0, 0, 0, 0, 0xA5, 0x06}), 2.5f, "DNS 2 0.0.0.0; port 1701"},
        {"NetC", QByteArray("ZELTRAVANIC1\0\0\0\0", 16), 2.5f, "name ZELTRAVANIC1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.tag);
        EXPECT_EQ(readable(row.tag, row.bytes, row.firmware), QLatin1String(row.reads));
    }
}

TEST(SettingsFile, GoesOnlyToAUnitWhoseFirmwareOffersTheRecordWithTheSameLayout)
{
    struct Row {
        const char* tag;
        float file;
        float unit;
        bool skipped;
    };
    const Row rows[] = {{"P26", 1.5f, 2.5f, false},    {"P11-13", 1.5f, 2.5f, true},
                        {"P11-13", 1.0f, 1.9f, false}, {"P30-31", 2.5f, 1.9f, true},
                        {"P30-31", 2.1f, 2.5f, false}, {"NetA", 2.5f, 1.9f, true},
                        {"NetC", 2.5f, 2.0f, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.tag) + " " + std::to_string(row.file));
        const auto record = SettingsRecords::withTag(QString::fromLatin1(row.tag));
        EXPECT_EQ(!SettingsRecords::firmwareNote(*record, row.file, row.unit).isEmpty(),
                  row.skipped);
    }
}

TEST(SettingsFile, ReadsBackWhatItWroteAndTakesALineWithoutItsText)
{
    QStringList errors;
    const auto file = SettingsFile::parse(QByteArray(GOOD).replace("| 15.0 V", ""), errors);
    ASSERT_TRUE(file) << errors.join(u'\n').toStdString();
    EXPECT_EQ(file->firmware, 2.5f);
    const auto again = SettingsFile::parse(file->toText(), errors);
    ASSERT_TRUE(again);
    ASSERT_EQ(again->entries.size(), 3);
    EXPECT_EQ(again->entries[1].bytes, bytesOf({118, 0, 50}));
    EXPECT_EQ(again->entries[2].record.tag, QStringLiteral("P27"));
    EXPECT_EQ(again->saved, file->saved);
}

TEST(SettingsFile, RefusesAHandEditedFileNamingTheLineOfEachFault)
{
    struct Row {
        const char* from;
        const char* to;
        const char* error;
    };
    const Row rows[] = {
        {"C8 00", "C8 0G", "line 6: P14: expected 0xADDRESS: followed by bytes"},
        {"0xF2:", "0xF1:", "line 6: P14 is record 0xF2, not 0xF1"},
        {"C8 00 |", "C8 00 00 |", "line 6: P14 has 2 bytes, not 3"},
        {"C8 00 | 200 Ah", "10 27 | 10000 Ah",
         "line 6: P14 Battery 1 Capacity: Amp Hrs must be between 0 - 9999"},
        {"96 00 00 | 15.0 V", "5A 00 00 | 9.0 V",
         "line 8: P27 Battery 1 High Alarm: Voltage must be between 10 - 100"},
        {"| 11.8 V", "| 12.0 V",
         "line 7: P26: the bytes read \"11.8 V, 50 %\", not \"12.0 V, 50 %\""},
        {"P27 Battery 1 High Alarm", "P38 Clock", "line 8: P38 is not a parameter"},
        {"P27 Battery 1 High Alarm = 0xEA: 96 00 00 | 15.0 V", "p26 = 0xEC: 76 00 32",
         "line 8: P26 is given twice"},
        {"[Parameters]", "[Params]", "line 5: unknown section [Params]"},
        {"Firmware = 2.5", "Firmware = new", "line 3: Firmware must be a version such as 2.5"},
        {"Saved = 2026-03-14", "Saved = 14.03.2026", "line 4: Saved must be a date"},
        {"200 Ah\n", "200 Ah\n\xFF\n", "The file is not UTF-8 text."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.to);
        QStringList errors;
        EXPECT_FALSE(SettingsFile::parse(QByteArray(GOOD).replace(row.from, row.to), errors));
        ASSERT_FALSE(errors.isEmpty());
        EXPECT_TRUE(errors.first().startsWith(QString::fromUtf8(row.error)))
            << errors.join(u'\n').toStdString();
    }
}
