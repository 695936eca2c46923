#include "link/CUnitLink.h"
#include "logged/DownloadJob.h"
#include "logged/DownloadReport.h"
#include "logged/DownloadResult.h"
#include "logged/DownloadRunner.h"
#include "logged/ui/CDownloadDlg.h"
#include "logged/ui/CDownloadProgressDlg.h"
#include "logged/ui/DownloadCommand.h"
#include "tests/support/ScriptedPrompt.h"

#include <QCheckBox>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

using Action = PeriodicLogClearing::Action;
using Reason = PeriodicLogClearing::Reason;

const QString Folder = QStringLiteral("/home/user/Zeltravanic Data");

DownloadResult successWith(Action action, Reason reason = Reason::None)
{
    DownloadResult result;
    result.success = true;
    result.summary = QStringLiteral("summary");
    result.clearing = {action, reason};
    result.keptNotice = DownloadReport::keptText(reason, QStringLiteral("/data/Cumulative.csv"));
    return result;
}

} // namespace

TEST(DownloadDialog, TheValuesAreWhatTheControlsHold)
{
    CDownloadDlg dialog(CDownloadDlg::Values{Folder, QStringLiteral("CW"), true, false, true});
    dialog.fileNameField()->setText(QStringLiteral("Boat"));
    dialog.periodicBox()->setChecked(false);
    dialog.efficiencyBox()->setChecked(true);
    dialog.dischargeProfileBox()->setChecked(false);
    EXPECT_EQ(dialog.values(),
              (CDownloadDlg::Values{Folder, QStringLiteral("Boat"), false, true, false}));
    EXPECT_EQ(CDownloadDlg::defaultFileName(QDate(2026, 12, 5)), QStringLiteral("CW_Dec_05_2026"));
    EXPECT_EQ(CDownloadDlg::defaultFileName(QDate(2027, 3, 14)), QStringLiteral("CW_Mar_14_2027"));
}

TEST(DownloadDialog, BrowseOffersTheFolderAndAChosenOneReplacesIt)
{
    for (const QString& chosen : {QStringLiteral("/mnt/usb/logs"), QString()}) {
        CDownloadDlg dialog(CDownloadDlg::Values{Folder, QStringLiteral("CW"), true, true, true});
        QStringList asked;
        dialog.setFolderPicker([&](QWidget*, const QString& title, const QString& folder) {
            asked << title << folder;
            return chosen;
        });
        dialog.browse();
        EXPECT_EQ(asked, (QStringList{"Select a folder to store data files.", Folder}));
        // A cancelled picker leaves the folder.
        EXPECT_EQ(dialog.folderField()->text(), chosen.isEmpty() ? Folder : chosen);
    }
}

TEST(DownloadProgressWindow, IsNotClosedByEscape)
{
    CDownloadProgressDlg window;
    window.show();
    window.reject();
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.isModal());
}

TEST(DownloadReport, TheSummaryFillsItsCountsAndPathOnceAndTellsOfTheClock)
{
    EXPECT_EQ(DownloadReport::summaryText(232, 41, 756, QStringLiteral("/d/%s"), true),
              QStringLiteral("Data Downloaded:\n   232 Periodic records\n   41 Efficiency "
                             "records\n   756 Battery Discharge Profile records\n\nData files "
                             "saved in:\n/d/%s\n\nUnit time has been set to PC time."));
    EXPECT_FALSE(DownloadReport::summaryText(0, 0, 0, QStringLiteral("/d"), false).contains("PC"));
    // Why the log is kept is told only when clearing was asked for, with the file at fault.
    const QString path = QStringLiteral("/data/Cumulative.csv");
    EXPECT_TRUE(DownloadReport::keptText(Reason::None, path).isEmpty());
    EXPECT_TRUE(DownloadReport::keptText(Reason::NotRequested, path).isEmpty());
    EXPECT_FALSE(DownloadReport::keptText(Reason::NotFetched, path).isEmpty());
    for (Reason reason : {Reason::CumulativeNotSaved, Reason::FileNotWritten})
        EXPECT_TRUE(DownloadReport::keptText(reason, path).contains(":\n " + path));
}

TEST(DownloadReport, EachFailedFileIsShownBeforeTheSummary)
{
    ScriptedPrompt prompts;
    DownloadResult result = successWith(Action::Keep);
    result.files.errors = {QStringLiteral("/a"), QStringLiteral("/b")};
    DownloadReport::tell(result, prompts);
    EXPECT_EQ(prompts.texts(), (QStringList{"/a", "/b", "summary"}));
}

TEST(DownloadReport, ClearingGoesAheadWithoutAQuestionOrOnYesAndNeverAfterAFailure)
{
    struct Case {
        Action action;
        Reason reason;
        bool success;
        PromptAnswer answer;
        bool cleared;
        int prompts; // the question, or the notice why the log is kept
    };
    const Case cases[] = {
        {Action::ClearWithoutAsking, Reason::None, true, PromptAnswer::No, true, 0},
        {Action::AskFirst, Reason::None, true, PromptAnswer::Yes, true, 1},
        {Action::AskFirst, Reason::None, true, PromptAnswer::No, false, 1},
        {Action::Keep, Reason::NotRequested, true, PromptAnswer::Yes, false, 0},
        {Action::Keep, Reason::CumulativeNotSaved, true, PromptAnswer::Yes, false, 1},
        {Action::ClearWithoutAsking, Reason::None, false, PromptAnswer::Yes, false, 0},
    };
    for (const Case& c : cases) {
        ScriptedPrompt prompts;
        prompts.answerNext(c.answer);
        DownloadResult result = successWith(c.action, c.reason);
        result.success = c.success;
        EXPECT_EQ(DownloadReport::confirmClearing(result, prompts), c.cleared) << (&c - cases);
        EXPECT_EQ(prompts.shown().size(), c.prompts) << (&c - cases);
    }
}

TEST(DownloadCommand, TheLabelsComeFirstEvenWhenTheLinkIsClosedAndThenNothingStarts)
{
    ScriptedPrompt prompts;
    CUnitLink link(prompts, ComPortDirectory());
    DownloadRunner runner(link, prompts, nullptr);
    DownloadCommand command(runner, nullptr);
    int edited = 0;
    bool asked = false;
    command.setLabelsEditor([&](std::array<QString, 16>&, QWidget*) { ++edited; });
    command.setValuesDialog([&](const CDownloadDlg::Values&, QWidget*) {
        asked = true;
        return std::optional<CDownloadDlg::Values>();
    });
    Settings settings;
    settings.runCustomLabelsDlg = 1;
    EXPECT_FALSE(command.run(settings));
    EXPECT_EQ(edited, 1);
    EXPECT_EQ(settings.runCustomLabelsDlg, 0);
    EXPECT_EQ(prompts.shown().size(), 1);
    // Without an open link there is no dialog.
    EXPECT_FALSE(asked);
    EXPECT_FALSE(runner.isRunning());
}

TEST(DownloadJob, TakesTheLogsAndTheClockSettingFromTheSettings)
{
    Settings settings;
    settings.dwnldPeriodic = 0;
    settings.dwnldDischargeProfile = 0;
    settings.autoSyncTime = 1;
    const DownloadJob job = DownloadJob::fromSettings(settings, QStringLiteral("/f"), "CW");
    EXPECT_EQ(QStringLiteral("%1%2%3%4 %5/%6")
                  .arg(job.periodic)
                  .arg(job.efficiency)
                  .arg(job.dischargeProfile)
                  .arg(job.syncTime)
                  .arg(job.folder, job.fileName),
              QStringLiteral("0101 /f/CW"));
}
