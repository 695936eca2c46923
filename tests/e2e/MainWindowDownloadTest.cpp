#include "display/CPollCycle.h"
#include "display/ui/CMainDlg.h"
#include "logged/DownloadSequence.h"
#include "logged/ui/CDownloadProgressDlg.h"
#include "logged/ui/DownloadCommand.h"
#include "simulator/FaultPlan.h"
#include "simulator/SimulatedUnit.h"
#include "simulator/TcpEndpoint.h"
#include "tests/e2e/DownloadFiles.h"
#include "tests/e2e/KnownLogImage.h"
#include "tests/support/EventPump.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/SimulatorChild.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimeZone>
#include <gtest/gtest.h>
#include <optional>

namespace {

constexpr int LongWaitMs = 60000;
// The unit's periodic pointer record with the known image, and once the log is cleared.
const QByteArray KnownPeriodicPointer = QByteArray::fromHex("03004303");
const QByteArray EmptyPeriodicPointer = QByteArray::fromHex("0000c01f");

const QString CommunicationError = QStringLiteral(
    "There was a Communication Error while downloading Logged Data.\nNo data files were created.");
const QString LabelsFirst =
    QStringLiteral("Before downloading data,  you will need to set up the labels you want to use "
                   "for each item.\n        Click [ OK ] to continue...");
const QString ClearQuestion =
    QStringLiteral("WARNING:\rDo you want to clear the Zeltravanic data buffer? This will erase "
                   "all Periodic Logged Data in the Zeltravanic unit.");

QByteArray rowsOf(const QByteArray& fileText)
{
    return fileText.mid(fileText.indexOf('\r'));
}

// What the progress window showed at one step.
struct Shown {
    QString text;
    int maximum;
    int value;
    bool visible;
};

// The main window's "Download Data" against the simulated unit in this process over TCP, with
// the Download dialog answered by the test.
class MainWindowDownload : public ::testing::Test {
protected:
    void SetUp() override
    {
        unit.restore(KnownLogImage::image());
        QString error;
        ASSERT_TRUE(adapter.listen(0, &error)) << error.toStdString();
        QDir().mkpath(appFolder());
    }

    QString appFolder() const { return home.filePath(QStringLiteral("data/Gorvane")); }
    QString dataPath() const { return home.filePath(QStringLiteral("files")); }
    QString pathOf(const char* suffix) const
    {
        return QDir(dataPath()).filePath(KnownLogImage::BaseName + QLatin1String(suffix));
    }

    void writeConfig(const QString& options)
    {
        QFile file(QDir(appFolder()).filePath(QStringLiteral("Gorvane.cfg")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write((QStringLiteral("[OPTIONS]\r\nPORTTYPE=1\r\nUSENETBIOS=0\r\n"
                                   "IPADDRESS=2130706433\r\nLISTENPORT=%1\r\nDATAPATH=%2\r\n")
                        .arg(adapter.port())
                        .arg(dataPath()) +
                    options)
                       .toLatin1());
    }

    std::unique_ptr<CMainDlg>
    open(const QString& options = QStringLiteral("RUNCUSTOMLABELSDLG=0\r\n"))
    {
        writeConfig(options);
        auto window = std::make_unique<CMainDlg>(
            prompts, ConfigFolders{home.filePath(QStringLiteral("program")),
                                   home.filePath(QStringLiteral("data")),
                                   home.filePath(QStringLiteral("documents"))});
        EXPECT_TRUE(window->OnInitDialog());
        DownloadCommand& command = window->downloadCommand();
        command.setToday([] { return QDate(2026, 3, 15); });
        command.setClock([] { return KnownLogImage::pcTime(); });
        command.setTimeText(LogTimeText(QTimeZone::utc()));
        command.setValuesDialog([this](const CDownloadDlg::Values& initial, QWidget*) {
            offered = initial;
            return chosen ? std::optional(
                                chosen->folder.isEmpty()
                                    ? CDownloadDlg::Values{initial.folder, initial.fileName,
                                                           chosen->periodic, chosen->efficiency,
                                                           chosen->dischargeProfile}
                                    : *chosen)
                          : std::nullopt;
        });
        QObject::connect(&command, &DownloadCommand::finished,
                         [this](const DownloadResult& result) { results.append(result); });
        return window;
    }

    // Connect, then stop the display it starts, and wait for the last poll reply.
    void connect(CMainDlg& window)
    {
        const MainDlgLayout& ui = window.controls();
        ui.connect->click();
        ASSERT_TRUE(EventPump::waitUntil([&] { return window.pollCycle().testState(ST_RUNNING); },
                                         LongWaitMs));
        ui.startDisplay->click();
        ASSERT_TRUE(EventPump::waitUntil(
            [&] { return !window.pollCycle().testState(ST_BUSY) && ui.download->isEnabled(); },
            LongWaitMs));
    }

    DownloadResult download(CMainDlg& window)
    {
        const qsizetype before = results.size();
        window.controls().download->click();
        EXPECT_TRUE(EventPump::waitUntil([&] { return results.size() > before; }, LongWaitMs));
        return results.size() > before ? results.last() : DownloadResult{};
    }

    // Lets the unit answer whatever was sent last (a clearing write among it).
    void settle(CMainDlg& window)
    {
        EventPump::waitUntil([&] { return !window.pollCycle().testState(ST_BUSY); }, LongWaitMs);
        EventPump::deliverPosted();
    }

    QTemporaryDir home;
    SimulatedUnit unit{KnownLogImage::ClockDay, KnownLogImage::ClockMinuteOfDay};
    FaultPlan faults;
    TcpEndpoint adapter{unit, faults, SessionSettings{}};
    ScriptedPrompt prompts;
    std::optional<CDownloadDlg::Values> offered;
    // The dialog's answer: the offered folder and name when the folder is empty; nothing: Cancel.
    std::optional<CDownloadDlg::Values> chosen = CDownloadDlg::Values{};
    QList<DownloadResult> results;
};

} // namespace

TEST_F(MainWindowDownload, downloadDataWritesTheFilesWhileTheWindowHoldsItsOtherCommands)
{
    auto window = open(QStringLiteral("RUNCUSTOMLABELSDLG=0\r\nDWNLDINTERVAL=0\r\n"));
    const MainDlgLayout& ui = window->controls();
    connect(*window);
    chosen = CDownloadDlg::Values{QString(), QString(), true, true, true};

    QList<Shown> shown;
    bool heldOff = false;
    DownloadCommand& command = window->downloadCommand();
    QObject::connect(&command, &DownloadCommand::runningChanged, [&](bool running) {
        if (!running)
            return;
        heldOff = !ui.download->isEnabled() && !ui.startDisplay->isEnabled() &&
                  !ui.program->isEnabled() &&
                  !command.run(const_cast<Settings&>(window->settings()));
        QObject::connect(command.sequence(), &DownloadSequence::progressChanged, [&] {
            CDownloadProgressDlg* progress = command.progressWindow();
            shown.append({progress->textLine()->text(), progress->bar()->maximum(),
                          progress->bar()->value(), progress->isVisible()});
        });
    });
    const DownloadResult result = download(*window);

    // The dialog offered DATAPATH, "CW_" and the date, and the three default logs.
    ASSERT_TRUE(offered.has_value());
    EXPECT_EQ(*offered, (CDownloadDlg::Values{dataPath(), QStringLiteral("CW_Mar_15_2026"), true,
                                              true, false}));
    EXPECT_TRUE(heldOff);
    ASSERT_TRUE(result.success);
    EXPECT_EQ(DownloadFiles::contents(pathOf("_PeriodicData.csv")),
              KnownLogImage::periodicAllColumns());
    EXPECT_EQ(DownloadFiles::contents(pathOf("_Bat1DischProfile.csv")),
              KnownLogImage::battery1DischargeProfile());
    EXPECT_EQ(prompts.texts(), QStringList{KnownLogImage::summary(
                                   QDir(dataPath()).filePath(KnownLogImage::BaseName))});
    // The check states were this download's only.
    EXPECT_EQ(window->settings().dwnldDischargeProfile, 0);

    // The progress window went through the set-up and every page of every log.
    ASSERT_FALSE(shown.isEmpty());
    EXPECT_EQ(shown.first().text, QStringLiteral("Downloading Setup Information..."));
    const auto periodicFull = std::find_if(shown.begin(), shown.end(), [](const Shown& step) {
        return step.text == QStringLiteral("Downloading Periodic Data...") && step.maximum == 29 &&
               step.value == 29;
    });
    EXPECT_NE(periodicFull, shown.end());
    EXPECT_EQ(shown.last().text, QStringLiteral("Downloading Bat #2 Efficiency Data..."));
    EXPECT_EQ(shown.last().value, 4);
    for (const Shown& step : shown)
        ASSERT_TRUE(step.visible);
    for (int i = 1; i < shown.size(); ++i) {
        if (shown[i].text == shown[i - 1].text) {
            ASSERT_EQ(shown[i].value, shown[i - 1].value + 1) << i;
        }
    }

    // It has gone, and the window takes its commands back.
    EXPECT_EQ(command.progressWindow(), nullptr);
    EXPECT_FALSE(command.isRunning());
    EXPECT_TRUE(ui.download->isEnabled());
    EXPECT_TRUE(ui.startDisplay->isEnabled());
    EXPECT_EQ(unit.read(0xD2, 4), KnownPeriodicPointer);
}

TEST_F(MainWindowDownload, theReportLabelsComeFirstWhileTheyWereNeverSetUp)
{
    auto window = open(QString());
    connect(*window);
    int edited = 0;
    window->downloadCommand().setLabelsEditor([&](std::array<QString, 16>& labels, QWidget*) {
        ++edited;
        labels[0] = QStringLiteral("Solar Ahr");
    });

    ASSERT_TRUE(download(*window).success);
    EXPECT_EQ(edited, 1);
    EXPECT_EQ(prompts.texts().first(), LabelsFirst);
    EXPECT_EQ(window->settings().runCustomLabelsDlg, 0);
    EXPECT_TRUE(DownloadFiles::contents(pathOf("_PeriodicData.csv"))
                    .startsWith("Date Time,Solar Ahr,AD14: Ahr 2,"));

    // Once set up, the next download goes straight to the dialog.
    prompts.clear();
    ASSERT_TRUE(download(*window).success);
    EXPECT_EQ(edited, 1);
    EXPECT_FALSE(prompts.texts().contains(LabelsFirst));
}

TEST_F(MainWindowDownload, cancelStartsNothing)
{
    auto window = open();
    connect(*window);
    chosen.reset();
    window->controls().download->click();
    EXPECT_FALSE(window->downloadCommand().isRunning());
    EXPECT_TRUE(window->controls().download->isEnabled());
    EXPECT_TRUE(prompts.shown().isEmpty());
}

TEST_F(MainWindowDownload, theCumulativeFileGrowsAcrossDownloadsAndTheUnitsLogIsClearedEachTime)
{
    auto window = open(QStringLiteral(
        "RUNCUSTOMLABELSDLG=0\r\nSINGLEFILEPD=1\r\nSINGLEPDFILENAME=Cumulative.csv\r\n"));
    connect(*window);

    ASSERT_TRUE(download(*window).success);
    ASSERT_TRUE(EventPump::waitUntil([&] { return unit.read(0xD2, 4) == EmptyPeriodicPointer; }));
    // The unit logs the same records again.
    unit.restore(KnownLogImage::image());
    settle(*window);
    ASSERT_TRUE(download(*window).success);
    ASSERT_TRUE(EventPump::waitUntil([&] { return unit.read(0xD2, 4) == EmptyPeriodicPointer; }));

    const QByteArray file = KnownLogImage::periodicAllColumns();
    EXPECT_EQ(DownloadFiles::contents(QDir(dataPath()).filePath(QStringLiteral("Cumulative.csv"))),
              file + rowsOf(file));
    // Cleared without a question.
    EXPECT_EQ(prompts.shown().size(), 2);
}

TEST_F(MainWindowDownload, aCumulativeFileThatCannotBeWrittenKeepsTheUnitsLogAndTheUserIsToldWhy)
{
    auto window = open(QStringLiteral("RUNCUSTOMLABELSDLG=0\r\nSINGLEFILEPD=1\r\n"
                                      "SINGLEPDFILENAME=no such folder/Cumulative.csv\r\n"));
    connect(*window);

    const DownloadResult result = download(*window);
    settle(*window);

    ASSERT_TRUE(result.success);
    const QString cumulative = QDir::toNativeSeparators(
        QDir(dataPath()).filePath(QStringLiteral("no such folder/Cumulative.csv")));
    ASSERT_EQ(prompts.texts().size(), 3);
    EXPECT_EQ(prompts.texts()[0], QStringLiteral("Could not open file:\n ") + cumulative);
    EXPECT_TRUE(prompts.texts()[1].startsWith(QStringLiteral("Data Downloaded:\n   3 Periodic")));
    EXPECT_EQ(prompts.texts()[2],
              QStringLiteral("The Periodic Data in the Zeltravanic unit was not cleared, because "
                             "it could not be added to the file:\n ") +
                  cumulative +
                  QStringLiteral("\nIt stays in the unit and will be downloaded again next time."));
    EXPECT_EQ(unit.read(0xD2, 4), KnownPeriodicPointer);
    // The download's own files are written all the same.
    EXPECT_EQ(DownloadFiles::contents(pathOf("_PeriodicData.csv")),
              KnownLogImage::periodicAllColumns());
}

TEST_F(MainWindowDownload, withoutThePeriodicLogNothingIsClearedAndTheUserIsToldWhy)
{
    auto window = open(QStringLiteral("RUNCUSTOMLABELSDLG=0\r\nSINGLEFILEPD=1\r\n"
                                      "SINGLEPDFILENAME=Cumulative.csv\r\n"));
    connect(*window);
    chosen = CDownloadDlg::Values{QString(), QString(), false, true, true};

    ASSERT_TRUE(download(*window).success);
    settle(*window);

    EXPECT_EQ(prompts.lastText(),
              QStringLiteral("The Periodic Data in the Zeltravanic unit was not cleared, because "
                             "it was not downloaded this time.\nIt stays in the unit and will be "
                             "downloaded again next time."));
    EXPECT_EQ(unit.read(0xD2, 4), KnownPeriodicPointer);
    EXPECT_FALSE(QFile::exists(QDir(dataPath()).filePath(QStringLiteral("Cumulative.csv"))));
}

TEST_F(MainWindowDownload, clearLogDataAsksFirstAndClearsOnYesOnly)
{
    auto window = open(QStringLiteral("RUNCUSTOMLABELSDLG=0\r\nCLEARLOGDATA=1\r\n"));
    connect(*window);

    prompts.answerNext(PromptAnswer::Ok);
    prompts.answerNext(PromptAnswer::No);
    ASSERT_TRUE(download(*window).success);
    settle(*window);
    EXPECT_EQ(prompts.lastText(), ClearQuestion);
    EXPECT_EQ(prompts.shown().last().buttons, PromptButtons::YesNo);
    EXPECT_EQ(unit.read(0xD2, 4), KnownPeriodicPointer);

    prompts.answerNext(PromptAnswer::Ok);
    prompts.answerNext(PromptAnswer::Yes);
    ASSERT_TRUE(download(*window).success);
    EXPECT_TRUE(EventPump::waitUntil([&] { return unit.read(0xD2, 4) == EmptyPeriodicPointer; }));
    settle(*window);
    // The unit acknowledged the clearing as the main window expects.
    EXPECT_EQ(prompts.lastText(), ClearQuestion);
}

TEST_F(MainWindowDownload, aFileThatCannotBeWrittenKeepsTheUnitsLogWithClearLogData)
{
    auto window = open(QStringLiteral("RUNCUSTOMLABELSDLG=0\r\nCLEARLOGDATA=1\r\n"));
    connect(*window);
    chosen = CDownloadDlg::Values{home.filePath(QStringLiteral("no such folder")),
                                  QStringLiteral("CW"), true, false, false};

    ASSERT_TRUE(download(*window).success);
    settle(*window);

    EXPECT_FALSE(prompts.texts().contains(ClearQuestion));
    EXPECT_TRUE(prompts.lastText().startsWith(
        QStringLiteral("The Periodic Data in the Zeltravanic unit was not cleared, because its "
                       "data file could not be written:\n ")));
    EXPECT_EQ(unit.read(0xD2, 4), KnownPeriodicPointer);
}

TEST_F(MainWindowDownload, aConnectionDroppedMidDownloadShowsTheErrorAndLeavesEverythingAsItWas)
{
    auto window = open(QStringLiteral("RUNCUSTOMLABELSDLG=0\r\nSINGLEFILEPD=1\r\n"
                                      "SINGLEPDFILENAME=Cumulative.csv\r\nCLEARLOGDATA=1\r\n"));
    connect(*window);
    ASSERT_TRUE(faults.add(FaultKind::DropConnection, QStringLiteral("bulk@0x10")));

    const DownloadResult result = download(*window);
    settle(*window);

    EXPECT_FALSE(result.success);
    EXPECT_EQ(prompts.texts(), QStringList{CommunicationError});
    EXPECT_TRUE(DownloadFiles::names(dataPath()).isEmpty());
    EXPECT_EQ(unit.read(0xD2, 4), KnownPeriodicPointer);
    EXPECT_EQ(window->downloadCommand().progressWindow(), nullptr);
    EXPECT_FALSE(window->controls().download->isEnabled()); // the link is closed
}

// The same over the serial line, with the simulator program on a COM alias of the program's.
TEST(MainWindowSerialDownload, downloadDataOverTheSerialLine)
{
    QTemporaryDir home;
    QTemporaryDir scratch;
    const QString appFolder = home.filePath(QStringLiteral("data/Gorvane"));
    const QString aliases = QDir(appFolder).filePath(QStringLiteral("ports"));
    const QString dataPath = home.filePath(QStringLiteral("files"));
    QDir().mkpath(aliases);
    const QString imagePath = scratch.filePath(QStringLiteral("known.img"));
    MemoryImage image = KnownLogImage::image();
    ASSERT_TRUE(image.save(imagePath));
    SimulatorChild simulator;
    ASSERT_TRUE(simulator.start(
        {QStringLiteral("--ports-dir"), aliases, QStringLiteral("--image"), imagePath}))
        << simulator.errors().toStdString();
    QFile config(QDir(appFolder).filePath(QStringLiteral("Gorvane.cfg")));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write(QStringLiteral("[OPTIONS]\r\nPORTTYPE=0\r\nCOMPORT=%1\r\nRUNCUSTOMLABELSDLG=0\r\n"
                                "AUTOSYNCTIME=1\r\nSER_TIMEOUT_RDINT=200\r\nDATAPATH=%2\r\n")
                     .arg(SimulatorChild::ComNumber)
                     .arg(dataPath)
                     .toLatin1());
    config.close();

    ScriptedPrompt prompts;
    CMainDlg window(prompts, ConfigFolders{home.filePath(QStringLiteral("program")),
                                           home.filePath(QStringLiteral("data")),
                                           home.filePath(QStringLiteral("documents"))});
    ASSERT_TRUE(window.OnInitDialog());
    DownloadCommand& command = window.downloadCommand();
    command.setToday([] { return QDate(2026, 3, 15); });
    command.setValuesDialog(
        [](const CDownloadDlg::Values& initial, QWidget*) { return std::optional(initial); });
    // The clock setting makes the unit's clock read the PC's 09:30 on its day 0.
    command.setClock([] { return KnownLogImage::pcTime(); });
    command.setTimeText(LogTimeText(QTimeZone::utc()));
    std::optional<DownloadResult> result;
    QObject::connect(&command, &DownloadCommand::finished,
                     [&](const DownloadResult& done) { result = done; });

    const MainDlgLayout& ui = window.controls();
    ui.connect->click();
    ASSERT_TRUE(
        EventPump::waitUntil([&] { return window.pollCycle().testState(ST_RUNNING); }, LongWaitMs));
    ui.startDisplay->click();
    ASSERT_TRUE(EventPump::waitUntil([&] { return ui.download->isEnabled(); }, LongWaitMs));
    ui.download->click();
    ASSERT_TRUE(EventPump::waitUntil([&] { return result.has_value(); }, LongWaitMs));

    ASSERT_TRUE(result->success) << prompts.texts().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(result->clockSet);
    EXPECT_TRUE(
        prompts.lastText().endsWith(QStringLiteral("\n\nUnit time has been set to PC time.")));
    // Day 0 of the unit began at 00:00:27 of the PC's day: day 10 is 03/25/2026.
    const QByteArray periodic = DownloadFiles::contents(
        QDir(dataPath).filePath(QStringLiteral("CW_Mar_15_2026_PeriodicData.csv")));
    EXPECT_TRUE(periodic.endsWith("\r03/25/2026 09:15:27,-X-,-X-,-X-,-X-,-X-,-X-,-X-,-X-,50000.00,"
                                  "13.0,-X-,-X-,-X-,-X-"))
        << periodic.constData();
    EXPECT_EQ(DownloadFiles::contents(
                  QDir(dataPath).filePath(QStringLiteral("CW_Mar_15_2026_Bat2DischProfile.csv"))),
              KnownLogImage::battery2DischargeProfile());
    EXPECT_EQ(DownloadFiles::names(dataPath).size(), 5);
}
