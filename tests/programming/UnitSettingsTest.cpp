#include "programming/UnitSettings.h"

#include "tests/programming/ProgrammingFixture.h"

#include <QTemporaryDir>

// Settings saved from one stand-in unit and restored onto another, over either transport.

namespace {

constexpr float FIRMWARE = 2.5f;
// Records of the parameter table, restated: P26, P28, P32, shunts, relay, network A and C.
constexpr quint8 P26 = 0xEC, P28 = 0xEB, P32 = 0xE8, SHUNTS = 0xF6, RELAY = 0xD4, NET_A = 0x90,
                 NET_C = 0x92;

class SettingsBetweenUnits : public ::testing::TestWithParam<Transport> {
protected:
    void SetUp() override { link.SetOwner(&window); }

    UnitSettings on(const StandInUnit& unit, float firmware = FIRMWARE)
    {
        EXPECT_TRUE(unit.open(link, GetParam()));
        return UnitSettings(link, table, firmware);
    }

    SettingsFile saved(UnitSettings settings)
    {
        const auto file = settings.save(QDateTime(QDate(2026, 3, 14), QTime(13, 47, 25)));
        EXPECT_TRUE(file) << settings.errorText().toStdString();
        return file.value_or(SettingsFile());
    }

    static QSet<int> everySlot()
    {
        QSet<int> slots;
        for (const SettingsRecords::Kept& record : SettingsRecords::kept())
            slots.insert(record.slot);
        return slots;
    }

    static QStringList tagsOf(const QList<SettingsRecords::Kept>& records)
    {
        QStringList tags;
        for (const SettingsRecords::Kept& record : records)
            tags.append(record.tag);
        return tags;
    }

    StandInUnit first;
    StandInUnit second;
    ScriptedPrompt prompts;
    CUnitLink link{prompts, ComPortDirectory()};
    LinkWindow window{link};
    ParameterTable table;
};

} // namespace

TEST_P(SettingsBetweenUnits, RestoreGivesTheSecondUnitTheFirstsRecordsByteForByteAndThenNothing)
{
    first.setRecord(P26, bytesOf({120, 0, 40}));
    first.setRecord(RELAY, bytesOf({140, 0, 90, 120, 0, 20}));
    first.setRecord(0xF1, bytesOf({0, 0}));
    first.setRecord(NET_A, bytesOf({0, 192, 168, 1, 40, 192, 168, 1, 1, 8, 8, 8, 8, 8}));
    first.setRecord(NET_C, QByteArray("ADAPTER7").leftJustified(16, '\0'));
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("unit.ini"));
    QString error;
    ASSERT_TRUE(saved(on(first)).writeTo(path, error)) << error.toStdString();
    QStringList errors;
    const auto file = SettingsFile::readFrom(path, errors);
    ASSERT_TRUE(file) << errors.join(u'\n').toStdString();
    ASSERT_EQ(file->entries.size(), 27);

    UnitSettings settings = on(second);
    auto comparison = settings.compare(*file);
    ASSERT_TRUE(comparison) << settings.errorText().toStdString();
    const UnitSettings::Report report = settings.restore(*comparison, everySlot());
    EXPECT_TRUE(report.completed()) << report.failure.toStdString();
    EXPECT_EQ(tagsOf(report.written), QStringList({"P15", "P26", "P30-31", "NetA", "NetC"}));
    for (const SettingsFile::Entry& entry : file->entries)
        EXPECT_EQ(second.read(table.slot(entry.record.slot).address(), entry.bytes.size()),
                  entry.bytes)
            << entry.record.tag.toStdString();

    second.clearRequests();
    comparison = settings.compare(*file);
    EXPECT_TRUE(settings.restore(*comparison, everySlot()).written.isEmpty());
    EXPECT_TRUE(second.writes().isEmpty());
    EXPECT_TRUE(prompts.shown().isEmpty()) << "the core shows nothing itself";
}

TEST_P(SettingsBetweenUnits, ABadAcknowledgementHalfwayStopsTheRestoreNamingTheRecordAndTheWritten)
{
    for (quint8 address : {P26, P28, P32})
        first.setRecord(address, bytesOf({125, 0, 30}));
    const SettingsFile file = saved(on(first));
    UnitSettings settings = on(second);
    auto comparison = settings.compare(file);
    ASSERT_TRUE(comparison);
    second.addFault(FaultKind::BadChecksum, QStringLiteral("write@0xEB:1"));
    const UnitSettings::Report report = settings.restore(*comparison, everySlot());
    EXPECT_EQ(report.summary(), QStringLiteral("The restore stopped at P28 Battery 2 Low Alarm: "
                                               "Error: Received bad checksum on Seriel Port.\n"
                                               "Already written: P26."));
    EXPECT_EQ(second.record(P32), bytesOf({142, 0, 4})) << "nothing after the bad one";
}

TEST_P(SettingsBetweenUnits, AFileFromFirmwareWithoutTheNetworkRestoresTheRecordsOfTheSameLayout)
{
    first.setRecord(P26, bytesOf({120, 0, 40}));
    first.setRecord(SHUNTS, bytesOf({0, 0, 0}));
    first.setRecord(RELAY, bytesOf({140, 0, 90, 120, 0, 20}));
    const SettingsFile file = saved(on(first, 1.9f));
    EXPECT_EQ(file.entries.size(), 24) << "no network blocks";
    const QByteArray network = bytesOf({0, 10, 0, 0, 5, 10, 0, 0, 1, 8, 10, 0, 0, 1});
    second.setRecord(NET_A, network);

    UnitSettings settings = on(second);
    auto comparison = settings.compare(file);
    ASSERT_TRUE(comparison);
    const QString layout = QStringLiteral(
        " is skipped: its layout differs between firmware 1.9 (the file) and 2.5 (the unit).");
    EXPECT_EQ(UnitSettings::skipped(*comparison),
              QStringList({"P11-13 Shunt Types" + layout, "P30-31 Relay Setpoints" + layout}));
    EXPECT_EQ(tagsOf(settings.restore(*comparison, everySlot()).written), QStringList{"P26"});
    EXPECT_EQ(second.record(NET_A), network);
}

INSTANTIATE_TEST_SUITE_P(Both, SettingsBetweenUnits, BothTransports, TransportName);
