#include "link/ConnectionTest.h"

#include "link/CUnitLink.h"
#include "tests/support/EventPump.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/StandInUnit.h"
#include "tests/support/TestBytes.h"

#include <QTcpServer>
#include <gtest/gtest.h>
#include <tuple>

namespace {

const QString Searching = QStringLiteral("Searching for CW Unit... #000000");

// The tests run against the stand-in unit (COM7 and its adapter); what they tell is noted in
// order, colours as 0xBBGGRR.
class ConnectionTests : public ::testing::Test {
protected:
    void SetUp() override
    {
        using C = ConnectionTest;
        QObject::connect(&test, &C::serialStatusChanged, [this](const QString& text, RgbColor c) {
            told << text + QStringLiteral(" #%1").arg(c.value, 6, 16, QLatin1Char('0'));
        });
        const auto note = [this](const QString& text) { told << text; };
        QObject::connect(&test, &C::networkStatusChanged, note);
        QObject::connect(&test, &C::interfaceVersionChanged, note);
        QObject::connect(&test, &C::firmwareVersionChanged,
                         [note](float v) { note("v" + QString::number(v)); });
        QObject::connect(&test, &C::comPortChanged,
                         [note](int n) { note("COM" + QString::number(n)); });
        ASSERT_TRUE(unit.isReady());
        unit.attach(link, Transport::Serial);
    }

    StandInUnit unit;
    ScriptedPrompt prompts;
    CUnitLink link{prompts, ComPortDirectory()};
    ConnectionTest test{link, prompts};
    QStringList told;
};

} // namespace

TEST_F(ConnectionTests, TheSerialTestReadsTheProbeRecordOnTheChosenPortWithTheTimeoutsGiven)
{
    const SerialTimeouts edited{150, 2, 400, 3, 900};
    // A failure is the link's to tell: the status keeps its text.
    const std::tuple<int, bool, const char*, const char*> cases[] = {
        {7, false, "CW Unit found on Com 7 #008000", ""},
        {7, true, nullptr, ""}, // a silent unit
        {9, false, nullptr, "Error opening serial port COM9"},
    };
    for (const auto& [port, mute, found, prompt] : cases) {
        SCOPED_TRACE(port + mute);
        told.clear();
        unit.clearRequests();
        if (mute)
            unit.addFault(FaultKind::NoReply, QStringLiteral("all"));
        test.testSerialPort(port, edited);
        unit.clearFaults();
        EventPump::deliverPosted();
        QStringList expected{"v0", Searching, QStringLiteral("COM%1").arg(port)};
        EXPECT_EQ(told, found ? expected << found : expected);
        EXPECT_EQ(prompts.lastText().left(30), QString::fromLatin1(prompt));
        EXPECT_EQ(unit.frames(), QList<QByteArray>(port == 7, bytesOf({0x81, 0x0F, 0x04, 0x6B})));
        EXPECT_EQ(link.GetSerialTimeouts(), edited);
        EXPECT_EQ(link.GetOwner(), &test);
    }
}

TEST_F(ConnectionTests, ASearchThatFindsNoUnitLeavesTheLastPortProbedAsThePortOfTheTest)
{
    const QList<ComPort> ports{{5, QStringLiteral("/dev/gone")},
                               {6, QStringLiteral("/dev/gone too")}};
    EXPECT_EQ(test.searchSerialPorts([&ports] { return ports; }), 0);
    EXPECT_EQ(told, (QStringList{"v0", Searching, "COM5", "COM6", "No CW Unit found. #0000ff"}));
    EXPECT_TRUE(prompts.shown().isEmpty());
}

TEST_F(ConnectionTests, TheNetworkTestLogsInWithTheAdapterAndReadsTheFirmwareVersion)
{
    unit.setRecord(0xF7, bytesOf({35}));
    test.testNetwork({false, QString(), 0x7F000001, unit.tcpPort()});
    ASSERT_TRUE(EventPump::waitUntil([&] { return !prompts.shown().isEmpty(); }));
    EXPECT_EQ(prompts.texts(), QStringList{"TCIP communication: Success!"});
    EXPECT_EQ(told, (QStringList{"v0", "Testing...", "...", "SENT PASSWORD",
                                 "Network Interface version: 1.2", "PASSWORD CONFIRMED", "v3.5"}));
    EXPECT_EQ(unit.frames(), QList<QByteArray>{bytesOf({0x81, 0xF7, 0x01, 0x86})});
    EXPECT_EQ(link.GetState(), LINK_IDLE);
}

TEST_F(ConnectionTests, ANetworkTestThatCannotConnectSaysWhyOnceAndLeavesNoTestingBehind)
{
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const quint16 refusing = closed.serverPort();
    closed.close();
    const QString refused = QStringLiteral("Connection to 127.0.0.1:%1 refused.").arg(refusing);
    const std::tuple<ConnectionTest::Adapter, QString, QStringList> cases[] = {
        {{true, QString(), 0x7F000001, unit.tcpPort()},
         "The NetBIOS name is blank. Please try again.",
         {}},
        {{false, "localhost", std::nullopt, unit.tcpPort()},
         "The IP Address is incorrect. Please try again.",
         {}},
        {{true, "127.0.0.1", std::nullopt, refusing}, refused, {refused}},
    };
    for (const auto& [adapter, shown, status] : cases) {
        SCOPED_TRACE(shown.toStdString());
        told.clear();
        prompts.clear();
        test.testNetwork(adapter);
        ASSERT_TRUE(EventPump::waitUntil([&] { return !prompts.shown().isEmpty(); }));
        EventPump::deliverPosted();
        ASSERT_EQ(prompts.shown().size(), 1);
        EXPECT_EQ(prompts.lastText(), shown);
        EXPECT_EQ(told, QStringList({"v0", "Testing...", "..."}) + status);
    }
    EXPECT_EQ(unit.connectionsMade(), 0);
}
