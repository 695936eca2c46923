#include "tests/support/MainWindowHarness.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace {

// Restated: "Connect", "Start Display", the first value field, the firmware version.
constexpr int Connect = 1015;
constexpr int StartDisplay = 1014;
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
