#include "config/Settings.h"
#include "link/CUnitLink.h"
#include "link/ui/COptionsPgCommunications.h"
#include "shell/CColorStatic.h"
#include "shell/CIpAddressCtrl.h"
#include "tests/support/EventPump.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/ScriptedSerialUnit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString BlankName = QStringLiteral("The NetBIOS name is blank. Please try again.");
const QString InvalidAddress = QStringLiteral("The IP Address is invalid. Please try again.");
const QString IncorrectAddress = QStringLiteral("The IP Address is incorrect. Please try again.");
const QColor Black(0, 0, 0);
const QColor DarkGreen(0, 128, 0);
const QColor Red(255, 0, 0);

// Frames and answers restated from the protocol.
const QByteArray SerialTestFrame("\x81\x0F\x04\x6B", 4);
const QByteArray LoginCode("\x5A\x54\x56\x2D\x4C\x4E\x4B\x31", 8);
const QByteArray TcpVersionFrame("\x00\x81\xF7\x01\x86", 5);

QByteArray withChecksum(QByteArray data)
{
    unsigned char sum = 0;
    for (char c : data)
        sum = static_cast<unsigned char>(sum + static_cast<unsigned char>(c));
    data.append(static_cast<char>(0xFF - sum));
    return data;
}

QStringList itemTexts(const QComboBox* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->itemText(i);
    return texts;
}

class CommunicationsPage : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(aliases.isValid());
        page.setPortLister([this] { return ports; });
    }
    void open() { page.loadSettings(settings); }
    bool ok()
    {
        result = settings;
        return page.applySettings(result);
    }
    // A COM number for the device, as the user's alias folder gives it.
    void alias(int number, const QString& device)
    {
        ASSERT_TRUE(QFile::link(device, aliases.filePath(QStringLiteral("COM%1").arg(number))));
        ports.append(ComPort{number, device});
    }

    QTemporaryDir aliases;
    QList<ComPort> ports;
    ScriptedPrompt prompts;
    CUnitLink link{prompts, ComPortDirectory(aliases.path())};
    COptionsPgCommunications page{link, prompts};
    Settings settings;
    Settings result;
};

// The unit's network adapter: greets every connection, confirms the login code and answers
// the firmware-version READ.
class ScriptedAdapter {
public:
    explicit ScriptedAdapter(QHostAddress address = QHostAddress::LocalHost)
    {
        listening = server.listen(address);
        QObject::connect(&server, &QTcpServer::newConnection, [this] { accept(); });
    }
    quint16 port() const { return server.serverPort(); }

    QTcpServer server;
    bool listening = false;
    int connections = 0;
    QByteArray received;
    std::uint8_t interfaceVersion = 12;
    std::uint8_t firmwareByte = 35;
    // Cleared: the login code gets no answer until confirmLogin() is called.
    bool confirmsAtOnce = true;

    void confirmLogin() { write(QByteArray(1, '\0')); }

private:
    void write(const QByteArray& bytes)
    {
        if (socket_)
            socket_->write(bytes);
    }
    void accept()
    {
        QTcpSocket* socket = server.nextPendingConnection();
        socket_ = socket;
        ++connections;
        QObject::connect(socket, &QTcpSocket::readyRead, [this, socket] {
            received += socket->readAll();
            answer(socket);
        });
        QByteArray greeting(1, static_cast<char>(interfaceVersion));
        greeting.append("\x01\x02\x03\x04\x05\x06\x07\x08", 8);
        socket->write(greeting);
    }
    void answer(QTcpSocket* socket)
    {
        if (received.endsWith(LoginCode) && confirmsAtOnce)
            socket->write(QByteArray(1, '\0'));
        else if (received.endsWith(TcpVersionFrame))
            socket->write(withChecksum(QByteArray(1, '\0') + char(firmwareByte)));
    }

    QPointer<QTcpSocket> socket_;
};

} // namespace

TEST_F(CommunicationsPage, PortListIsSortedByTextAndStoresTheNumberOfTheChosenEntry)
{
    ports = {ComPort{2, QStringLiteral("/dev/ttyS1")}, ComPort{3, QStringLiteral("/dev/ttyS2")},
             ComPort{10, QStringLiteral("/dev/ttyS9")}};
    settings.comPort = 2;
    open();
    EXPECT_EQ(itemTexts(page.portList()), (QStringList{"Com 10", "Com 2", "Com 3"}));
    EXPECT_EQ(page.portList()->currentText(), QStringLiteral("Com 2"));
    EXPECT_EQ(page.portDevice()->text(), QStringLiteral("/dev/ttyS1"));

    page.portList()->setCurrentIndex(0);
    EXPECT_EQ(page.portDevice()->text(), QStringLiteral("/dev/ttyS9"));
    ASSERT_TRUE(ok());
    EXPECT_EQ(result.comPort, 10);
}

TEST_F(CommunicationsPage, APortThatIsNotListedLeavesNoEntrySelectedAndStoresZero)
{
    ports = {ComPort{1, QStringLiteral("/dev/ttyS0")}};
    settings.comPort = 4;
    open();
    EXPECT_EQ(page.portList()->currentIndex(), -1);
    ASSERT_TRUE(ok());
    EXPECT_EQ(result.comPort, 0);
}

TEST_F(CommunicationsPage, TheSerialLayoutDisablesEveryNetworkControl)
{
    settings.portType = PORT_SERIAL;
    open();
    EXPECT_TRUE(page.serialButton()->isChecked());
    EXPECT_TRUE(page.serialGroup()->isEnabled());
    EXPECT_TRUE(page.portList()->isEnabled());
    EXPECT_TRUE(page.serialTestButton()->isEnabled());
    for (QWidget* control : std::initializer_list<QWidget*>{
             page.defaultsButton(), page.nameButton(), page.addressButton(), page.nameField(),
             page.addressControl(), page.tcpPortField(), page.tcpPortLabel(),
             page.networkTestButton(), page.networkStatus(), page.passwordBox(),
             page.passwordField()})
        EXPECT_FALSE(control->isEnabled()) << control->metaObject()->className();
    EXPECT_EQ(page.serialStatus()->text(), QStringLiteral("status"));
    EXPECT_EQ(page.interfaceVersion()->text(), QStringLiteral("---"));
    EXPECT_EQ(page.firmwareValue()->text(), QStringLiteral("- - - -"));
    EXPECT_FALSE(page.firmwareValue()->isEnabled());
}

TEST_F(CommunicationsPage, TheNetworkLayoutEnablesTheChosenWayToTheAdapter)
{
    settings.portType = PORT_TCP;
    settings.useNetBios = 1;
    open();
    EXPECT_TRUE(page.networkButton()->isChecked());
    EXPECT_FALSE(page.serialGroup()->isEnabled());
    EXPECT_FALSE(page.portList()->isEnabled());
    EXPECT_FALSE(page.serialTestButton()->isEnabled());
    EXPECT_TRUE(page.networkTestButton()->isEnabled());
    EXPECT_TRUE(page.nameField()->isEnabled());
    EXPECT_FALSE(page.addressControl()->isEnabled());
    EXPECT_FALSE(page.passwordField()->isEnabled());

    page.addressButton()->click();
    EXPECT_FALSE(page.nameField()->isEnabled());
    EXPECT_TRUE(page.addressControl()->isEnabled());

    page.serialButton()->click();
    EXPECT_TRUE(page.serialGroup()->isEnabled());
    EXPECT_FALSE(page.addressControl()->isEnabled());
    ASSERT_TRUE(ok());
    EXPECT_EQ(result.portType, PORT_SERIAL);
    EXPECT_EQ(result.useNetBios, 0);
}

TEST_F(CommunicationsPage, AutomaticSearchDisablesThePortList)
{
    settings.autoPollSerialPort = 1;
    open();
    EXPECT_FALSE(page.portList()->isEnabled());
    page.autoSearchBox()->click();
    EXPECT_TRUE(page.portList()->isEnabled());
    ASSERT_TRUE(ok());
    EXPECT_EQ(result.autoPollSerialPort, 0);
}

TEST_F(CommunicationsPage, DefaultValuesSetTheAdaptersNameAndPortOnly)
{
    ports = {ComPort{3, QStringLiteral("/dev/ttyS2")}};
    settings.portType = PORT_TCP;
    settings.comPort = 3;
    settings.useNetBios = 0;
    settings.ipAddress = 0xC0A80105; // 192.168.1.5
    settings.netBiosName = QStringLiteral("SHED");
    settings.listenPort = 4000;
    open();
    page.defaultsButton()->click();
    EXPECT_TRUE(page.nameButton()->isChecked());
    EXPECT_EQ(page.nameField()->text(), QStringLiteral("ZELTRAVANIC1"));
    EXPECT_EQ(page.tcpPortField()->text(), QStringLiteral("1701"));
    EXPECT_TRUE(page.nameField()->isEnabled());
    EXPECT_FALSE(page.addressControl()->isEnabled());

    ASSERT_TRUE(ok());
    EXPECT_EQ(result.portType, PORT_TCP);
    EXPECT_EQ(result.comPort, 3);
    EXPECT_EQ(result.ipAddress, 0xC0A80105u);
    EXPECT_EQ(result.useNetBios, 1);
    EXPECT_EQ(result.netBiosName, QStringLiteral("ZELTRAVANIC1"));
    EXPECT_EQ(result.listenPort, 1701u);
}

TEST_F(CommunicationsPage, TheAddressControlShowsTheHighByteFirst)
{
    settings.portType = PORT_TCP;
    settings.useNetBios = 0;
    settings.ipAddress = 0xC0A80105;
    open();
    QStringList fields;
    for (int i = 0; i < 4; ++i)
        fields << page.addressControl()->field(i)->text();
    EXPECT_EQ(fields, (QStringList{"192", "168", "1", "5"}));

    page.addressControl()->field(3)->setText(QStringLiteral("10"));
    ASSERT_TRUE(ok());
    EXPECT_EQ(static_cast<std::int32_t>(result.ipAddress), -1062731510);
}

TEST_F(CommunicationsPage, OkRefusesABlankNameAndAnIncompleteAddress)
{
    settings.portType = PORT_TCP;
    open();
    page.nameField()->clear();
    EXPECT_FALSE(ok());
    EXPECT_EQ(prompts.texts(), QStringList{BlankName});

    prompts.clear();
    page.addressButton()->click();
    page.addressControl()->field(2)->clear();
    EXPECT_FALSE(ok());
    EXPECT_EQ(prompts.texts(), QStringList{InvalidAddress});

    prompts.clear();
    page.addressControl()->field(2)->setText(QStringLiteral("7"));
    EXPECT_TRUE(ok());
    EXPECT_TRUE(prompts.shown().isEmpty());
}

TEST_F(CommunicationsPage, TheNameFieldTakesFifteenCharacters)
{
    open();
    page.nameField()->setText(QStringLiteral("ABCDEFGHIJKLMNOPQRS"));
    EXPECT_EQ(page.nameField()->text(), QStringLiteral("ABCDEFGHIJKLMNO"));
}

TEST_F(CommunicationsPage, NetworkTestRefusesABlankNameOrIncompleteAddressWithoutConnecting)
{
    ScriptedAdapter adapter;
    ASSERT_TRUE(adapter.listening);
    settings.portType = PORT_TCP;
    settings.listenPort = adapter.port();
    settings.netBiosName = QString();
    open();
    page.TestTcp();
    EXPECT_EQ(prompts.texts(), QStringList{BlankName});
    EXPECT_EQ(page.networkStatus()->text(), QStringLiteral("Testing..."));
    EXPECT_EQ(page.interfaceVersion()->text(), QStringLiteral("..."));

    prompts.clear();
    page.addressButton()->click();
    page.addressControl()->ClearAddress();
    page.TestTcp();
    EXPECT_EQ(prompts.texts(), QStringList{IncorrectAddress});
    EventPump::deliverPosted();
    EXPECT_EQ(adapter.connections, 0);
    EXPECT_EQ(link.GetState(), LINK_CLOSED);
}

TEST_F(CommunicationsPage, NetworkTestLogsInAndReadsTheFirmwareVersion)
{
    ScriptedAdapter adapter;
    ASSERT_TRUE(adapter.listening);
    settings.portType = PORT_TCP;
    settings.useNetBios = 0;
    settings.ipAddress = 0x7F000001; // 127.0.0.1
    settings.listenPort = adapter.port();
    open();
    page.TestTcp();
    EXPECT_NE(link.GetOwner(), nullptr);
    EXPECT_EQ(link.GetPortType(), PORT_TCP);

    ASSERT_TRUE(EventPump::waitUntil([&] { return !prompts.shown().isEmpty(); }));
    EXPECT_EQ(prompts.texts(), QStringList{QStringLiteral("TCIP communication: Success!")});
    EXPECT_EQ(adapter.received, LoginCode + TcpVersionFrame);
    EXPECT_EQ(page.networkStatus()->text(), QStringLiteral("PASSWORD CONFIRMED"));
    EXPECT_EQ(page.interfaceVersion()->text(), QStringLiteral("Network Interface version: 1.2"));

    EXPECT_EQ(page.firmwareValue()->text(), QStringLiteral("3.5"));
    EXPECT_TRUE(page.firmwareValue()->isEnabled());
    EXPECT_TRUE(page.firmwareLabel()->isEnabled());
    EXPECT_EQ(link.GetState(), LINK_IDLE);

    // A second test starts again from a hidden firmware field.
    page.addressButton()->click();
    page.addressControl()->field(0)->clear();
    page.TestTcp();
    EXPECT_EQ(page.firmwareValue()->text(), QStringLiteral("0.0"));
    EXPECT_FALSE(page.firmwareValue()->isEnabled());
}

TEST_F(CommunicationsPage, NetworkTestShowsTheStepsOfTheLoginAsTheyComeByName)
{
    ScriptedAdapter adapter(QHostAddress::Any);
    ASSERT_TRUE(adapter.listening);
    adapter.interfaceVersion = 7;
    adapter.firmwareByte = 50; // not a known version: shown as 1.0
    adapter.confirmsAtOnce = false;
    settings.portType = PORT_TCP;
    settings.useNetBios = 1;
    settings.netBiosName = QStringLiteral("localhost");
    settings.listenPort = adapter.port();
    open();
    page.TestTcp();
    ASSERT_TRUE(EventPump::waitUntil(
        [&] { return page.networkStatus()->text() == QStringLiteral("SENT PASSWORD"); }));
    EXPECT_EQ(page.interfaceVersion()->text(), QStringLiteral("Network Interface version: 0.7"));
    ASSERT_TRUE(EventPump::waitUntil([&] { return adapter.received.size() >= 8; }));
    EXPECT_EQ(adapter.received, LoginCode);
    EXPECT_EQ(link.GetState(), LINK_CONNECTING);
    EXPECT_TRUE(prompts.shown().isEmpty());

    adapter.confirmLogin();
    ASSERT_TRUE(EventPump::waitUntil([&] { return !prompts.shown().isEmpty(); }));
    EXPECT_EQ(page.firmwareValue()->text(), QStringLiteral("1.0"));
}

TEST_F(CommunicationsPage, ARefusedConnectionIsReportedByTheLinkAndTheFieldsKeepTheirText)
{
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    settings.portType = PORT_TCP;
    settings.useNetBios = 0;
    settings.ipAddress = 0x7F000001;
    settings.listenPort = closed.serverPort();
    closed.close();
    open();
    page.TestTcp();
    ASSERT_TRUE(EventPump::waitUntil([&] { return link.GetState() == LINK_ERROR; }));
    EventPump::deliverPosted();
    ASSERT_EQ(prompts.shown().size(), 1);
    EXPECT_EQ(prompts.shown().first().title, QStringLiteral("Socket Error"));
    EXPECT_EQ(page.networkStatus()->text(), QStringLiteral("Testing..."));
    EXPECT_EQ(page.interfaceVersion()->text(), QStringLiteral("..."));
    EXPECT_FALSE(page.firmwareValue()->isEnabled());
}

TEST_F(CommunicationsPage, SerialTestFindsTheUnitOnTheChosenPort)
{
    ScriptedSerialUnit unit;
    ASSERT_TRUE(unit.isOpen());
    unit.respondWith([](const QByteArray&) { return withChecksum("\x01\x02\x03\x04"); });
    alias(1, QStringLiteral("/dev/null-unused"));
    alias(7, unit.devicePath());
    settings.comPort = 1;
    open();
    const SerialTimeouts edited{500, 5, 800, 5, 800};
    page.setTimeoutSource([edited] { return edited; });
    page.portList()->setCurrentIndex(page.portList()->findText(QStringLiteral("Com 7")));

    page.TestSerial();
    EXPECT_EQ(page.serialStatus()->text(), QStringLiteral("Searching for CW Unit..."));
    EventPump::deliverPosted();
    EXPECT_EQ(page.serialStatus()->text(), QStringLiteral("CW Unit found on Com 7"));
    EXPECT_EQ(page.serialStatus()->textColor(), DarkGreen);
    EXPECT_EQ(unit.frames(), QList<QByteArray>{SerialTestFrame});
    EXPECT_EQ(link.GetComPort(), 7);
    EXPECT_EQ(link.GetSerialTimeouts(), edited);
    EXPECT_NE(link.GetOwner(), nullptr);
    EXPECT_TRUE(prompts.shown().isEmpty());
    // The serial test does not read the firmware version.
    EXPECT_EQ(page.firmwareValue()->text(), QStringLiteral("0.0"));
}

TEST_F(CommunicationsPage, ASerialTestWithoutAnAnswerLeavesTheSearchingText)
{
    ScriptedSerialUnit unit;
    ASSERT_TRUE(unit.isOpen());
    alias(4, unit.devicePath());
    settings.comPort = 4;
    open();
    page.setTimeoutSource([] { return SerialTimeouts{100, 1, 100, 10, 500}; });
    page.TestSerial();
    EventPump::deliverPosted();
    EXPECT_EQ(page.serialStatus()->text(), QStringLiteral("Searching for CW Unit..."));
    EXPECT_EQ(page.serialStatus()->textColor(), Black);
    EXPECT_EQ(unit.frames(), QList<QByteArray>{SerialTestFrame});
}

TEST_F(CommunicationsPage, ASerialTestOnAPortThatCannotOpenIsReportedByTheLink)
{
    ports = {ComPort{9, QString()}};
    settings.comPort = 9;
    open();
    page.TestSerial();
    EventPump::deliverPosted();
    ASSERT_EQ(prompts.shown().size(), 1);
    EXPECT_TRUE(prompts.lastText().startsWith(QStringLiteral("Error opening serial port COM9")));
    EXPECT_EQ(page.serialStatus()->text(), QStringLiteral("Searching for CW Unit..."));
}

TEST_F(CommunicationsPage, SerialTestWithAutomaticSearchSelectsThePortThatAnswers)
{
    ScriptedSerialUnit silent;
    ScriptedSerialUnit unit;
    ASSERT_TRUE(silent.isOpen() && unit.isOpen());
    unit.respondWith([](const QByteArray&) { return withChecksum("\x01\x02\x03\x04"); });
    ports = {ComPort{2, silent.devicePath()}, ComPort{12, unit.devicePath()}};
    settings.comPort = 2;
    settings.autoPollSerialPort = 1;
    open();
    // Ports appear while the sheet is open: the search lists them again.
    ports.append(ComPort{30, QStringLiteral("/dev/gone")});

    page.TestSerial();
    EXPECT_EQ(page.serialStatus()->text(), QStringLiteral("CW Unit found on Com 12"));
    EXPECT_EQ(page.serialStatus()->textColor(), DarkGreen);
    EXPECT_EQ(itemTexts(page.portList()), (QStringList{"Com 12", "Com 2", "Com 30"}));
    EXPECT_EQ(page.portList()->currentText(), QStringLiteral("Com 12"));
    EXPECT_EQ(page.currentComPort(), 12);
    EXPECT_EQ(link.GetComPort(), 12);
    EXPECT_EQ(silent.frames(), QList<QByteArray>{SerialTestFrame});
    EXPECT_EQ(unit.frames(), QList<QByteArray>{SerialTestFrame});
    ASSERT_TRUE(ok());
    EXPECT_EQ(result.comPort, 12);
}

TEST_F(CommunicationsPage, AFailedSearchLeavesTheLastListedPortAsThePagesPort)
{
    ScriptedSerialUnit silent;
    ASSERT_TRUE(silent.isOpen());
    // Three bytes are a unit for the main window's search, not for this page's.
    silent.respondWith([](const QByteArray&) { return QByteArray("\x01\x02\x03", 3); });
    ports = {ComPort{5, QStringLiteral("/dev/gone")}, ComPort{6, silent.devicePath()}};
    settings.comPort = 5;
    settings.autoPollSerialPort = 1;
    open();
    page.TestSerial();
    EXPECT_EQ(page.serialStatus()->text(), QStringLiteral("No CW Unit found."));
    EXPECT_EQ(page.serialStatus()->textColor(), Red);
    EXPECT_EQ(page.currentComPort(), 6);
    EXPECT_EQ(page.portList()->currentText(), QStringLiteral("Com 5"));
    EXPECT_TRUE(prompts.shown().isEmpty());
}
