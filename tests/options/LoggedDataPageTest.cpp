#include "config/Settings.h"
#include "logged/ui/COptionsPgLoggedData.h"
#include "tests/support/ScriptedPrompt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class LoggedDataPage : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        settings.dataPath = folder.path();
    }
    void open() { page.loadSettings(settings); }
    bool ok()
    {
        result = settings;
        return page.applySettings(result);
    }

    QTemporaryDir folder;
    ScriptedPrompt prompts;
    COptionsPgLoggedData page{prompts};
    Settings settings;
    Settings result;
};

} // namespace

TEST_F(LoggedDataPage, OpensWithTheSettingsShown)
{
    settings.dataOrder = 1;
    settings.chargedValue = 1;
    settings.pDataSave = 0;
    settings.dwnldEfficiency = 0;
    settings.avgCycles = 9;
    open();
    EXPECT_EQ(page.folderField()->text(), folder.path());
    EXPECT_TRUE(page.folderField()->isReadOnly());
    EXPECT_TRUE(page.newestButton()->isChecked());
    EXPECT_TRUE(page.chargedAsHundredButton()->isChecked());
    EXPECT_TRUE(page.allDataButton()->isChecked());
    EXPECT_TRUE(page.periodicBox()->isChecked());
    EXPECT_FALSE(page.efficiencyBox()->isChecked());
    EXPECT_EQ(page.averageCycles()->count(), 11);
    EXPECT_EQ(page.averageCycles()->itemText(0), QStringLiteral("5"));
    EXPECT_EQ(page.averageCycles()->itemText(10), QStringLiteral("15"));
    EXPECT_EQ(page.averageCycles()->currentText(), QStringLiteral("9"));
    EXPECT_FALSE(page.fileNameField()->isEnabled());
    EXPECT_FALSE(page.showDayBox()->isEnabled());
}

TEST_F(LoggedDataPage, AveragingCyclesOutsideTheListOpenOnTheNearestEntry)
{
    // OK must never store a count outside 5..15, such as 4 for "no selection".
    for (auto [stored, shown] : {std::pair{4, 5}, {0, 5}, {-3, 5}, {16, 15}, {99, 15}}) {
        settings.avgCycles = stored;
        open();
        EXPECT_EQ(page.averageCycles()->currentText(), QString::number(shown)) << stored;
        ASSERT_TRUE(ok());
        EXPECT_EQ(result.avgCycles, shown) << stored;
    }
}

TEST_F(LoggedDataPage, OkStoresEveryChoice)
{
    open();
    page.newestButton()->setChecked(true);
    page.chargedAsHundredButton()->setChecked(true);
    page.selectedDataButton()->setChecked(true);
    page.periodicBox()->setChecked(false);
    page.dischargeBox()->setChecked(false);
    page.averageCycles()->setCurrentIndex(10);
    ASSERT_TRUE(ok());
    EXPECT_EQ(result.dataOrder, 1);
    EXPECT_EQ(result.chargedValue, 1);
    EXPECT_EQ(result.pDataSave, 1);
    EXPECT_EQ(result.dwnldPeriodic, 0);
    EXPECT_EQ(result.dwnldEfficiency, 1);
    EXPECT_EQ(result.dwnldDischargeProfile, 0);
    EXPECT_EQ(result.avgCycles, 15);
    EXPECT_TRUE(prompts.shown().isEmpty());
}

TEST_F(LoggedDataPage, AppendingOffersTheCumulativeFileNameUnlessOneIsTyped)
{
    open();
    page.appendBox()->click();
    EXPECT_TRUE(page.fileNameField()->isEnabled());
    EXPECT_EQ(page.fileNameField()->text(), QStringLiteral("CumulativePeriodicData.csv"));
    EXPECT_TRUE(page.isModified());

    page.appendBox()->click();
    EXPECT_FALSE(page.fileNameField()->isEnabled());
    page.fileNameField()->setText(QStringLiteral("AllYear.csv"));
    page.appendBox()->click();
    EXPECT_EQ(page.fileNameField()->text(), QStringLiteral("AllYear.csv"));
}

TEST_F(LoggedDataPage, OkCreatesTheCumulativeFileEmptyAndNeverTruncatesIt)
{
    open();
    page.appendBox()->click();
    ASSERT_TRUE(ok());
    const QString path = QDir(folder.path()).filePath(QStringLiteral("CumulativePeriodicData.csv"));
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_EQ(QFileInfo(path).size(), 0);
    EXPECT_EQ(result.singleFilePd, 1);
    EXPECT_EQ(result.singlePdFileName, QStringLiteral("CumulativePeriodicData.csv"));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Date Time,AHr 1\r01/02/2026 10:00:00,5.00");
    file.close();
    ASSERT_TRUE(ok());
    EXPECT_EQ(QFileInfo(path).size(), 40);
}

TEST_F(LoggedDataPage, ACumulativeFileThatCannotBeCreatedKeepsTheSheetOpen)
{
    settings.dataPath = QDir(folder.path()).filePath(QStringLiteral("missing"));
    settings.singleFilePd = 1;
    settings.singlePdFileName = QStringLiteral("Cumulative.csv");
    open();
    EXPECT_FALSE(ok());
    const QString path = settings.dataPath + QStringLiteral("/Cumulative.csv");
    EXPECT_EQ(prompts.texts(),
              QStringList{QStringLiteral("Could not open file:\n ") + path +
                          QStringLiteral("\r\rPlease enter a valid file name for the Periodic "
                                         "Data file.")});
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(LoggedDataPage, ClearingTheAppendFlagEmptiesTheStoredFileName)
{
    settings.singleFilePd = 1;
    settings.singlePdFileName = QStringLiteral("Cumulative.csv");
    open();
    EXPECT_TRUE(page.fileNameField()->isEnabled());
    page.appendBox()->click();
    ASSERT_TRUE(ok());
    EXPECT_EQ(result.singleFilePd, 0);
    EXPECT_TRUE(result.singlePdFileName.isEmpty());
    EXPECT_EQ(page.fileNameField()->text(), QStringLiteral("Cumulative.csv"));
}

TEST_F(LoggedDataPage, BrowseTakesTheChosenFolderAndACancelledPickerChangesNothing)
{
    open();
    QString title;
    QString offered;
    page.setFolderPicker([&](QWidget*, const QString& t, const QString& start) {
        title = t;
        offered = start;
        return QStringLiteral("/data/zeltravanic");
    });
    page.browseButton()->click();
    EXPECT_EQ(title, QStringLiteral("Select a folder to store data files."));
    EXPECT_EQ(offered, folder.path());
    EXPECT_EQ(page.folderField()->text(), QStringLiteral("/data/zeltravanic"));

    page.setFolderPicker([](QWidget*, const QString&, const QString&) { return QString(); });
    page.browseButton()->click();
    EXPECT_EQ(page.folderField()->text(), QStringLiteral("/data/zeltravanic"));
    ASSERT_TRUE(ok());
    EXPECT_EQ(result.dataPath, QStringLiteral("/data/zeltravanic"));
}

TEST_F(LoggedDataPage, CustomizingLabelsEditsTheCopyAndStopsTheDownloadAskingForThem)
{
    settings.runCustomLabelsDlg = 1;
    open();
    page.setLabelsEditor(
        [](std::array<QString, 16>& labels, QWidget*) { labels[0] = QStringLiteral("Solar AH"); });
    page.labelsButton()->click();
    ASSERT_TRUE(ok());
    EXPECT_EQ(result.reportLabels[0], QStringLiteral("Solar AH"));
    EXPECT_EQ(result.reportLabels[1], QStringLiteral("AD14: Ahr 2"));
    EXPECT_EQ(result.runCustomLabelsDlg, 0);
    EXPECT_EQ(result.useDefaultLabels, 1);
}

TEST_F(LoggedDataPage, LabelsCancelledInTheirDialogStillCountAsShown)
{
    settings.runCustomLabelsDlg = 1;
    open();
    page.setLabelsEditor([](std::array<QString, 16>&, QWidget*) {});
    page.labelsButton()->click();
    ASSERT_TRUE(ok());
    EXPECT_EQ(result.reportLabels, Settings{}.reportLabels);
    EXPECT_EQ(result.runCustomLabelsDlg, 0);
}
