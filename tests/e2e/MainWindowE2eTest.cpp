#include "tests/support/EventPump.h"
#include "tests/support/MainWindowHarness.h"

#include <QApplication>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Restated: the window's buttons, the first value field, the firmware version.
constexpr int Connect = 1015;
constexpr int StartDisplay = 1014;
constexpr int Program = 1011;
constexpr int FirstValue = 1005;
constexpr int Firmware = 1163;

// The whole program's way from the window to a value on screen: over TCP from "Connect"; over
// the serial line by itself, the automatic search finding the unit behind two silent ports.
class MainWindowEndToEnd : public ::testing::TestWithParam<Transport> {};

} // namespace

TEST_P(MainWindowEndToEnd, ConnectsAndShowsLiveValuesAndTheFirmware)
{
    StandInUnit unit;
    StandInUnit silent[2];
    QStringList options{QStringLiteral("DISPDATA1=1")};
    if (GetParam() == Transport::Serial) {
        for (int port : {1, 2}) {
            silent[port - 1].addFault(FaultKind::NoReply, QStringLiteral("all"));
            silent[port - 1].aliasAs(port);
        }
        unit.aliasAs(3);
        options += {QStringLiteral("PORTTYPE=0"), QStringLiteral("COMPORT=9"),
                    QStringLiteral("AUTOPOLL_SERPORT=1")};
    } else {
        options += MainWindowHarness::reaching(unit, Transport::Tcp);
    }
    MainWindowHarness main(options);
    if (GetParam() == Transport::Tcp)
        main.click(Connect);

    ASSERT_TRUE(main.waitForValue(0));
    EXPECT_TRUE(main.text(FirstValue).endsWith(QStringLiteral(" Volts")));
    EXPECT_EQ(main.text(Firmware), QStringLiteral("2.5"));
    EXPECT_TRUE(main.control(Connect)->isChecked());
    EXPECT_EQ(main.text(StartDisplay), QStringLiteral("Stop Display"));
    main.keepPicture(QStringLiteral("main-window-") + nameOf(GetParam()));
    main.close();
    if (GetParam() == Transport::Serial) {
        EXPECT_GE(silent[1].requests().size(), 1) << "the silent ports were asked first";
        EXPECT_TRUE(main.file(QStringLiteral("Gorvane.cfg")).contains("COMPORT=3"));
    }
}

INSTANTIATE_TEST_SUITE_P(Both, MainWindowEndToEnd, BothTransports, TransportName);

// "Program the Zeltravanic" and back: the unit's configuration is read again.
TEST(MainWindowProgramming, AfterTheProgramModesMenuTheUnitsConfigurationIsReadAgain)
{
    StandInUnit unit;
    MainWindowHarness main(MainWindowHarness::reaching(unit, Transport::Serial));
    main.click(Connect);
    ASSERT_TRUE(main.waitForValue(0)) << "the display runs";
    main.click(StartDisplay);
    ASSERT_TRUE(EventPump::waitUntil([&] { return main.control(Program)->isEnabled(); }));
    // The menu closes as soon as it shows.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget* menu = QApplication::activeModalWidget())
            menu->close();
    });
    closer.start(50);
    unit.clearRequests();
    main.click(Program);
    closer.stop();
    ASSERT_TRUE(unit.waitForRequests(6));
    QList<int> addresses;
    for (const UnitRequest& request : unit.requests().mid(0, 6))
        addresses << request.address;
    EXPECT_EQ(addresses, (QList<int>{0xF7, 0xE1, 0xF2, 0xF6, 0xF2, 0xF1}));
}
