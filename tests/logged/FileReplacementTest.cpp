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
                .run(*sampleDownload(0, 20, true),
                     LoggedFileNames(root.path(), QStringLiteral("CW")));
        return !outcome.errors.join(QLatin1Char('\n')).contains(name);
    };
    // Each file with what replaces or appends to it.
    std::vector<std::pair<QString, std::function<bool()>>> replacements = {
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
    for (const QString name :
         {"CW_PeriodicData.csv", "CW_Bat1CycleEfficy.csv", "CW_Bat2CycleEfficy.csv",
          "CW_Bat1DischProfile.csv", "CW_Bat2DischProfile.csv", "CumulativePeriodicData.csv"})
        replacements.push_back({name, [&, name] { return exportReportsSuccessFor(name); }});
    for (const auto& [file, replace] : replacements) {
        SCOPED_TRACE(file.toStdString());
        expectFullDiskKeepsFile(folder.filePath(file), "old text\r\nkept byte for byte\r\n",
                                replace);
        QFile::remove(folder.filePath(file));
    }
    // Saving the configuration at exit says nothing of a failure.
    EXPECT_TRUE(prompts.shown().isEmpty());
}
