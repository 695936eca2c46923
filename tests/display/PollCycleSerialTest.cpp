#include "config/Settings.h"
#include "display/CLiveItemTable.h"
#include "display/CPollCycle.h"
#include "link/CUnitLink.h"
#include "link/LinkRequest.h"
#include "resources/StringTable.h"
#include "tests/display/PollReads.h"
#include "tests/display/UnitRecords.h"
#include "tests/support/EventPump.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/ScriptedSerialUnit.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Restated here rather than imported, so that a change to them shows.
constexpr int UnitPort = 7;
constexpr int TimerItem = 1;
constexpr int TimerStartup = 2;
constexpr int TimerKeepAlive = 8;
constexpr int TimerAutoStart = 9;
constexpr int TimerAutoSearch = 10;
constexpr std::uint16_t Running = 0x001;
constexpr std::uint16_t Startup = 0x010;
constexpr std::uint16_t Connected = 0x100;
constexpr std::uint16_t Busy = 0x200;

namespace {

class PollCycleSerial : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(unit.isOpen());
        ASSERT_TRUE(QFile::link(unit.devicePath(), aliases.filePath(QStringLiteral("COM7"))));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        link.SetComPort(UnitPort);
        // Short limits keep a silent unit quick; no result depends on them.
        link.SetSerialTimeouts(SerialTimeouts{100, 1, 300, 10, 2000});
        unit.respondWith([this](const QByteArray& frame) { return records.serialAnswer(frame); });
        cycle.setClock([this] { return now; });
        cycle.setSteadyClock([this] { return steadyMs; });
    }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }

    void show(std::array<int, 6> slotItems)
    {
        settings.dispData = slotItems;
        cycle.refreshPollFlags();
    }
    bool waitForReads(qsizetype count)
    {
        return EventPump::waitUntil([&] { return unit.frames().size() >= count; }, 30000);
    }
    QList<PollRead> reads() const { return PollReads::of(unit.frames()); }
    QList<PollRead> readsFrom(qsizetype first, qsizetype count) const
    {
        return reads().mid(first, count);
    }
    // Starts the display and waits until the start-up sequence and count more reads are done.
    void runUntil(qsizetype count)
    {
        ASSERT_TRUE(cycle.startDisplay());
        ASSERT_TRUE(waitForReads(count));
    }

    UnitRecords records;
    ScriptedSerialUnit unit;
    QTemporaryDir aliases;
    ScriptedPrompt prompts;
    CUnitLink link{prompts, ComPortDirectory(aliases.path())};
    Settings settings;
    CLiveItemTable items{StringTable::builtIn()};
    QDateTime now{QDate(2024, 3, 1), QTime(14, 5)};
    // Frozen unless a test moves it: no reply is ever overdue by accident.
    qint64 steadyMs = 1'000'000;
    CPollCycle cycle{link, items, settings, prompts};
};

} // namespace

TEST_F(PollCycleSerial, ConnectReadsTheFirmwareAndStartsTheDisplayWhichRelabelsTheItems)
{
    show({1, 7, 13, 22, 0, 0});
    ASSERT_EQ(cycle.slotLabel(1), QStringLiteral("AD7: Amp 1 Amps"));
    cycle.connectUnit();
    EXPECT_EQ(reads().value(0), PollReads::Version);
    EXPECT_TRUE(cycle.isTimerArmed(TimerAutoStart));
    EXPECT_EQ(cycle.timerInterval(TimerAutoStart), 100);

    int labelRefreshes = 0;
    QObject::connect(&cycle, &CPollCycle::slotLabelsChanged, [&] { ++labelRefreshes; });
    ASSERT_TRUE(EventPump::waitUntil([&] { return labelRefreshes == 1; }, 30000));
    EXPECT_EQ(readsFrom(1, 6), PollReads::Startup);
    EXPECT_EQ(cycle.state() & (Running | Startup | Connected), Running | Connected);

    // Channel codes 0x11, 0x02, 0x04: Solar with a single battery, Wind, Load.
    EXPECT_EQ(cycle.slotLabel(0), QStringLiteral("AD1: Battery Volts"));
    EXPECT_EQ(cycle.slotLabel(1), QStringLiteral("AD7: Solar Amps"));
    EXPECT_EQ(items.item(8).labelText, QStringLiteral("AD8: Wind Amps"));
    EXPECT_EQ(items.item(9).labelText, QStringLiteral("AD9: Load Amps"));
    // Battery 1's word is not zero: amp-hours from full are labelled with the channel name.
    EXPECT_EQ(cycle.slotLabel(2), QStringLiteral("AD13: Solar  AmpHrs from Full"));
    EXPECT_EQ(cycle.slotLabel(3), QStringLiteral("AD22: Battery % Full"));
    // Shunt types 2, 1, 2: channel 1 shows two decimals.
    EXPECT_EQ(items.item(7).decodeType, 2);
    EXPECT_EQ(items.item(8).decodeType, 4);
    EXPECT_EQ(cycle.battery1Capacity(), 200);
    EXPECT_EQ(cycle.battery2Capacity(), 300);
    EXPECT_EQ(cycle.efficiency().cell(9).valueText, QStringLiteral("200 Ahrs"));
}

TEST_F(PollCycleSerial, WithOneItemTheFirstCycleReadsItSevenTimesAndLaterCyclesSix)
{
    show({1, 0, 0, 0, 0, 0});
    runUntil(6 + 13 + 12 + 1);
    const QList<PollRead> item(1, PollRead{0x01, 2});
    EXPECT_EQ(readsFrom(0, 6), PollReads::Startup);
    // The start-up sequence arms the first item read before the schedule moves on.
    EXPECT_EQ(readsFrom(6, 13), PollReads::repeated(item, 7) + PollReads::Pairs);
    EXPECT_EQ(readsFrom(19, 12), PollReads::repeated(item, 6) + PollReads::Pairs);
    EXPECT_EQ(reads().value(31), item.first());
    EXPECT_EQ(cycle.slotText(0), QStringLiteral("12.6 Volts"));
}

TEST_F(PollCycleSerial, WithTwoItemsTheItemReadsAlternate)
{
    show({28, 0, 1, 0, 0, 0});
    runUntil(6 + 13 + 12);
    const PollRead ad1{0x01, 2};
    const PollRead ad28{0x19, 1};
    EXPECT_EQ(readsFrom(6, 13),
              (QList<PollRead>{ad1, ad28, ad1, ad28, ad1, ad28, ad1} + PollReads::Pairs));
    EXPECT_EQ(readsFrom(19, 12),
              (QList<PollRead>{ad28, ad1, ad28, ad1, ad28, ad1} + PollReads::Pairs));
    EXPECT_EQ(cycle.slotText(0), QStringLiteral("25.0 Deg(C)"));
    EXPECT_EQ(cycle.slotText(2), QStringLiteral("12.6 Volts"));
    EXPECT_EQ(cycle.slotText(1), QStringLiteral("NONE"));
}

TEST_F(PollCycleSerial, WithNoItemTheStatusClockAndEfficiencyPairsStillFollowEachOther)
{
    show({0, 0, 0, 0, 0, 0});
    runUntil(6 + 6 + 6);
    EXPECT_EQ(readsFrom(6, 12), PollReads::Pairs + PollReads::Pairs);
}

TEST_F(PollCycleSerial, RepliesFillTheClockStatusRowsEfficiencyAndFirmware)
{
    show({0, 0, 0, 0, 0, 0});
    QStringList clocks;
    QObject::connect(&cycle, &CPollCycle::clockChanged,
                     [&](const QString& unit, const QString& pc) { clocks << unit << pc; });
    int efficiencyRefreshes = 0;
    QObject::connect(&cycle, &CPollCycle::efficiencyChanged, [&] { ++efficiencyRefreshes; });
    runUntil(6 + 6);
    ASSERT_TRUE(EventPump::waitUntil([&] { return efficiencyRefreshes == 1; }));

    // Firmware byte 25; day word with block 5 and minute 30; the PC clock is at 14:05.
    EXPECT_EQ(cycle.firmwareText(), QStringLiteral("2.5"));
    EXPECT_EQ(clocks, (QStringList{QStringLiteral("3:30 PM"), QStringLiteral("2:05 PM")}));
    EXPECT_EQ(cycle.unitTimeText(), QStringLiteral("3:30 PM"));
    EXPECT_EQ(cycle.pcTimeText(), QStringLiteral("2:05 PM"));
    EXPECT_EQ(cycle.batteryStatus().row(0).text, QStringLiteral("B1 LOW"));
    EXPECT_EQ(cycle.batteryStatus().row(5).text, QStringLiteral("RELAY ON"));
    EXPECT_EQ(cycle.batteryStatus().row(6).text, QStringLiteral("B2 LOW"));
    EXPECT_EQ(cycle.batteryStatus().row(6).textColor, RgbColor{0xFF00FF});
    EXPECT_EQ(cycle.batteryStatus().row(1).text, QStringLiteral("---"));
    EXPECT_EQ(cycle.efficiency().cell(6).valueText, QStringLiteral("0.05"));
    EXPECT_EQ(cycle.efficiency().cell(7).valueText, QStringLiteral("-0.05"));
    EXPECT_EQ(cycle.efficiency().cell(2).valueText, QStringLiteral("21"));
}

TEST_F(PollCycleSerial, FirmwareBytesOutsideTwentyToFortyNineShowOnePointZero)
{
    records.set(0xF7, QByteArray(1, 19));
    QStringList shown;
    QObject::connect(&cycle, &CPollCycle::firmwareVersionChanged,
                     [&](float, const QString& text) { shown << text; });
    cycle.pingUnit();
    EventPump::deliverPosted();
    records.set(0xF7, QByteArray(1, 50));
    cycle.pingUnit();
    EventPump::deliverPosted();
    records.set(0xF7, QByteArray(1, 25));
    cycle.pingUnit();
    EventPump::deliverPosted();
    EXPECT_EQ(shown,
              (QStringList{QStringLiteral("1.0"), QStringLiteral("1.0"), QStringLiteral("2.5")}));
    EXPECT_FLOAT_EQ(cycle.firmwareVersion(), 2.5f);
}

TEST_F(PollCycleSerial, StoppingAndStartingDoesNotRepeatTheStartUpButProgrammingDoes)
{
    show({1, 0, 0, 0, 0, 0});
    runUntil(6 + 3);
    cycle.stopDisplay();
    EXPECT_FALSE(cycle.testState(Running));
    for (int id = 1; id <= 5; ++id)
        EXPECT_FALSE(cycle.isTimerArmed(id)) << "timer " << id;
    const qsizetype before = unit.frames().size();
    EXPECT_EQ(cycle.slotText(0), QStringLiteral("12.6 Volts")); // decoded values stay

    runUntil(before + 8);
    const QList<PollRead> item(1, PollRead{0x01, 2});
    EXPECT_EQ(readsFrom(before, 8), PollReads::repeated(item, 7) + PollReads::Pairs.mid(0, 1));
    EXPECT_EQ(cycle.startupStep(), 6);

    // The Program button is offered only while the display is stopped.
    cycle.stopDisplay();
    EventPump::deliverPosted();
    const qsizetype beforeProgramming = unit.frames().size();
    cycle.restartStartup();
    EXPECT_TRUE(cycle.testState(Startup));
    ASSERT_TRUE(EventPump::waitUntil([&] { return !cycle.testState(Startup); }, 30000));
    EventPump::deliverPosted();
    EXPECT_EQ(reads().mid(beforeProgramming), PollReads::Startup);
    EXPECT_FALSE(cycle.isTimerArmed(TimerItem));
}

TEST_F(PollCycleSerial, StartingAgainWhileRunningKeepsOneChainOfRequests)
{
    show({1, 0, 0, 0, 0, 0});
    runUntil(6 + 8);
    ASSERT_TRUE(EventPump::waitUntil([&] { return cycle.isTimerArmed(4); }, 30000));
    ASSERT_TRUE(cycle.startDisplay());
    const qsizetype restart = unit.frames().size();
    ASSERT_TRUE(waitForReads(restart + 13 + 6));
    const QList<PollRead> item(1, PollRead{0x01, 2});
    EXPECT_EQ(readsFrom(restart, 13 + 6),
              PollReads::repeated(item, 7) + PollReads::Pairs + PollReads::repeated(item, 6));
}

TEST_F(PollCycleSerial, TheItemCursorAndPairCountersSurviveAStop)
{
    show({1, 28, 0, 0, 0, 0});
    // Stop right after the first item reply, with the cursor on AD1.
    const auto stopper = QObject::connect(&cycle, &CPollCycle::slotsChanged, [&] {
        if (cycle.testState(Running) && cycle.itemCursor() == 1)
            cycle.stopDisplay();
    });
    runUntil(6 + 1);
    ASSERT_TRUE(EventPump::waitUntil([&] { return !cycle.testState(Running); }));
    EXPECT_EQ(cycle.itemCursor(), 1);
    EXPECT_EQ(cycle.pairStep(3), 0);

    const qsizetype before = unit.frames().size();
    QObject::disconnect(stopper);
    runUntil(before + 7 + 2);
    // The next item after the cursor, not the lowest item again.
    EXPECT_EQ(reads().value(before), (PollRead{0x19, 1}));
    EXPECT_EQ(readsFrom(before + 7, 2), PollReads::Pairs.mid(0, 2));
}

TEST_F(PollCycleSerial, AWrongLengthItemReplyShowsDashesUntilAGoodOneArrives)
{
    show({1, 0, 0, 0, 0, 0});
    runUntil(6 + 2);
    cycle.stopDisplay();
    EventPump::deliverPosted();
    ASSERT_EQ(cycle.slotText(0), QStringLiteral("12.6 Volts"));

    // The link delivers what the unit sent; a reply one byte short of the item's two.
    std::uint8_t data[1024] = {0xFC};
    LinkRequest reply{3, 1, 2, 1, data, 0, 0};
    int refreshes = 0;
    QObject::connect(&cycle, &CPollCycle::slotsChanged, [&] { ++refreshes; });
    cycle.onSerialReply(1, &reply);
    EXPECT_EQ(cycle.slotText(0), QStringLiteral("- - -"));
    EXPECT_EQ(refreshes, 1);
    EXPECT_TRUE(cycle.testState(Connected));
    EXPECT_FALSE(cycle.testState(Busy));

    data[1] = 0;
    cycle.onSerialReply(2, &reply);
    EXPECT_EQ(cycle.slotText(0), QStringLiteral("12.6 Volts"));
}

TEST_F(PollCycleSerial, AWrongLengthReplyOfAnotherKindIsIgnored)
{
    std::uint8_t data[1024] = {25};
    LinkRequest version{4, 0, 3, 1, data, 0, 0};
    cycle.onSerialReply(2, &version);
    EXPECT_EQ(cycle.firmwareText(), QStringLiteral("0.0"));
    cycle.onSerialReply(1, &version);
    EXPECT_EQ(cycle.firmwareText(), QStringLiteral("2.5"));
}

TEST_F(PollCycleSerial, AnUnansweredItemReadStopsTheDisplayAndYesStartsItAgain)
{
    show({1, 0, 0, 0, 0, 0});
    runUntil(6 + 1);
    prompts.answerNext(PromptAnswer::Yes);
    records.dropNext(0x01);
    ASSERT_TRUE(EventPump::waitUntil([&] { return !prompts.shown().isEmpty(); }, 30000));
    EXPECT_EQ(prompts.lastText(),
              QStringLiteral("Warning: There is a problem with the communications port. Try "
                             "fixing it.\r\r Do you want to continue reading data?"));
    EXPECT_EQ(prompts.shown().last().buttons, PromptButtons::YesNo);

    // The display runs on without a second start-up sequence.
    const qsizetype after = unit.frames().size();
    ASSERT_TRUE(waitForReads(after + 8));
    EXPECT_TRUE(cycle.testState(Running));
    for (const PollRead& read : readsFrom(after, 8))
        EXPECT_NE(read, PollReads::Startup[1]);
    EXPECT_EQ(cycle.slotText(0), QStringLiteral("12.6 Volts"));
}

TEST_F(PollCycleSerial, NoToTheContinueQuestionLeavesTheDisplayStopped)
{
    show({1, 0, 0, 0, 0, 0});
    bool lastRunning = true;
    QObject::connect(&cycle, &CPollCycle::displayRunningChanged,
                     [&](bool running) { lastRunning = running; });
    runUntil(6 + 1);
    records.dropNext(0x01);
    ASSERT_TRUE(EventPump::waitUntil([&] { return !prompts.shown().isEmpty(); }, 30000));
    EXPECT_FALSE(cycle.testState(Running));
    EXPECT_FALSE(lastRunning);
    for (int id = 1; id <= 5; ++id)
        EXPECT_FALSE(cycle.isTimerArmed(id)) << "timer " << id;
}

TEST_F(PollCycleSerial, AnUnansweredStatusReadStopsTheDisplaySilently)
{
    show({0, 0, 0, 0, 0, 0});
    records.dropNext(0x25);
    runUntil(6 + 2);
    ASSERT_TRUE(EventPump::waitUntil([&] { return !cycle.testState(Running); }, 30000));
    EXPECT_TRUE(prompts.shown().isEmpty());
    EXPECT_FALSE(cycle.testState(Busy));
}

TEST_F(PollCycleSerial, AFailedStartUpStepIsNotRetried)
{
    records.dropNext(0xE1);
    runUntil(2);
    ASSERT_TRUE(EventPump::waitUntil([&] { return !cycle.testState(Running); }, 30000));
    EXPECT_TRUE(cycle.testState(Startup));
    EXPECT_EQ(cycle.startupStep(), 2);

    const qsizetype before = unit.frames().size();
    runUntil(before + 4);
    EXPECT_EQ(readsFrom(before, 4), PollReads::Startup.mid(2, 4));
}

TEST_F(PollCycleSerial, StatusLineFollowsTheLinkAndIsRewrittenOnlyWhenItsTextChanges)
{
    EXPECT_EQ(cycle.statusLine().text, QStringLiteral("Not Connected"));
    QStringList lines;
    QObject::connect(&cycle, &CPollCycle::statusLineChanged,
                     [&](const StatusLine& line) { lines << line.text; });
    runUntil(3);
    EXPECT_TRUE(lines.contains(QStringLiteral("Receiving Data from Unit.")));
    cycle.stopDisplay();
    EXPECT_EQ(cycle.statusLine().text, QStringLiteral("Port Open && Idle."));
    EXPECT_EQ(cycle.statusLine().textColor, RgbColor{0x00FF00});
    EXPECT_EQ(cycle.statusLine().background, RgbColor{0});

    const qsizetype written = lines.size();
    cycle.refreshStatusLine();
    cycle.refreshStatusLine();
    EXPECT_EQ(lines.size(), written);

    cycle.disconnectUnit();
    EXPECT_EQ(cycle.statusLine().text, QStringLiteral("Port Closed."));
    EXPECT_FALSE(cycle.statusLine().background.has_value());
    EXPECT_FALSE(cycle.testState(Connected));
}

TEST_F(PollCycleSerial, AWriteAcknowledgementThatDiffersFromItsChecksumIsReported)
{
    // WRITE of reset code 0x09 to the command record: 0x01 0x27 0x01 0x09, checksum 0xCD.
    ASSERT_TRUE(cycle.sendResetCode(0x09));
    EventPump::deliverPosted();
    EXPECT_EQ(unit.frames().value(0), QByteArray("\x01\x27\x01\x09\xCD", 5));
    EXPECT_TRUE(prompts.shown().isEmpty());
    EXPECT_FALSE(cycle.testState(Busy));

    records.acknowledgeWritesWith(0x42);
    ASSERT_TRUE(cycle.sendResetCode(0x09));
    EventPump::deliverPosted();
    EXPECT_EQ(prompts.lastText(), QStringLiteral("Error: Received bad checksum on Seriel Port."));

    // While a download runs, the acknowledgement is its business.
    prompts.clear();
    int handedOver = 0;
    cycle.setDownloadReceiver([&](int count, LinkRequest* request) {
        handedOver += count == 1 && request->kind == 16 ? 1 : 0;
    });
    ASSERT_TRUE(cycle.sendResetCode(0x09));
    EventPump::deliverPosted();
    EXPECT_TRUE(prompts.shown().isEmpty());
    EXPECT_EQ(handedOver, 1);
}

TEST_F(PollCycleSerial, ResettingAValueStopsARunningDisplay)
{
    show({13, 0, 0, 0, 0, 0});
    runUntil(6 + 1);
    cycle.sendResetCode(0x09);
    EXPECT_FALSE(cycle.testState(Running));
    EventPump::deliverPosted();
    EXPECT_FALSE(cycle.isTimerArmed(TimerItem));
}

TEST_F(PollCycleSerial, PauseStopsItemReadsAndReportsWhetherTheDisplayRan)
{
    EXPECT_FALSE(cycle.pause());
    show({1, 0, 0, 0, 0, 0});
    runUntil(6 + 1);
    ASSERT_TRUE(EventPump::waitUntil([&] { return cycle.isTimerArmed(TimerItem); }));
    EXPECT_TRUE(cycle.pause());
    EXPECT_FALSE(cycle.testState(Running));
    EXPECT_FALSE(cycle.isTimerArmed(TimerItem));
}

TEST_F(PollCycleSerial, TheAutomaticSearchRepeatsUntilItFindsTheUnitThenConnects)
{
    settings.autoPollSerialPort = 1;
    bool unitAnswers = false;
    int searches = 0;
    cycle.setUnitSearch([&] {
        ++searches;
        return unitAnswers;
    });
    int found = 0;
    QObject::connect(&cycle, &CPollCycle::unitFound, [&] { ++found; });
    cycle.armAutoSearch();
    EXPECT_EQ(cycle.timerInterval(TimerAutoSearch), 100);
    ASSERT_TRUE(cycle.isTimerArmed(TimerAutoSearch));

    cycle.OnTimer(TimerAutoSearch);
    EXPECT_EQ(searches, 1);
    EXPECT_TRUE(cycle.isTimerArmed(TimerAutoSearch));
    EXPECT_EQ(cycle.timerInterval(TimerAutoSearch), 2000);

    unitAnswers = true;
    cycle.OnTimer(TimerAutoSearch);
    EXPECT_EQ(found, 1);
    EXPECT_FALSE(cycle.isTimerArmed(TimerAutoSearch));
    EXPECT_TRUE(cycle.isTimerArmed(TimerAutoStart));
    EXPECT_EQ(reads().value(0), PollReads::Version);
}

TEST_F(PollCycleSerial, NoAutomaticSearchWithoutTheSettingOrOverTcp)
{
    cycle.armAutoSearch();
    EXPECT_FALSE(cycle.isTimerArmed(TimerAutoSearch));
    settings.autoPollSerialPort = 1;
    link.SetPortType(PORT_TCP);
    cycle.armAutoSearch();
    EXPECT_FALSE(cycle.isTimerArmed(TimerAutoSearch));
}

TEST_F(PollCycleSerial, TheKeepAliveIsForTcpOnly)
{
    runUntil(2);
    cycle.stopDisplay();
    EventPump::deliverPosted();
    const qsizetype before = unit.frames().size();
    cycle.OnTimer(TimerKeepAlive);
    EventPump::deliverPosted();
    EXPECT_EQ(unit.frames().size(), before);
    EXPECT_FALSE(cycle.isTimerArmed(TimerKeepAlive));
}

TEST_F(PollCycleSerial, RequestsAreSpacedByPortTypeAndSlowSpacesThemASecondApart)
{
    // DISPUPDATE 0 Slow, 1 Medium, 2 Fast.
    settings.dispUpdate = 1;
    EXPECT_EQ(cycle.requestInterval(), 50);
    settings.dispUpdate = 2;
    EXPECT_EQ(cycle.requestInterval(), 50);
    settings.dispUpdate = 0;
    EXPECT_EQ(cycle.requestInterval(), 1000);
    link.SetPortType(PORT_TCP);
    EXPECT_EQ(cycle.requestInterval(), 1000);
    settings.dispUpdate = 1;
    EXPECT_EQ(cycle.requestInterval(), 300);
}

TEST_F(PollCycleSerial, AStartThatCannotOpenThePortReleasesTheButton)
{
    link.SetComPort(42);
    bool reported = true;
    QObject::connect(&cycle, &CPollCycle::displayRunningChanged,
                     [&](bool running) { reported = running; });
    EXPECT_FALSE(cycle.startDisplay());
    EXPECT_FALSE(reported);
    EXPECT_FALSE(cycle.testState(Running));
    EXPECT_FALSE(cycle.isTimerArmed(TimerStartup));
    EXPECT_EQ(prompts.lastText().left(31), QStringLiteral("Error opening serial port COM42"));
}
