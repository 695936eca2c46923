#include "logged/DownloadProgress.h"
#include "logged/ui/CDownloadDlg.h"
#include "logged/ui/CDownloadProgressDlg.h"
#include "tests/support/EventPump.h"

#include <QDir>
#include <gtest/gtest.h>

// Pictures of the Download dialog and the progress window for a person to look at. Written only
// when GORVANE_DOWNLOAD_SHOTS names a folder.
TEST(DownloadPictures, TheDialogAndTheProgressWindowRenderToPictures)
{
    const QDir folder(qEnvironmentVariable("GORVANE_DOWNLOAD_SHOTS"));
    if (qEnvironmentVariableIsEmpty("GORVANE_DOWNLOAD_SHOTS") ||
        !folder.mkpath(QStringLiteral(".")))
        GTEST_SKIP() << "set GORVANE_DOWNLOAD_SHOTS to a folder to get the pictures";
    CDownloadDlg dialog(
        CDownloadDlg::Values{QStringLiteral("/home/user/Documents/Zeltravanic Data"),
                             QStringLiteral("CW_Dec_05_2026"), true, true, false});
    dialog.show();
    EventPump::deliverPosted();
    EXPECT_TRUE(dialog.grab().save(folder.filePath(QStringLiteral("download-dialog.png"))));
    CDownloadProgressDlg progress;
    progress.show();
    progress.showProgress(
        DownloadProgress{QStringLiteral("Downloading Battery Discharge Profile Data..."), 8, 5});
    EventPump::deliverPosted();
    EXPECT_TRUE(progress.grab().save(folder.filePath(QStringLiteral("download-progress.png"))));
}
