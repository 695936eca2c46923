#include "programming/ui/CAlarmIntervalDlg.h"
#include "programming/ui/CAlarmsEnableDlg.h"
#include "programming/ui/CBatteryCapacityDlg.h"
#include "programming/ui/CDischargeDataDlg.h"
#include "programming/ui/CEfficiencyDlg.h"
#include "programming/ui/CFilterTimeDlg.h"
#include "programming/ui/CItemChooserDlg.h"
#include "programming/ui/CLabelsDlg.h"
#include "programming/ui/CNetworkSettingsDlg.h"
#include "programming/ui/CPeriodicLogDlg.h"
#include "programming/ui/CProgramModesMenu.h"
#include "programming/ui/CRelayDlg.h"
#include "programming/ui/CResetDataDlg.h"
#include "programming/ui/CSetpointDlg.h"
#include "programming/ui/CShuntDlg.h"
#include "programming/ui/CSwitchItemsDlg.h"
#include "programming/ui/CTimeDayDlg.h"
#include "programming/ui/CVolt2LabelDlg.h"
#include "tests/programming/SerialDialogFixture.h"

#include <QDir>

// Pictures of every programming dialog as the user sees it once its record has been read.
// Written only when GORVANE_PROGRAMMING_SHOTS names a folder.
namespace {

class DialogPictures : public SerialDialogTest {
protected:
    void SetUp() override
    {
        folder = qEnvironmentVariable("GORVANE_PROGRAMMING_SHOTS");
        if (folder.isEmpty())
            GTEST_SKIP() << "set GORVANE_PROGRAMMING_SHOTS to a folder to get the pictures";
        ASSERT_TRUE(QDir().mkpath(folder));
        SerialDialogTest::SetUp();
        unit.setRecord(0xFD, bytes({1, 7, 13, 22, 29}));
        unit.setRecord(0xE1, bytes({0x11, 0x02, 0x05}));
        unit.setRecord(0xF6, bytes({0x10, 0x20, 0x00}));
        unit.setRecord(0xF2, bytes({0xC8, 0x00}));
        unit.setRecord(0xF3, bytes({0x02}));
        unit.setRecord(0xCE, bytes({0x26, 0x01}));
        unit.setRecord(0xEC, bytes({0x75, 0x00, 40}));
        unit.setRecord(0xEA, bytes({0x91, 0x00, 0x00}));
        unit.setRecord(0xE8, bytes({0x90, 0x00, 4}));
        unit.setRecord(0xE5, bytes({92, 0x19, 0x00}));
        unit.setRecord(0xE3, bytes({30}));
        unit.setRecord(0xD4, bytes({115, 0, 0, 138, 0, 100}));
        unit.setRecord(0xF9, bytes({0x2C, 0x00}));
        unit.setRecord(0x24, bytes({107}));
        unit.setRecord(0xD0, bytes({0x27, 0x02, 0, 90, 0, 0, 0, 0, 0, 0, 0xC9, 0x01}));
        unit.setRecord(0xD1, bytes({0xA0}));
        unit.setRecord(0x90, bytes({0x00, 192, 168, 1, 20, 192, 168, 1, 1, 8, 192, 168, 1, 2}));
        unit.setRecord(0x91, bytes({8, 8, 4, 4, 0xA5, 0x06}));
        unit.setRecord(0x92, QByteArray("ZELTRAVANIC1\0\0\0\0", 16));
    }

    void save(QWidget& widget, const QString& name)
    {
        widget.show();
        EventPump::deliverPosted();
        const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
        EXPECT_TRUE(widget.grab().save(path)) << path.toStdString();
    }

    void saveRead(CParameterDlg& dialog, const QString& name)
    {
        openAndRead(dialog);
        save(dialog, name);
    }

    static QStringList itemNames()
    {
        QStringList names{QStringLiteral("None"),
                          QStringLiteral("AD1: Battery 1 Volts"),
                          QStringLiteral("AD2: Battery 2 Volts"),
                          QStringLiteral("AD3: Filtered Battery 1 Volts"),
                          QStringLiteral("AD4: Filtered Battery 2 Volts"),
                          QString(),
                          QString(),
                          QStringLiteral("AD7: Solar Amps"),
                          QStringLiteral("AD8: Wind Amps"),
                          QStringLiteral("AD9: Battery Amps"),
                          QStringLiteral("AD10: Filtered Solar Amps"),
                          QStringLiteral("AD11: Filtered Wind Amps"),
                          QStringLiteral("AD12: Filtered Battery Amps"),
                          QStringLiteral("AD13: Solar  AmpHrs from Full"),
                          QStringLiteral("AD14: Wind  AmpHrs"),
                          QStringLiteral("AD15: True Battery AmpHrs"),
                          QStringLiteral("AD16: Cum Solar AmpHrs"),
                          QStringLiteral("AD17: Cum Wind AmpHrs"),
                          QStringLiteral("AD18: Solar Watts"),
                          QStringLiteral("AD19: Wind Watts"),
                          QStringLiteral("AD20: Solar WattHrs"),
                          QStringLiteral("AD21: Wind WattHrs"),
                          QStringLiteral("AD22: Battery 1 % Full"),
                          QStringLiteral("AD23: Battery 2 % Full"),
                          QStringLiteral("AD24: Days since Battery 1 Chrgd"),
                          QStringLiteral("AD25: Days since Battery 2 Chrgd"),
                          QStringLiteral("AD26: Days since Battery 1 EQ"),
                          QStringLiteral("AD27: Days since Battery 2 EQ"),
                          QStringLiteral("AD28: Temperature")};
        for (int item = 29; item <= 40; ++item)
            names.append(QStringLiteral("AD%1: B%2 00Cy").arg(item).arg(item <= 34 ? 1 : 2));
        return names;
    }

    QString folder;
};

} // namespace

TEST_F(DialogPictures, EveryProgrammingDialogRendersToAPicture)
{
    CProgramModesMenu modes(link, itemNames(), 200, 0, QStringLiteral("Battery 2"), 2.1f, prompts);
    save(modes, QStringLiteral("menu"));

    CSwitchItemsDlg switchItems(link, prompts, table.slot(2), itemNames(), &menu);
    saveRead(switchItems, QStringLiteral("p3-switch-items"));
    CItemChooserDlg chooser(itemNames(), 13);
    save(chooser, QStringLiteral("item-chooser"));
    CLabelsDlg labels(link, prompts, table.slot(5), QStringLiteral("Battery 2"), &menu);
    saveRead(labels, QStringLiteral("p6-9-labels"));
    CVolt2LabelDlg volt2(QStringLiteral("Battery 2"));
    save(volt2, QStringLiteral("volt2-label"));
    CShuntDlg shunts(link, prompts, table.slot(6), 2.0f, &menu);
    saveRead(shunts, QStringLiteral("p11-13-shunts"));
    CBatteryCapacityDlg capacity(link, prompts, table.slot(7), &menu);
    saveRead(capacity, QStringLiteral("p14-capacity"));
    CFilterTimeDlg filter(link, prompts, table.slot(9), &menu);
    saveRead(filter, QStringLiteral("p16-filter"));
    CAlarmsEnableDlg alarms(link, prompts, table.slot(12), &menu);
    saveRead(alarms, QStringLiteral("p22-23-alarms"));
    CSetpointDlg low(CSetpointDlg::Kind::LowAlarm, link, prompts, table.slot(14), &menu);
    saveRead(low, QStringLiteral("p26-low-alarm"));
    CSetpointDlg high(CSetpointDlg::Kind::HighAlarm, link, prompts, table.slot(15), &menu);
    saveRead(high, QStringLiteral("p27-high-alarm"));
    CRelayDlg relay(link, prompts, table.slot(18), 2.1f, &menu);
    saveRead(relay, QStringLiteral("p30-31-relay"));
    CSetpointDlg charged(CSetpointDlg::Kind::ChargeCriteria, link, prompts, table.slot(19), &menu);
    saveRead(charged, QStringLiteral("p32-charge-criteria"));
    CEfficiencyDlg efficiency(link, prompts, table.slot(21), &menu);
    saveRead(efficiency, QStringLiteral("p34-35-efficiency"));
    CAlarmIntervalDlg interval(link, prompts, table.slot(22), &menu);
    saveRead(interval, QStringLiteral("p36-interval"));
    CTimeDayDlg timeDay(link, prompts, table.slot(24), table.slot(25));
    saveRead(timeDay, QStringLiteral("p38-time-day"));
    CPeriodicLogDlg periodic(link, prompts, table.slot(26), &menu);
    saveRead(periodic, QStringLiteral("p39-42-periodic"));
    CDischargeDataDlg discharge(link, prompts, table.slot(27), &menu);
    saveRead(discharge, QStringLiteral("p43-discharge"));
    CResetDataDlg reset(link, prompts, table.slot(29));
    save(reset, QStringLiteral("p45-49-reset"));
    CNetworkSettingsDlg network(
        link, prompts, {&table.slot(30), &table.slot(31), &table.slot(32), &table.slot(33)}, &menu);
    saveRead(network, QStringLiteral("network"));
}
