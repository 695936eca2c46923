#include "logged/DownloadProgress.h"
#include "logged/ui/CDownloadDlg.h"
#include "logged/ui/CDownloadProgressDlg.h"
#include "tests/support/EventPump.h"

#include <QDir>
#include <gtest/gtest.h>

// Pictures of the Download dialog and the progress window for a person to look at. Written only
// when GORVANE_DOWNLOAD_SHOTS names a folder.
TEST(DownloadPictures, theDialogAndTheProgressWindowRenderToPictures)
{
    const QString folder = qEnvironmentVariable("GORVANE_DOWNLOAD_SHOTS");
    if (folder.isEmpty())
        GTEST_SKIP() << "set GORVANE_DOWNLOAD_SHOTS to a folder to get the pictures";
    ASSERT_TRUE(QDir().mkpath(folder));

    CDownloadDlg dialog(
        CDownloadDlg::Values{QStringLiteral("/home/user/Documents/Zeltravanic Data"),
                             CDownloadDlg::defaultFileName(QDate(2026, 12, 5)), true, true, false});
    dialog.show();
    EventPump::deliverPosted();
    EXPECT_TRUE(dialog.grab().save(QDir(folder).filePath(QStringLiteral("download-dialog.png"))));

    CDownloadProgressDlg progress;
    progress.show();
    const QList<std::pair<QString, DownloadProgress>> steps{
        {QStringLiteral("progress-setup.png"),
         DownloadProgress{QStringLiteral("Downloading Setup Information..."), 6, 2}},
        {QStringLiteral("progress-periodic.png"),
         DownloadProgress{QStringLiteral("Downloading Periodic Data..."), 29, 17}},
        {QStringLiteral("progress-profile.png"),
         DownloadProgress{QStringLiteral("Downloading Battery Discharge Profile Data..."), 8, 8}}};
    for (const auto& [name, step] : steps) {
        progress.showProgress(step);
        EventPump::deliverPosted();
        EXPECT_TRUE(progress.grab().save(QDir(folder).filePath(name)));
    }
}
