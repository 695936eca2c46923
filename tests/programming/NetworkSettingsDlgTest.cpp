#include "link/CUnitLink.h"
#include "link/LinkRequest.h"
#include "programming/ParameterSession.h"
#include "programming/ParameterTable.h"
#include "programming/ui/CFilterTimeDlg.h"
#include "programming/ui/CNetworkSettingsDlg.h"
#include "shell/CIpAddressCtrl.h"
#include "tests/programming/MenuStandIn.h"
#include "tests/programming/RecordUnit.h"
#include "tests/programming/TestBytes.h"
#include "tests/support/EventPump.h"
#include "tests/support/ScriptedPrompt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <gtest/gtest.h>

namespace {

constexpr int LOGIN_CODE_SIZE = 8;
constexpr int P16 = 9;
constexpr int NETWORK_A = 30;
constexpr std::uint16_t PARAMETER_KIND = 17;
const QString BAD_MASK = QStringLiteral("The Subnet Mask is invalid. Please try again.");

QString addressText(const CIpAddressCtrl& control)
{
    QStringList fields;
    for (int i = 0; i < 4; ++i)
        fields.append(control.field(i)->text());
    return fields.join(QLatin1Char('.'));
}

void typeAddress(CIpAddressCtrl& control, const QString& dotted)
{
    const QStringList fields = dotted.split(QLatin1Char('.'));
    for (int i = 0; i < 4; ++i)
        control.field(i)->setText(fields[i]);
}

// The unit's network adapter on a local TCP port: greets, takes the login code, then answers
// from its record store unless told to hold its replies.
class NetworkSettingsDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            adapter = server.nextPendingConnection();
            QObject::connect(adapter, &QTcpSocket::readyRead, [this] { take(adapter->readAll()); });
            send(bytes({12, 1, 2, 3, 4, 5, 6, 7, 8}));
        });
        link.SetOwner(&menu);
        link.SetPortType(PORT_TCP);
        link.SetHost(QStringLiteral("127.0.0.1"), server.serverPort());
        ASSERT_EQ(link.Open(), 1);
        ASSERT_TRUE(EventPump::waitUntil([&] { return link.GetState() == LINK_IDLE; }));
        menu.clear();

        unit.setRecord(0x90, bytes({0x81, 192, 168, 1, 20, 192, 168, 1, 1, 8, 192, 168, 1, 2}));
        unit.setRecord(0x91, bytes({8, 8, 4, 4, 0xA5, 0x06}));
        unit.setRecord(0x92, QByteArray("SHED\0\0\0\0\0\0\0\0\0\0\0\0", 16));
        unit.setRecord(0x93, QByteArray(16, '\x33'));
    }

    void take(const QByteArray& received)
    {
        pending += received;
        if (!loggedIn) {
            if (pending.size() < LOGIN_CODE_SIZE)
                return;
            pending.remove(0, LOGIN_CODE_SIZE);
            loggedIn = true;
            send(bytes({0x00}));
        }
        const QByteArray replies = unit.answerTcp(pending);
        if (!holdReplies)
            send(replies);
    }

    void send(const QByteArray& data)
    {
        if (data.isEmpty())
            return;
        adapter->write(data);
        adapter->flush();
    }

    void openAndRead(CParameterDlg& dialog)
    {
        dialog.show();
        ASSERT_TRUE(EventPump::waitUntil([&] { return dialog.hasRead(); }));
    }

    std::array<CProgramData*, 4> networkRecords()
    {
        return {&table.slot(NETWORK_A), &table.slot(NETWORK_A + 1), &table.slot(NETWORK_A + 2),
                &table.slot(NETWORK_A + 3)};
    }

    RecordUnit unit;
    QTcpServer server;
    QPointer<QTcpSocket> adapter;
    QByteArray pending;
    bool loggedIn = false;
    bool holdReplies = false;
    ScriptedPrompt prompts;
    CUnitLink link{prompts, ComPortDirectory()};
    MenuStandIn menu{link, prompts};
    ParameterTable table;
};

} // namespace

TEST_F(NetworkSettingsDialog, ReadsTheFourBlocksInTurnAndShowsTheSettings)
{
    CNetworkSettingsDlg dialog(link, prompts, networkRecords(), &menu);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Network Settings"));
    EXPECT_EQ(dialog.okButton()->text(), QStringLiteral("Ok"));
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    EXPECT_FALSE(dialog.passwordField()->isEnabled());
    EXPECT_FALSE(dialog.passwordBox()->isEnabled());
    openAndRead(dialog);

    const auto requests = unit.requests();
    ASSERT_EQ(requests.size(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(requests[i].address, 0x90 + i);
    EXPECT_TRUE(dialog.dhcpBox()->isChecked());
    EXPECT_EQ(addressText(*dialog.addressControl(CNetworkSettingsDlg::IP_ADDRESS)),
              QStringLiteral("192.168.1.20"));
    EXPECT_EQ(addressText(*dialog.addressControl(CNetworkSettingsDlg::GATEWAY)),
              QStringLiteral("192.168.1.1"));
    EXPECT_EQ(addressText(*dialog.addressControl(CNetworkSettingsDlg::SUBNET_MASK)),
              QStringLiteral("255.255.255.0"));
    EXPECT_EQ(addressText(*dialog.addressControl(CNetworkSettingsDlg::PRIMARY_DNS)),
              QStringLiteral("192.168.1.2"));
    EXPECT_EQ(addressText(*dialog.addressControl(CNetworkSettingsDlg::SECONDARY_DNS)),
              QStringLiteral("8.8.4.4"));
    EXPECT_EQ(dialog.portField()->text(), QStringLiteral("1701"));
    EXPECT_EQ(dialog.nameField()->text(), QStringLiteral("SHED"));
    EXPECT_TRUE(dialog.okButton()->isEnabled());
}

TEST_F(NetworkSettingsDialog, OkWritesTheBlocksEachAfterTheLastAcknowledgementAndClosesOnTheThird)
{
    CNetworkSettingsDlg dialog(link, prompts, networkRecords(), &menu);
    openAndRead(dialog);
    dialog.dhcpBox()->click();
    typeAddress(*dialog.addressControl(CNetworkSettingsDlg::SUBNET_MASK),
                QStringLiteral("255.255.0.0"));
    dialog.portField()->setText(QStringLiteral("70000"));
    dialog.nameField()->setText(QStringLiteral("BARN_WITH_A_LONG_NAME"));
    dialog.okButton()->click();
    EXPECT_TRUE(dialog.isVisible());

    ASSERT_TRUE(EventPump::waitUntil([&] { return !dialog.isVisible(); }));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    ASSERT_TRUE(EventPump::waitUntil([&] { return menu.verdicts().size() == 1; }));
    EXPECT_EQ(menu.verdicts(),
              QList<WriteAcknowledgement::Verdict>{WriteAcknowledgement::Verdict::Matches})
        << "block D's acknowledgement goes to the menu";

    const auto writes = unit.writes();
    ASSERT_EQ(writes.size(), 4);
    EXPECT_EQ(writes[0].data, bytes({0x80, 192, 168, 1, 20, 192, 168, 1, 1, 16, 192, 168, 1, 2}));
    EXPECT_EQ(writes[1].data, bytes({8, 8, 4, 4, 0x70, 0x11})) << "port 70000 keeps 4464";
    EXPECT_EQ(writes[2].data, QByteArray("BARN_WITH_A_LON\0", 16));
    EXPECT_EQ(writes[3].data, QByteArray(16, '\0'));
    EXPECT_EQ(table.slot(NETWORK_A).value(), writes[0].data.left(13)) << "cut to the cache";
    EXPECT_EQ(table.slot(NETWORK_A + 2).value(), writes[2].data.left(13));
    EXPECT_TRUE(prompts.shown().isEmpty());
}

TEST_F(NetworkSettingsDialog, AMaskWithABrokenRunOfOnesIsRefused)
{
    CNetworkSettingsDlg dialog(link, prompts, networkRecords(), &menu);
    openAndRead(dialog);
    typeAddress(*dialog.addressControl(CNetworkSettingsDlg::SUBNET_MASK),
                QStringLiteral("255.0.255.0"));
    dialog.okButton()->click();
    EventPump::deliverPosted();
    EXPECT_EQ(prompts.texts(), QStringList{BAD_MASK});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(unit.writes().isEmpty());
}

TEST_F(NetworkSettingsDialog, AnAllZeroMaskIsStoredAs32HostBits)
{
    CNetworkSettingsDlg dialog(link, prompts, networkRecords(), &menu);
    openAndRead(dialog);
    typeAddress(*dialog.addressControl(CNetworkSettingsDlg::SUBNET_MASK),
                QStringLiteral("0.0.0.0"));
    dialog.okButton()->click();
    ASSERT_TRUE(EventPump::waitUntil([&] { return unit.writes().size() == 4; }));
    EXPECT_EQ(unit.writes()[0].data.at(9), 32);
}

TEST_F(NetworkSettingsDialog, DefaultValuesFillTheControlsAndSendNothing)
{
    CNetworkSettingsDlg dialog(link, prompts, networkRecords(), &menu);
    openAndRead(dialog);
    dialog.dhcpBox()->setChecked(false);
    dialog.defaultsButton()->click();
    EventPump::deliverPosted();
    EXPECT_TRUE(dialog.dhcpBox()->isChecked());
    EXPECT_EQ(addressText(*dialog.addressControl(CNetworkSettingsDlg::IP_ADDRESS)),
              QStringLiteral("0.0.0.0"));
    EXPECT_EQ(addressText(*dialog.addressControl(CNetworkSettingsDlg::SECONDARY_DNS)),
              QStringLiteral("0.0.0.0"));
    EXPECT_EQ(addressText(*dialog.addressControl(CNetworkSettingsDlg::SUBNET_MASK)),
              QStringLiteral("255.255.0.0"));
    EXPECT_EQ(dialog.portField()->text(), QStringLiteral("1701"));
    EXPECT_EQ(dialog.nameField()->text(), QStringLiteral("ZELTRAVANIC1"));
    EXPECT_TRUE(unit.writes().isEmpty());
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(NetworkSettingsDialog, ABadAcknowledgementShows2601AndStopsTheWriting)
{
    CNetworkSettingsDlg dialog(link, prompts, networkRecords(), &menu);
    openAndRead(dialog);
    unit.spoilAcknowledgements(1);
    dialog.okButton()->click();
    ASSERT_TRUE(EventPump::waitUntil([&] { return !prompts.shown().isEmpty(); }));
    EventPump::deliverPosted();
    EXPECT_EQ(prompts.texts(),
              QStringList{QStringLiteral("Error: Received bad checksum on Seriel Port.")});
    EXPECT_EQ(unit.writes().size(), 1);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.okButton()->isEnabled());
}

TEST_F(NetworkSettingsDialog, CancelAfterASuccessfulReadWritesNothing)
{
    CNetworkSettingsDlg dialog(link, prompts, networkRecords(), &menu);
    openAndRead(dialog);
    dialog.nameField()->setText(QStringLiteral("OTHER"));
    dialog.cancelButton()->click();
    EventPump::deliverPosted();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(unit.writes().isEmpty());
}

TEST_F(NetworkSettingsDialog, AReplyOfAnotherLengthIsIgnoredAndTheReadingStops)
{
    holdReplies = true;
    CNetworkSettingsDlg dialog(link, prompts, networkRecords(), &menu);
    dialog.show();
    ASSERT_TRUE(EventPump::waitUntil([&] { return unit.requests().size() == 1; }));
    auto* session = dialog.findChild<ParameterSession*>();
    ASSERT_NE(session, nullptr);
    QByteArray shortBlock = bytes({0x01, 10, 0, 0, 7});
    LinkRequest request;
    request.kind = PARAMETER_KIND;
    request.tag = 1;
    request.data = reinterpret_cast<std::uint8_t*>(shortBlock.data());
    session->dispatchLinkMessage(WM_LINK_TCPREPLY, static_cast<int>(shortBlock.size()), &request);
    EventPump::deliverPosted();

    EXPECT_EQ(unit.requests().size(), 1);
    EXPECT_FALSE(dialog.dhcpBox()->isChecked());
    EXPECT_EQ(addressText(*dialog.addressControl(CNetworkSettingsDlg::IP_ADDRESS)),
              QStringLiteral("..."));
    EXPECT_FALSE(dialog.okButton()->isEnabled());
}

TEST_F(NetworkSettingsDialog, AParameterDialogWorksTheSameThroughTheAdapter)
{
    unit.setRecord(0xF3, bytes({0x01}));
    CFilterTimeDlg dialog(link, prompts, table.slot(P16), &menu);
    openAndRead(dialog);
    EXPECT_EQ(dialog.minutesList()->currentText(), QStringLiteral("0.5"));
    dialog.minutesList()->setCurrentIndex(0);
    dialog.okButton()->click();
    ASSERT_TRUE(EventPump::waitUntil([&] { return menu.verdicts().size() == 1; }));
    EXPECT_EQ(unit.record(0xF3), bytes({0x00}));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}
