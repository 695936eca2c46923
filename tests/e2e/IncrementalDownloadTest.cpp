#include "link/CUnitLink.h"
#include "logged/DownloadSequence.h"
#include "simulator/Scenario.h"
#include "tests/e2e/DownloadFiles.h"
#include "tests/support/EventPump.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/StandInUnit.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

namespace {

const QDateTime PcTime(QDate(2026, 3, 15), QTime(9, 30, 27), QTimeZone::utc());

// Downloads from one stand-in unit, one after the other, with the images kept in a folder of
// the test's own.
class NightlyDownloads : public ::testing::TestWithParam<Transport> {
public:
    DownloadResult download(const QString& folder, bool full)
    {
        DownloadSequence sequence(link, prompts);
        sequence.setClock([] { return PcTime; });
        sequence.setTimeText(LogTimeText(QTimeZone::utc()));
        sequence.setImageFolder(images.path());
        std::optional<DownloadResult> result;
        QObject::connect(&sequence, &DownloadSequence::finished,
                         [&result](const DownloadResult& done) { result = done; });
        link.SetOwner(&sequence);
        if (link.GetState() == LINK_CLOSED) {
            EXPECT_TRUE(unit.open(link, GetParam()));
        }
        DownloadJob job = DownloadFiles::everything(folder, QStringLiteral("CW"));
        job.full = full;
        EXPECT_TRUE(sequence.start(job));
        EXPECT_TRUE(EventPump::waitUntil([&] { return result.has_value(); }, 60000));
        return result.value_or(DownloadResult{});
    }

    void damageImage() const
    {
        const QString path = QDir(images.path()).filePath(DownloadFiles::names(images.path())[0]);
        QByteArray bytes = DownloadFiles::contents(path);
        bytes[bytes.size() / 2] = static_cast<char>(bytes[bytes.size() / 2] ^ 1);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    StandInUnit unit;
    ScriptedPrompt prompts;
    CUnitLink link{prompts, ComPortDirectory()};
    QTemporaryDir images;
};

// What happens to the unit before a download, and how that download must go: read in part
// ("Incremental") or whole ("Full (why"), and at most how many pages when in part.
struct Visit {
    const char* name;
    std::function<void(NightlyDownloads&)> before;
    const char* kind;
    int mostPages;
};

void runDays(StandInUnit& unit, int days)
{
    unit.withUnit([days](SimulatedUnit& simulated) { simulated.fastForward(days); });
}

} // namespace

TEST_P(NightlyDownloads, EveryDownloadWritesTheFilesOfAFullDownloadOfTheSameMemory)
{
    unit.withUnit(
        [](SimulatedUnit& simulated) { Scenario::apply(QStringLiteral("week"), simulated); });
    const Visit visits[] = {
        {"First", {}, "Full download (no copy", 0},
        {"NoNewRecords", {}, "Incremental", 2},
        {"OneDay", [](auto& t) { runDays(t.unit, 1); }, "Incremental", 7},
        {"PeriodicRingWraps", [](auto& t) { runDays(t.unit, 14); }, "Incremental", 40},
        {"PeriodicLogCleared",
         [](auto& t) {
             t.unit.withUnit([](SimulatedUnit& u) { u.write(0x27, QByteArray(1, '\x72')); });
             runDays(t.unit, 1);
         },
         "Full download (the unit's memory", 0},
        {"ImageDamaged", [](auto& t) { t.damageImage(); }, "Full download (no copy", 0},
        {"MoreThanARingSince", [](auto& t) { runDays(t.unit, 30); },
         "Full download (the unit's memory", 0},
        {"ClockSetBack", [](auto& t) { t.unit.setRecord(0xF9, QByteArray::fromHex("0800")); },
         "Full download (the unit's clock", 0},
        {"OtherUnit", [](auto& t) { t.unit.setRecord(0xE1, QByteArray::fromHex("050601")); },
         "Full download (another unit", 0},
    };
    for (const Visit& visit : visits) {
        SCOPED_TRACE(visit.name);
        if (visit.before)
            visit.before(*this);
        QTemporaryDir part;
        QTemporaryDir whole;
        const DownloadResult incremental = download(part.path(), false);
        ASSERT_TRUE(download(whole.path(), true).success);
        ASSERT_TRUE(incremental.success);
        EXPECT_TRUE(incremental.summary.contains(QLatin1String(visit.kind)))
            << incremental.summary.toStdString();
        const QStringList names = DownloadFiles::names(whole.path());
        EXPECT_EQ(DownloadFiles::names(part.path()), names);
        for (const QString& name : names) {
            SCOPED_TRACE(name.toStdString());
            EXPECT_EQ(DownloadFiles::contents(part.filePath(name)),
                      DownloadFiles::contents(whole.filePath(name)));
        }
        EXPECT_EQ(incremental.wholePages, 62);
        if (visit.mostPages > 0) {
            EXPECT_LE(incremental.pagesRead, visit.mostPages);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Both, NightlyDownloads, BothTransports, TransportName);
