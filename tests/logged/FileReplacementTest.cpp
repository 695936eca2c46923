#include "LogImages.h"
#include "config/CConfiguration.h"
#include "display/CNotesLog.h"
#include "logged/LoggedDataExport.h"
#include "logged/LoggedFileNames.h"
#include "simulator/MemoryImage.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/FullDisk.h"
#include "tests/support/ScriptedPrompt.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A download with records in every log, enough to fill each file past the disk's room.
std::unique_ptr<CLoggedData> fullDownload()
{
    auto data = std::make_unique<CLoggedData>();
    data->setUnitBaseTime(TestBaseTime);
    PeriodicLogImage periodic;
    for (int minute = 0; minute < 20; ++minute)
        periodic.append(minute, CPerData::AMPHOURS1);
    takePeriodic(*data, periodic);
    QByteArray cycles(2048, '\0');
    for (int index = 0; index < 6; ++index)
        putCycle(cycles, index, index * 600, 100000 - 1000 * index, 1000 * index);
    takeEfficiency(*data, cycles, cycles, efficiencyIndexPage(5, 0, 5, 0));
    QByteArray profile(4096, '\0');
    for (int index = 1; index <= 20; ++index)
        putEntry(profile, index, index % 2 ? 0x80 : 0x00, static_cast<std::uint16_t>(200 + index),
                 0);
    takeDischargeProfile(*data, profile, "006820");
    return data;
}

} // namespace

// Whatever the program replaces or appends to, a disk that fills up part way through leaves
// the user's old file as it was and the failure reported.
TEST(FullDisk, EveryFileTheProgramWritesKeepsItsOldBytesAndTheFailureIsReported)
{
    if (!FileSizeLimit::isSupported())
        GTEST_SKIP() << "needs a per-process file size limit";
    QTemporaryDir root;
    const QDir folder(root.path());
    ASSERT_TRUE(folder.mkpath(QStringLiteral("appdata/Gorvane")));
    const ConfigFolders configFolders{root.path(), folder.filePath(QStringLiteral("appdata")),
                                      root.path()};
    ScriptedPrompt prompts;
    const QString cumulative = QStringLiteral("CumulativePeriodicData.csv");
    // Whether the download's outcome names no failure of the file.
    const auto exportReportsSuccessFor = [&](const QString& name) {
        Settings settings;
        settings.dataPath = root.path();
        settings.singleFilePd = name == cumulative ? 1 : 0;
        settings.singlePdFileName = cumulative;
        const LoggedExportOutcome outcome =
            LoggedDataExport(settings, utcTimeText())
                .run(*fullDownload(), LoggedFileNames(root.path(), QStringLiteral("CW")));
        return !outcome.errors.join(QLatin1Char('\n')).contains(name);
    };
    struct Replacement {
        QString file;
        std::function<bool()> replace;
    };
    const QString dataFiles[] = {
        QStringLiteral("CW_PeriodicData.csv"),     QStringLiteral("CW_Bat1CycleEfficy.csv"),
        QStringLiteral("CW_Bat2CycleEfficy.csv"),  QStringLiteral("CW_Bat1DischProfile.csv"),
        QStringLiteral("CW_Bat2DischProfile.csv"), cumulative};
    std::vector<Replacement> replacements = {
        {QStringLiteral("appdata/Gorvane/GorvaneNotes.txt"),
         [&] {
             return CNotesLog(folder.filePath(QStringLiteral("appdata/Gorvane")))
                 .save(QString(5000, u'n'));
         }},
        {QStringLiteral("appdata/Gorvane/Gorvane.cfg"),
         [&] { return CConfiguration(configFolders, prompts).save(Settings()); }},
        {QStringLiteral("memory.img"),
         [&] { return MemoryImage().save(folder.filePath(QStringLiteral("memory.img"))); }},
    };
    for (const QString& name : dataFiles)
        replacements.push_back({name, [&, name] { return exportReportsSuccessFor(name); }});

    for (const Replacement& replacement : replacements) {
        SCOPED_TRACE(replacement.file.toStdString());
        const QString path = folder.filePath(replacement.file);
        expectFullDiskKeepsFile(path, "old text\r\nkept byte for byte\r\n", replacement.replace);
        QFile::remove(path);
    }
    // Saving the configuration at exit says nothing of a failure.
    EXPECT_TRUE(prompts.shown().isEmpty());
}
