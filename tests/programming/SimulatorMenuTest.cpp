#include "link/CUnitLink.h"
#include "programming/ui/CBatteryCapacityDlg.h"
#include "programming/ui/CNetworkSettingsDlg.h"
#include "programming/ui/CPeriodicLogDlg.h"
#include "programming/ui/CProgramModesMenu.h"
#include "programming/ui/CRelayDlg.h"
#include "programming/ui/CResetDataDlg.h"
#include "programming/ui/CSwitchItemsDlg.h"
#include "programming/ui/CTimeDayDlg.h"
#include "shell/CIpAddressCtrl.h"
#include "simulator/FaultPlan.h"
#include "simulator/SimulatedUnit.h"
#include "simulator/TcpEndpoint.h"
#include "tests/programming/ModalDriver.h"
#include "tests/programming/TestBytes.h"
#include "tests/support/EventPump.h"
#include "tests/support/ScriptedPrompt.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <gtest/gtest.h>

namespace {

QStringList itemNames()
{
    QStringList names{QStringLiteral("None")};
    for (int item = 1; item <= 40; ++item)
        names.append(QStringLiteral("AD%1").arg(item));
    return names;
}

// The Program Modes menu against the simulated unit in this process, over its network adapter;
// the menu owns the link from the connection on, so it also logs in.
class ProgrammingTheSimulator : public ::testing::Test {
protected:
    void SetUp() override
    {
        QString error;
        ASSERT_TRUE(adapter.listen(0, &error)) << error.toStdString();
        link.SetPortType(PORT_TCP);
        link.SetHost(QStringLiteral("127.0.0.1"), adapter.port());
        menu.show();
        ASSERT_EQ(link.Open(), 1);
        ASSERT_TRUE(EventPump::waitUntil([this] { return link.GetState() == LINK_IDLE; }));
    }

    void TearDown() override { link.Close(); }

    // Opens the group's dialog from the menu, waits for its records, runs action in it.
    template <typename Dialog>
    void program(const QString& caption, const std::function<void(Dialog&)>& action)
    {
        whenModal<Dialog>([action](Dialog& dialog) {
            ASSERT_TRUE(EventPump::waitUntil([&] { return dialog.hasRead(); }));
            action(dialog);
        });
        menu.button(caption)->click();
    }

    // Waits for the menu to have checked the unit's acknowledgement of one more write, so that
    // it cannot run into the next dialog's read.
    bool menuAcknowledged()
    {
        const int expected = ++acknowledgementsExpected;
        return EventPump::waitUntil([&] { return menu.acknowledgementsChecked() == expected; });
    }

    bool unitHas(std::uint8_t address, const QByteArray& bytes)
    {
        return unit.read(address, static_cast<int>(bytes.size())) == bytes;
    }

    int acknowledgementsExpected = 0;

    SimulatedUnit unit{5, 13 * 60 + 47};
    FaultPlan faults;
    TcpEndpoint adapter{unit, faults, SessionSettings{}};
    ScriptedPrompt prompts;
    CUnitLink link{prompts, ComPortDirectory()};
    CProgramModesMenu menu{link, itemNames(), 200, 100, QStringLiteral("Battery 2"), 2.5f, prompts};
};

} // namespace

TEST_F(ProgrammingTheSimulator, EachKindOfDialogChangesTheUnitsRecords)
{
    program<CBatteryCapacityDlg>(
        QStringLiteral("P14: Batt1 Enable/Capacity"), [](CBatteryCapacityDlg& dialog) {
            EXPECT_EQ(dialog.ampHoursEdit()->text(), QStringLiteral("200"));
            dialog.ampHoursEdit()->setText(QStringLiteral("250"));
            dialog.okButton()->click();
        });
    ASSERT_TRUE(menuAcknowledged());
    EXPECT_TRUE(unitHas(0xF2, bytes({250, 0})));
    EXPECT_EQ(menu.handBack().battery1Capacity, 250);

    program<CRelayDlg>(QStringLiteral("P30-31: Relay On/Off Setpoint"), [](CRelayDlg& dialog) {
        EXPECT_EQ(dialog.leftColumn().volts->text(), QStringLiteral("12.0"));
        EXPECT_EQ(dialog.rightColumn().volts->text(), QStringLiteral("13.8"));
        dialog.leftColumn().volts->setText(QStringLiteral("11.5"));
        dialog.okButton()->click();
    });
    ASSERT_TRUE(menuAcknowledged());
    EXPECT_TRUE(unitHas(0xD4, bytes({115, 0, 0, 138, 0, 0})));

    program<CTimeDayDlg>(QStringLiteral("P38: Time / Date"), [](CTimeDayDlg& dialog) {
        EXPECT_EQ(dialog.dayEdit()->text(), QStringLiteral("5"));
        EXPECT_EQ(dialog.timePicker()->time(), QTime(13, 47));
        dialog.dayEdit()->setText(QStringLiteral("999"));
        dialog.timePicker()->setTime(QTime(23, 59));
        dialog.okButton()->click();
        EXPECT_TRUE(EventPump::waitUntil([&] { return !dialog.isVisible(); }));
    });
    EXPECT_TRUE(unitHas(0xF9, bytes({0x3F, 0x1F})));
    EXPECT_TRUE(unitHas(0x24, bytes({179})));

    program<CPeriodicLogDlg>(
        QStringLiteral("P39:-42: Periodic Logged Data"), [](CPeriodicLogDlg& dialog) {
            EXPECT_EQ(dialog.intervalList()->currentText(), QStringLiteral("1 hr"));
            dialog.intervalList()->setCurrentIndex(8);
            dialog.okButton()->click();
        });
    ASSERT_TRUE(menuAcknowledged());
    EXPECT_TRUE(unitHas(0xD0, bytes({0x23, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x63, 0x03})));

    program<CSwitchItemsDlg>(QStringLiteral("P1: Switch Select #1"), [](CSwitchItemsDlg& dialog) {
        EXPECT_EQ(dialog.placeButton(2)->text(), QStringLiteral("AD13"));
        dialog.okButton()->click();
    });
    ASSERT_TRUE(menuAcknowledged());
    EXPECT_TRUE(unitHas(0xFF, bytes({1, 7, 13, 22, 28})));

    program<CNetworkSettingsDlg>(
        QStringLiteral("Network TCP/IP Settings"), [](CNetworkSettingsDlg& dialog) {
            EXPECT_EQ(dialog.nameField()->text(), QStringLiteral("ZELTRAVANIC1"));
            dialog.nameField()->setText(QStringLiteral("BARN"));
            dialog.okButton()->click();
            EXPECT_TRUE(EventPump::waitUntil([&] { return !dialog.isVisible(); }));
        });
    ASSERT_TRUE(menuAcknowledged());
    EXPECT_TRUE(unitHas(0x92, QByteArray("BARN\0\0\0\0\0\0\0\0\0\0\0\0", 16)));

    EventPump::deliverPosted();
    EXPECT_TRUE(prompts.shown().isEmpty()) << prompts.texts().join(QLatin1Char('|')).toStdString();
}

TEST_F(ProgrammingTheSimulator, EraseCommandsReachTheUnit)
{
    unit.advance(3 * 3600);
    ASSERT_NE(unit.read(0xD2, 2), bytes({0, 0})) << "the unit has logged some records";
    prompts.answerNext(PromptAnswer::Yes);
    whenModal<CResetDataDlg>([this](CResetDataDlg& dialog) {
        dialog.commandButton(0)->click();
        EXPECT_TRUE(EventPump::waitUntil([this] { return unit.read(0xD2, 2) == bytes({0, 0}); }));
        EXPECT_TRUE(EventPump::waitUntil([this] { return prompts.shown().size() == 2; }));
        dialog.doneButton()->click();
    });
    menu.button(QStringLiteral("P45-49: Erase / Initialize Data"))->click();
    EXPECT_TRUE(unitHas(0xD2, bytes({0, 0})));
    EXPECT_EQ(
        prompts.texts(),
        (QStringList{QStringLiteral("Are you sure you want to erase the Periodic Logged Data?"),
                     QStringLiteral("Periodic Logged Data has been cleared.")}));
}
