#include "display/LiveDisplay.h"
#include "tests/support/EventPump.h"
#include "tests/support/MainWindowHarness.h"

#include <QTimer>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Restated: the window's controls.
constexpr int Connect = 1015;
constexpr int StartDisplay = 1014;
constexpr int FirstValue = 1005;
constexpr int Firmware = 1163;
constexpr int CommStatus = 1042;
// One second of the reconnection pauses lasts this long here.
constexpr int ShortSecondMs = 20;

bool nothingIsArmed(const MainWindowHarness& main)
{
    const QList<QTimer*> timers = main.live().poll().findChildren<QTimer*>();
    return std::ranges::none_of(timers, &QTimer::isActive);
}

class LinkLoss : public ::testing::TestWithParam<Transport> {};

} // namespace

// The unit switched off under a running display and on again: the window says so, greys what it
// showed, retries by itself and shows live values again, with no message box at all.
TEST_P(LinkLoss, AUnitStoppedMidDisplayComesBackByItselfWithoutAMessageBox)
{
    StandInUnit unit;
    MainWindowHarness main(MainWindowHarness::reaching(unit, GetParam()) +
                           QStringList{QStringLiteral("DISPDATA1=1")});
    CPollCycle& poll = main.live().poll();
    poll.recovery().schedule().setMillisecondsPerSecond(ShortSecondMs);
    QStringList lines;
    QObject::connect(&poll, &CPollCycle::statusLineChanged,
                     [&lines](const StatusLine& line) { lines << line.text; });
    main.click(Connect);
    ASSERT_TRUE(main.waitForValue(0));

    unit.unplug();
    ASSERT_TRUE(EventPump::waitUntil([&] { return poll.recovery().schedule().attempts() >= 3; }));
    EXPECT_FALSE(main.control<QWidget>(FirstValue)->isEnabled());
    EXPECT_FALSE(main.control<QWidget>(Firmware)->isEnabled());
    EXPECT_TRUE(main.control(Connect)->isChecked());
    EXPECT_TRUE(main.text(CommStatus).startsWith(QStringLiteral("Connection lost: reconnecting")));
    main.keepPicture(QStringLiteral("link-lost-") + nameOf(GetParam()));

    ASSERT_TRUE(unit.plugIn());
    ASSERT_TRUE(EventPump::waitUntil([&] { return !poll.isReconnecting(); }, 30000));
    ASSERT_TRUE(main.waitForValue(0));
    EXPECT_EQ(main.text(StartDisplay), QStringLiteral("Stop Display"));
    EXPECT_TRUE(main.control<QWidget>(FirstValue)->isEnabled());
    EXPECT_TRUE(main.prompts.shown().isEmpty()) << main.prompts.texts().join(u'|').toStdString();
    // The loss with its pauses, each retry naming where it goes.
    const QString told = lines.join(u'|');
    EXPECT_TRUE(told.contains(QStringLiteral("Connection lost: reconnecting in 1 s...")));
    EXPECT_TRUE(told.contains(QStringLiteral("Connection lost: reconnecting in 5 s...")));
    EXPECT_TRUE(told.contains(QStringLiteral("Reconnecting to ") +
                              (GetParam() == Transport::Tcp
                                   ? QStringLiteral("127.0.0.1:%1").arg(unit.tcpPort())
                                   : QStringLiteral("COM7"))));
    main.close();
}

INSTANTIATE_TEST_SUITE_P(Both, LinkLoss, BothTransports, TransportName);

namespace {

// A connection that fails with reconnecting off: one message that names where, and nothing
// more goes out.
struct FailedConnection {
    const char* name;
    Transport transport;
    std::function<void(StandInUnit&)> fault;
    const char* said;
};

const FailedConnection FailedConnections[] = {
    {"NothingListens", Transport::Tcp, &StandInUnit::unplug, "Connection to 127.0.0.1:"},
    {"TheLoginIsRefused", Transport::Tcp,
     [](StandInUnit& unit) { unit.addFault(FaultKind::RefuseLogin, QStringLiteral("all")); },
     "refused the login"},
    {"TheSerialDeviceIsGone", Transport::Serial, &StandInUnit::unplug,
     "Error opening serial port COM7"},
};

class ConnectionFailure : public ::testing::TestWithParam<FailedConnection> {};

std::string failureName(const ::testing::TestParamInfo<FailedConnection>& info)
{
    return info.param.name;
}

} // namespace

TEST_P(ConnectionFailure, IsToldOnceNamingWhereAndReleasesConnect)
{
    const FailedConnection& c = GetParam();
    StandInUnit unit;
    MainWindowHarness main(
        MainWindowHarness::reaching(unit, c.transport) +
        QStringList{QStringLiteral("DISPDATA1=1"), QStringLiteral("AUTORECONNECT=0")});
    c.fault(unit);
    main.click(Connect);
    ASSERT_TRUE(EventPump::waitUntil([&] { return !main.prompts.shown().isEmpty(); }));
    ASSERT_TRUE(EventPump::waitUntil([&] { return nothingIsArmed(main); }));
    EventPump::deliverPosted();
    ASSERT_EQ(main.prompts.shown().size(), 1) << main.prompts.texts().join(u'|').toStdString();
    EXPECT_TRUE(main.prompts.lastText().contains(QString::fromLatin1(c.said)));
    EXPECT_FALSE(main.control(Connect)->isChecked());
    EXPECT_EQ(main.text(StartDisplay), QStringLiteral("Start Display"));
    EXPECT_NE(main.text(CommStatus), QStringLiteral("Receiving Data from Unit."));
    EXPECT_FALSE(main.text(CommStatus).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Table, ConnectionFailure, ::testing::ValuesIn(FailedConnections),
                         failureName);
