#include "charts/CHistoryDlg.h"
#include "display/LiveDisplay.h"
#include "logged/DownloadReport.h"
#include "logged/ui/CDownloadProgressDlg.h"
#include "logged/ui/DownloadCommand.h"
#include "tests/e2e/DownloadFiles.h"
#include "tests/e2e/KnownLogImage.h"
#include "tests/support/EventPump.h"
#include "tests/support/MainWindowHarness.h"

#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimeZone>
#include <gtest/gtest.h>
#include <optional>

namespace {

// Restated: the window's buttons, the unit's periodic pointer record once its log is cleared,
// the question before clearing it and the offer of the files' charts.
constexpr int Connect = 1015;
constexpr int StartDisplay = 1014;
constexpr int Download = 1024;
constexpr int Program = 1011;
const QByteArray EmptyPeriodicPointer = QByteArray::fromHex("0000c01f");
const QString ClearQuestion =
    QStringLiteral("WARNING:\rDo you want to clear the Zeltravanic data buffer? This will erase "
                   "all Periodic Logged Data in the Zeltravanic unit.");
const QString ChartsOffer = QStringLiteral("Show the charts of the data files just written?");

} // namespace

// "Download Data" over the serial line, as the user does it: a first one cancelled, then one
// that the window holds its other commands for while the progress window shows, the files are
// written, the unit's clock is set on the way, on Yes the unit's periodic log is cleared
// through the poll cycle's command write, and on Yes again the History window charts the files.
TEST(MainWindowDownload, CancelledThenDownloadDataWritesTheFilesSetsTheClockClearsTheLogAndCharts)
{
    StandInUnit unit(SessionSettings{}, KnownLogImage::ClockDay, KnownLogImage::ClockMinuteOfDay);
    unit.withUnit([](SimulatedUnit& simulated) { simulated.restore(KnownLogImage::image()); });
    QTemporaryDir data;
    MainWindowHarness main(MainWindowHarness::reaching(unit, Transport::Serial) +
                           QStringList{"RUNCUSTOMLABELSDLG=0", "AUTOSYNCTIME=1", "CLEARLOGDATA=1",
                                       "DWNLDINTERVAL=1", "DATAPATH=" + data.path()});
    main.download().setToday([] { return QDate(2026, 3, 15); });
    main.download().setValuesDialog(
        [](const CDownloadDlg::Values& offered, QWidget*) { return std::optional(offered); });
    DownloadRunner& runner = main.live().download();
    runner.setClock(&KnownLogImage::pcTime);
    runner.setTimeText(LogTimeText(QTimeZone::utc()));
    bool heldWithProgressShown = false;
    std::optional<DownloadResult> result;
    QObject::connect(&runner, &DownloadRunner::runningChanged, [&](bool running) {
        auto* progress = main.window().findChild<CDownloadProgressDlg*>();
        if (running)
            heldWithProgressShown =
                progress && progress->isVisible() && !main.control(Download)->isEnabled() &&
                !main.control(StartDisplay)->isEnabled() && !main.control(Program)->isEnabled();
    });
    QObject::connect(&runner, &DownloadRunner::finished,
                     [&](const DownloadResult& done) { result = done; });

    main.click(Connect);
    ASSERT_TRUE(main.waitForValue(0));
    main.click(StartDisplay);
    ASSERT_TRUE(EventPump::waitUntil([&] { return main.control(Download)->isEnabled(); }));

    // First "Cancel": the download ends after the request in flight, writes no file and clears
    // nothing; the next one works.
    const QByteArray pointer = unit.read(0xD2, 4);
    const auto cancel = QObject::connect(&runner, &DownloadRunner::progressChanged, [&] {
        main.window().findChild<CDownloadProgressDlg*>()->cancelButton()->click();
    });
    main.click(Download);
    ASSERT_TRUE(EventPump::waitUntil([&] { return result.has_value(); }, 60000));
    QObject::disconnect(cancel);
    EXPECT_TRUE(result->cancelled);
    EXPECT_TRUE(DownloadFiles::names(data.path()).isEmpty());
    EXPECT_EQ(unit.read(0xD2, 4), pointer);
    EXPECT_EQ(main.prompts.texts(), QStringList{DownloadReport::cancelledText()});
    result.reset();
    main.prompts.clear();

    // Closing the window while it runs asks first.
    main.prompts.answerNext(PromptAnswer::No);
    main.prompts.answerNext(PromptAnswer::Ok);
    main.prompts.answerNext(PromptAnswer::Yes);
    main.prompts.answerNext(PromptAnswer::Yes);
    main.click(Download);
    main.close();
    ASSERT_TRUE(EventPump::waitUntil([&] { return result.has_value(); }, 60000));
    EXPECT_TRUE(main.prompts.texts().value(0).startsWith(QStringLiteral("A download is")));

    ASSERT_TRUE(result->success) << main.prompts.texts().join('|').toStdString();
    EXPECT_TRUE(heldWithProgressShown);
    EXPECT_TRUE(result->clockSet);
    const QString base = QDir(data.path()).filePath(KnownLogImage::BaseName);
    EXPECT_EQ(DownloadFiles::contents(base + "_PeriodicData.csv"),
              KnownLogImage::periodicAllColumns());
    EXPECT_EQ(DownloadFiles::contents(base + "_Bat2DischProfile.csv"),
              KnownLogImage::battery2DischargeProfile());
    EXPECT_EQ(DownloadFiles::names(data.path()).size(), 5);
    ASSERT_TRUE(EventPump::waitUntil([&] { return unit.read(0xD2, 4) == EmptyPeriodicPointer; }));
    EventPump::waitUntil([&] { return !main.live().poll().testState(0x200); });
    // The summary, the question, the offer, and no complaint about the clearing's
    // acknowledgement.
    ASSERT_EQ(main.prompts.texts().size(), 4) << main.prompts.texts().join('|').toStdString();
    EXPECT_TRUE(main.prompts.texts()[1].startsWith(KnownLogImage::summary(base)));
    EXPECT_EQ(main.prompts.texts()[2], ClearQuestion);
    EXPECT_EQ(main.prompts.texts()[3], ChartsOffer);
    auto* history = main.window().findChild<CHistoryDlg*>();
    ASSERT_NE(history, nullptr);
    EXPECT_TRUE(history->isVisible());
    EXPECT_EQ(history->tabs()->count(), 3) << "periodic, efficiency and discharge profile data";
    EXPECT_EQ(main.window().findChild<CDownloadProgressDlg*>(), nullptr);
    EXPECT_TRUE(main.control(Download)->isEnabled());
}
