#include "link/CUnitLink.h"
#include "logged/DownloadJob.h"
#include "logged/DownloadProgress.h"
#include "logged/DownloadReport.h"
#include "logged/DownloadResult.h"
#include "logged/ui/CDownloadDlg.h"
#include "logged/ui/CDownloadProgressDlg.h"
#include "logged/ui/DownloadCommand.h"
#include "tests/support/ScriptedPrompt.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

const QString PickerTitle = QStringLiteral("Select a folder to store data files.");

CDownloadDlg::Values someValues()
{
    return CDownloadDlg::Values{QStringLiteral("/home/user/Zeltravanic Data"),
                                QStringLiteral("CW_Dec_05_2026"), true, false, true};
}

DownloadResult successWith(PeriodicLogClearing::Action action,
                           PeriodicLogClearing::Reason reason = PeriodicLogClearing::Reason::None)
{
    DownloadResult result;
    result.success = true;
    result.summary = QStringLiteral("summary");
    result.clearing = {action, reason};
    result.keptNotice = DownloadReport::keptText(reason, QStringLiteral("/data/Cumulative.csv"));
    return result;
}

} // namespace

// ---- The Download dialog

TEST(DownloadDialog, showsTheFolderTheNameAndTheThreeLogsInTheTemplatesOrder)
{
    CDownloadDlg dialog(someValues());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Download Logged Data"));
    EXPECT_EQ(dialog.folderField()->text(), QStringLiteral("/home/user/Zeltravanic Data"));
    EXPECT_TRUE(dialog.folderField()->isReadOnly());
    EXPECT_EQ(dialog.fileNameField()->text(), QStringLiteral("CW_Dec_05_2026"));
    EXPECT_EQ(dialog.browseButton()->text(), QStringLiteral("Browse..."));
    EXPECT_EQ(dialog.downloadButton()->text(), QStringLiteral("Download"));
    EXPECT_TRUE(dialog.periodicBox()->isChecked());
    EXPECT_FALSE(dialog.efficiencyBox()->isChecked());
    EXPECT_TRUE(dialog.dischargeProfileBox()->isChecked());
    const QList<QCheckBox*> boxes = dialog.findChildren<QCheckBox*>();
    ASSERT_EQ(boxes.size(), 3);
    EXPECT_EQ(boxes[0]->text(), QStringLiteral("Periodic Data"));
    EXPECT_EQ(boxes[0]->objectName(), QStringLiteral("1170"));
    EXPECT_EQ(boxes[1]->text(), QStringLiteral("Battery Discharge Profile Data"));
    EXPECT_EQ(boxes[1]->objectName(), QStringLiteral("1172"));
    EXPECT_EQ(boxes[2]->text(), QStringLiteral("Efficiency Data"));
    EXPECT_EQ(boxes[2]->objectName(), QStringLiteral("1171"));
    EXPECT_EQ(dialog.findChild<QGroupBox*>()->title(), QStringLiteral("Data File"));
}

TEST(DownloadDialog, theOfferedNameIsCwAndTheDateWithTheMonthAbbreviated)
{
    EXPECT_EQ(CDownloadDlg::defaultFileName(QDate(2026, 12, 5)), QStringLiteral("CW_Dec_05_2026"));
    EXPECT_EQ(CDownloadDlg::defaultFileName(QDate(2027, 3, 14)), QStringLiteral("CW_Mar_14_2027"));
}

TEST(DownloadDialog, browseAsksForAFolderAndAChosenFolderReplacesTheText)
{
    CDownloadDlg dialog(someValues());
    QString askedTitle;
    QString askedStart;
    dialog.setFolderPicker([&](QWidget* parent, const QString& title, const QString& folder) {
        EXPECT_EQ(parent, &dialog);
        askedTitle = title;
        askedStart = folder;
        return QStringLiteral("/mnt/usb/logs");
    });
    dialog.browseButton()->click();
    EXPECT_EQ(askedTitle, PickerTitle);
    EXPECT_EQ(askedStart, QStringLiteral("/home/user/Zeltravanic Data"));
    EXPECT_EQ(dialog.folderField()->text(), QStringLiteral("/mnt/usb/logs"));
}

TEST(DownloadDialog, aCancelledPickerLeavesTheFolder)
{
    CDownloadDlg dialog(someValues());
    dialog.setFolderPicker([](QWidget*, const QString&, const QString&) { return QString(); });
    dialog.browse();
    EXPECT_EQ(dialog.folderField()->text(), QStringLiteral("/home/user/Zeltravanic Data"));
}

TEST(DownloadDialog, theValuesAreWhatTheControlsHold)
{
    CDownloadDlg dialog(someValues());
    dialog.fileNameField()->setText(QStringLiteral("Boat"));
    dialog.periodicBox()->setChecked(false);
    dialog.efficiencyBox()->setChecked(true);
    EXPECT_EQ(dialog.values(), (CDownloadDlg::Values{QStringLiteral("/home/user/Zeltravanic Data"),
                                                     QStringLiteral("Boat"), false, true, true}));
}

// ---- The progress window

TEST(DownloadProgressWindow, showsTheTextAboveTheBarAndDoesNotCloseOnEscape)
{
    CDownloadProgressDlg window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Zeltravanic Logged Data"));
    EXPECT_FALSE(window.isModal());
    window.show();
    window.showProgress(DownloadProgress{QStringLiteral("Downloading Periodic Data..."), 29, 12});
    EXPECT_EQ(window.textLine()->text(), QStringLiteral("Downloading Periodic Data..."));
    EXPECT_EQ(window.bar()->maximum(), 29);
    EXPECT_EQ(window.bar()->value(), 12);
    EXPECT_EQ(window.textLine()->objectName(), QStringLiteral("1080"));
    EXPECT_EQ(window.bar()->objectName(), QStringLiteral("1074"));
    window.reject();
    EXPECT_TRUE(window.isVisible());
}

// ---- What the user is told

TEST(DownloadReportTexts, theSummaryFillsItsCountsAndThePathAndTellsOfTheClock)
{
    EXPECT_EQ(
        DownloadReport::summaryText(232, 41, 756, QStringLiteral("/data/CW_Dec_05_2026"), false),
        QStringLiteral("Data Downloaded:\n   232 Periodic records\n   41 Efficiency records\n"
                       "   756 Battery Discharge Profile records\n\nData files saved in:\n"
                       "/data/CW_Dec_05_2026"));
    EXPECT_EQ(DownloadReport::summaryText(0, 0, 0, QStringLiteral("/d/%s"), true),
              QStringLiteral("Data Downloaded:\n   0 Periodic records\n   0 Efficiency records\n"
                             "   0 Battery Discharge Profile records\n\nData files saved in:\n"
                             "/d/%s\n\nUnit time has been set to PC time."));
    EXPECT_EQ(DownloadReport::failureText(),
              QStringLiteral("There was a Communication Error while downloading Logged Data.\n"
                             "No data files were created."));
}

TEST(DownloadReportTexts, theUserIsToldWhyTheLogIsKeptOnlyWhenClearingWasAskedFor)
{
    using Reason = PeriodicLogClearing::Reason;
    const QString path = QStringLiteral("/data/Cumulative.csv");
    EXPECT_TRUE(DownloadReport::keptText(Reason::None, path).isEmpty());
    EXPECT_TRUE(DownloadReport::keptText(Reason::NotRequested, path).isEmpty());
    EXPECT_TRUE(DownloadReport::keptText(Reason::NotFetched, path)
                    .contains(QStringLiteral("because it was not downloaded this time")));
    EXPECT_TRUE(
        DownloadReport::keptText(Reason::CumulativeNotSaved, path)
            .contains(QStringLiteral("could not be added to the file:\n /data/Cumulative.csv")));
    EXPECT_TRUE(
        DownloadReport::keptText(Reason::FileNotWritten, path)
            .contains(QStringLiteral("data file could not be written:\n /data/Cumulative.csv")));
}

TEST(DownloadReportTexts, tellShowsEachFailedFileBeforeTheSummary)
{
    ScriptedPrompt prompts;
    DownloadResult result = successWith(PeriodicLogClearing::Action::Keep);
    result.files.errors = {QStringLiteral("Could not open file:\n /a"),
                           QStringLiteral("Could not open file:\n /b")};
    DownloadReport::tell(result, prompts);
    EXPECT_EQ(prompts.texts(), (QStringList{QStringLiteral("Could not open file:\n /a"),
                                            QStringLiteral("Could not open file:\n /b"),
                                            QStringLiteral("summary")}));
}

TEST(DownloadReportTexts, clearingGoesAheadWithoutAQuestionOnYesOrNotAtAll)
{
    using Action = PeriodicLogClearing::Action;
    using Reason = PeriodicLogClearing::Reason;
    ScriptedPrompt prompts;
    EXPECT_TRUE(DownloadReport::confirmClearing(successWith(Action::ClearWithoutAsking), prompts));
    EXPECT_TRUE(prompts.shown().isEmpty());

    prompts.answerNext(PromptAnswer::Yes);
    EXPECT_TRUE(DownloadReport::confirmClearing(successWith(Action::AskFirst), prompts));
    EXPECT_FALSE(DownloadReport::confirmClearing(successWith(Action::AskFirst), prompts));
    ASSERT_EQ(prompts.shown().size(), 2);
    EXPECT_EQ(prompts.shown()[0].text,
              QStringLiteral("WARNING:\rDo you want to clear the Zeltravanic data buffer? This "
                             "will erase all Periodic Logged Data in the Zeltravanic unit."));
    EXPECT_EQ(prompts.shown()[0].buttons, PromptButtons::YesNo);

    prompts.clear();
    EXPECT_FALSE(
        DownloadReport::confirmClearing(successWith(Action::Keep, Reason::NotRequested), prompts));
    EXPECT_TRUE(prompts.shown().isEmpty());
    EXPECT_FALSE(DownloadReport::confirmClearing(
        successWith(Action::Keep, Reason::CumulativeNotSaved), prompts));
    EXPECT_EQ(prompts.shown().size(), 1);

    // After a failure nothing is cleared and nothing more is said.
    prompts.clear();
    DownloadResult failed = successWith(Action::ClearWithoutAsking);
    failed.success = false;
    EXPECT_FALSE(DownloadReport::confirmClearing(failed, prompts));
    EXPECT_TRUE(prompts.shown().isEmpty());
}

// ---- The command, before any request

TEST(DownloadCommandStart, theLabelsComeFirstEvenWhenTheLinkIsClosedAndThenNothingStarts)
{
    ScriptedPrompt prompts;
    CUnitLink link(prompts, ComPortDirectory());
    DownloadCommand command(link, prompts, nullptr, nullptr);
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
    EXPECT_EQ(prompts.texts(),
              QStringList{QStringLiteral("Before downloading data,  you will need to set up the "
                                         "labels you want to use for each item.\n        Click [ "
                                         "OK ] to continue...")});
    // The hidden "Use File" box is not offered: without an open link there is no dialog.
    EXPECT_FALSE(asked);
    EXPECT_FALSE(command.isRunning());
}

TEST(DownloadJobs, takeTheLogsAndTheClockSettingFromTheSettings)
{
    Settings settings;
    settings.dwnldPeriodic = 0;
    settings.dwnldEfficiency = 1;
    settings.dwnldDischargeProfile = 0;
    settings.autoSyncTime = 1;
    const DownloadJob job =
        DownloadJob::fromSettings(settings, QStringLiteral("/f"), QStringLiteral("CW"));
    EXPECT_FALSE(job.periodic);
    EXPECT_TRUE(job.efficiency);
    EXPECT_FALSE(job.dischargeProfile);
    EXPECT_TRUE(job.syncTime);
    EXPECT_EQ(job.folder, QStringLiteral("/f"));
    EXPECT_EQ(job.fileName, QStringLiteral("CW"));
}
