#include "programming/ui/CAlarmIntervalDlg.h"
#include "programming/ui/CAlarmsEnableDlg.h"
#include "programming/ui/CBatteryCapacityDlg.h"
#include "programming/ui/CDischargeDataDlg.h"
#include "programming/ui/CEfficiencyDlg.h"
#include "programming/ui/CFilterTimeDlg.h"
#include "programming/ui/CLabelsDlg.h"
#include "programming/ui/CSetpointDlg.h"
#include "programming/ui/CShuntDlg.h"
#include "programming/ui/CVolt2LabelDlg.h"
#include "shell/CColorStatic.h"
#include "tests/programming/ModalDriver.h"
#include "tests/programming/SerialDialogFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

using namespace DialogTexts;

namespace {

// Slots of the parameter table, restated.
constexpr int P6_9 = 5;
constexpr int P11_13 = 6;
constexpr int P14 = 7;
constexpr int P15 = 8;
constexpr int P16 = 9;
constexpr int P22_23 = 12;
constexpr int P26 = 14;
constexpr int P27 = 15;
constexpr int P32 = 19;
constexpr int P34_35 = 21;
constexpr int P36 = 22;
constexpr int P37 = 23;
constexpr int P43 = 27;

using ParameterDialogs = SerialDialogTest;

QByteArray readFrame(int address, int length)
{
    return withChecksum(bytes({0x81, address, length}));
}

} // namespace

TEST_F(ParameterDialogs, CapacityDialogReadsItsRecordWhenItOpensAndShowsTheAmpHours)
{
    unit.setRecord(0xF2, bytes({0xC8, 0x00}));
    CBatteryCapacityDlg dialog(link, prompts, table.slot(P14), &menu);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Battery Capacity"));
    EXPECT_EQ(dialog.header()->text(), QStringLiteral("P14: Battery 1 Capacity"));
    EXPECT_TRUE(serialUnit.frames().isEmpty()) << "nothing is asked before the dialog shows";

    openAndRead(dialog);
    EXPECT_EQ(serialUnit.frames(), QList<QByteArray>{readFrame(0xF2, 2)});
    EXPECT_EQ(dialog.ampHoursEdit()->text(), QStringLiteral("200"));
    EXPECT_FALSE(dialog.noBatteryBox()->isChecked());
    EXPECT_TRUE(dialog.ampHoursEdit()->isEnabled());
    EXPECT_TRUE(dialog.okButton()->isEnabled());
}

TEST_F(ParameterDialogs, OkIsImpossibleBeforeTheRecordHasBeenRead)
{
    CBatteryCapacityDlg dialog(link, prompts, table.slot(P15), &menu);
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    dialog.noBatteryBox()->setChecked(true);
    dialog.accept();
    EXPECT_TRUE(serialUnit.frames().isEmpty());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(prompts.shown().isEmpty());
}

TEST_F(ParameterDialogs, ARefusedReadShowsString1043AndClosesTheDialogWithoutWriting)
{
    unit.setMute(true);
    CBatteryCapacityDlg dialog(link, prompts, table.slot(P14), &menu);
    dialog.show();
    EventPump::deliverPosted();
    EXPECT_EQ(prompts.texts(), QStringList{READ_ERROR});
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    EXPECT_TRUE(unit.writes().isEmpty());
}

TEST_F(ParameterDialogs, CapacityDialogRefuses70000AmpHoursAndStaysOpen)
{
    unit.setRecord(0xF2, bytes({0xC8, 0x00}));
    CBatteryCapacityDlg dialog(link, prompts, table.slot(P14), &menu);
    openAndRead(dialog);
    dialog.ampHoursEdit()->setText(QStringLiteral("70000"));
    pressOk(dialog);
    EXPECT_EQ(prompts.texts(), QStringList{QStringLiteral("Amp Hrs must be between 0 - 9999")});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(unit.writes().isEmpty());

    prompts.clear();
    dialog.ampHoursEdit()->setText(QStringLiteral("9999"));
    pressOk(dialog);
    EXPECT_TRUE(prompts.shown().isEmpty());
    EXPECT_EQ(writtenTo(0xF2), QList<QByteArray>{bytes({0x0F, 0x27})});
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialog.batteryPresent());
    EXPECT_EQ(table.slot(P14).value().left(2), bytes({0x0F, 0x27}));
    EXPECT_EQ(menu.verdicts(),
              QList<WriteAcknowledgement::Verdict>{WriteAcknowledgement::Verdict::Matches});
}

TEST_F(ParameterDialogs, NoBatteryWritesZeroWhateverTheEditShowsAndMarksTheBatteryAbsent)
{
    unit.setRecord(0xF1, bytes({0x64, 0x00}));
    CBatteryCapacityDlg dialog(link, prompts, table.slot(P15), &menu);
    openAndRead(dialog);
    EXPECT_EQ(dialog.header()->text(), QStringLiteral("P15: Battery 2 Capacity"));
    dialog.noBatteryBox()->click();
    EXPECT_FALSE(dialog.ampHoursEdit()->isEnabled());
    EXPECT_EQ(dialog.ampHoursEdit()->text(), QStringLiteral("100"));
    pressOk(dialog);
    EXPECT_EQ(writtenTo(0xF1), QList<QByteArray>{bytes({0x00, 0x00})});
    EXPECT_FALSE(dialog.batteryPresent());
}

TEST_F(ParameterDialogs, AZeroCapacityReadsAsNoBatteryButATypedZeroKeepsTheBatteryPresent)
{
    unit.setRecord(0xF2, bytes({0x00, 0x00}));
    CBatteryCapacityDlg dialog(link, prompts, table.slot(P14), &menu);
    openAndRead(dialog);
    EXPECT_EQ(dialog.ampHoursEdit()->text(), QStringLiteral("0"));
    EXPECT_TRUE(dialog.noBatteryBox()->isChecked());
    EXPECT_FALSE(dialog.ampHoursEdit()->isEnabled());

    dialog.noBatteryBox()->click();
    EXPECT_TRUE(dialog.ampHoursEdit()->isEnabled());
    pressOk(dialog);
    EXPECT_EQ(writtenTo(0xF2), QList<QByteArray>{bytes({0x00, 0x00})});
    EXPECT_TRUE(dialog.batteryPresent());
}

TEST_F(ParameterDialogs, ARefusedWriteShowsString1043ClosesWithOkAndKeepsTheCachedValue)
{
    unit.setRecord(0xF2, bytes({0xC8, 0x00}));
    CBatteryCapacityDlg dialog(link, prompts, table.slot(P14), &menu);
    openAndRead(dialog);
    unit.setMute(true);
    dialog.ampHoursEdit()->setText(QStringLiteral("300"));
    pressOk(dialog);
    EXPECT_EQ(prompts.texts(), QStringList{READ_ERROR});
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(table.slot(P14).value(), QByteArray(13, '\0'));
}

TEST_F(ParameterDialogs, ABadAcknowledgementIsShownAsString2601ByTheAcknowledgementOwner)
{
    unit.setRecord(0xF3, bytes({0x01}));
    CFilterTimeDlg dialog(link, prompts, table.slot(P16), &menu);
    openAndRead(dialog);
    unit.spoilAcknowledgements(1);
    pressOk(dialog);
    ASSERT_TRUE(EventPump::waitUntil([&] { return !menu.verdicts().isEmpty(); }));
    EXPECT_EQ(prompts.texts(), QStringList{BAD_ACKNOWLEDGEMENT});
    EXPECT_EQ(dialog.result(), QDialog::Accepted) << "the dialog closed when it wrote";
}

TEST_F(ParameterDialogs, CancelWritesNothing)
{
    unit.setRecord(0xF2, bytes({0xC8, 0x00}));
    CBatteryCapacityDlg dialog(link, prompts, table.slot(P14), &menu);
    openAndRead(dialog);
    dialog.ampHoursEdit()->setText(QStringLiteral("400"));
    dialog.cancelButton()->click();
    EventPump::deliverPosted();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(unit.writes().isEmpty());
    EXPECT_EQ(table.slot(P14).value(), QByteArray(13, '\0'));
}

TEST_F(ParameterDialogs, FilterTimeSelectsTheCodeAndAnUnknownCodeGoesBackUnchanged)
{
    unit.setRecord(0xF3, bytes({0x02}));
    CFilterTimeDlg dialog(link, prompts, table.slot(P16), &menu);
    EXPECT_EQ(dialog.minutesList()->count(), 4);
    EXPECT_EQ(dialog.minutesList()->itemText(3), QStringLiteral("8.0"));
    openAndRead(dialog);
    EXPECT_EQ(dialog.minutesList()->currentText(), QStringLiteral("2.0"));
    dialog.minutesList()->setCurrentIndex(3);
    pressOk(dialog);
    EXPECT_EQ(writtenTo(0xF3), QList<QByteArray>{bytes({0x03})});

    unit.setRecord(0xF3, bytes({0x07}));
    CFilterTimeDlg unknown(link, prompts, table.slot(P16), &menu);
    openAndRead(unknown);
    EXPECT_EQ(unknown.minutesList()->currentIndex(), -1);
    pressOk(unknown);
    EXPECT_EQ(writtenTo(0xF3).last(), bytes({0x07}));
}

TEST_F(ParameterDialogs, AlarmEnablesShowCode3AsLoudestExceptLoBattWhichWritesItsCodeBack)
{
    unit.setRecord(0xCE, bytes({0xFF, 0x03}));
    CAlarmsEnableDlg dialog(link, prompts, table.slot(P22_23), &menu);
    EXPECT_EQ(dialog.header()->text(), QStringLiteral("P22-23: Battery 1 Alarm Enable/Disable"));
    openAndRead(dialog);
    EXPECT_EQ(dialog.alarmList(0)->currentIndex(), -1) << "Lo Batt:";
    for (int alarm = 1; alarm < 5; ++alarm)
        EXPECT_EQ(dialog.alarmList(alarm)->currentText(), QStringLiteral("ON VISUAL/AUDIBLE"))
            << alarm;
    pressOk(dialog);
    // Lo Batt 3, Batt Charged 2, Hi Batt 2, days since charged 2; days since equalized 2.
    EXPECT_EQ(writtenTo(0xCE), QList<QByteArray>{bytes({0xAB, 0x02})});
}

TEST_F(ParameterDialogs, AlarmEnablesWriteEachListIntoItsOwnBits)
{
    unit.setRecord(0xCE, bytes({0x00, 0xFC}));
    CAlarmsEnableDlg dialog(link, prompts, table.slot(P22_23), &menu);
    openAndRead(dialog);
    dialog.alarmList(0)->setCurrentIndex(1); // Lo Batt: ON VISUAL ONLY
    dialog.alarmList(1)->setCurrentIndex(2); // Hi Batt: bits 4-5
    dialog.alarmList(4)->setCurrentIndex(1); // days since equalized
    pressOk(dialog);
    EXPECT_EQ(writtenTo(0xCE), QList<QByteArray>{bytes({0x21, 0x01})});
}

TEST_F(ParameterDialogs, LowAlarmChecksThePercentBeforeTheVoltage)
{
    unit.setRecord(0xEC, bytes({0x78, 0x00, 0x00}));
    CSetpointDlg dialog(CSetpointDlg::Kind::LowAlarm, link, prompts, table.slot(P26), &menu);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Low Battery Alarm"));
    EXPECT_EQ(dialog.header()->text(), QStringLiteral("P26: Battery 1 Low Alarm Setpoint"));
    EXPECT_EQ(dialog.unusedBox()->text(), QStringLiteral("Don't  use % Full"));
    openAndRead(dialog);
    EXPECT_EQ(dialog.voltsEdit()->text(), QStringLiteral("12.0"));
    EXPECT_TRUE(dialog.unusedBox()->isChecked());
    EXPECT_FALSE(dialog.criterionEdit()->isEnabled());

    dialog.unusedBox()->click();
    EXPECT_TRUE(dialog.criterionEdit()->isEnabled());
    dialog.voltsEdit()->setText(QStringLiteral("9.9"));
    dialog.criterionEdit()->setText(QStringLiteral("0"));
    pressOk(dialog);
    dialog.criterionEdit()->setText(QStringLiteral("40"));
    pressOk(dialog);
    EXPECT_EQ(prompts.texts(), (QStringList{QStringLiteral("Percent must be between 1 - 99"),
                                            QStringLiteral("Voltage must be between 10 - 100")}));
    EXPECT_TRUE(unit.writes().isEmpty());

    dialog.voltsEdit()->setText(QStringLiteral("11.75"));
    pressOk(dialog);
    EXPECT_EQ(writtenTo(0xEC), QList<QByteArray>{bytes({0x75, 0x00, 40})});
}

TEST_F(ParameterDialogs, LowAlarmShowsAUsedPercentAndTheLow10BitsOfTheVoltage)
{
    unit.setRecord(0xEC, bytes({0x7C, 0xFD, 45}));
    CSetpointDlg dialog(CSetpointDlg::Kind::LowAlarm, link, prompts, table.slot(P26), &menu);
    openAndRead(dialog);
    EXPECT_EQ(dialog.voltsEdit()->text(), QStringLiteral("38.0"));
    EXPECT_FALSE(dialog.unusedBox()->isChecked());
    EXPECT_TRUE(dialog.criterionEdit()->isEnabled());
    EXPECT_EQ(dialog.criterionEdit()->text(), QStringLiteral("45"));
}

TEST_F(ParameterDialogs, HighAlarmWritesTheVoltageAndKeepsByte2)
{
    unit.setRecord(0xEA, bytes({0x8C, 0x00, 0x37}));
    CSetpointDlg dialog(CSetpointDlg::Kind::HighAlarm, link, prompts, table.slot(P27), &menu);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("High Battery Alarm"));
    EXPECT_EQ(dialog.header()->text(), QStringLiteral("P27: Battery 1 High Alarm Setpoint"));
    EXPECT_EQ(dialog.criterionEdit(), nullptr);
    openAndRead(dialog);
    EXPECT_EQ(dialog.voltsEdit()->text(), QStringLiteral("14.0"));
    dialog.voltsEdit()->setText(QStringLiteral("100.1"));
    pressOk(dialog);
    EXPECT_EQ(prompts.texts(), QStringList{QStringLiteral("Voltage must be between 10 - 100")});
    dialog.voltsEdit()->setText(QStringLiteral("14.5"));
    pressOk(dialog);
    EXPECT_EQ(writtenTo(0xEA), QList<QByteArray>{bytes({0x91, 0x00, 0x37})});
}

TEST_F(ParameterDialogs, ChargeCriteriaAmps99ReadBackAsNotUsedAndACheckedBoxWritesZero)
{
    unit.setRecord(0xE8, bytes({0x90, 0x00, 99}));
    CSetpointDlg dialog(CSetpointDlg::Kind::ChargeCriteria, link, prompts, table.slot(P32), &menu);
    EXPECT_EQ(dialog.header()->text(), QStringLiteral("P32: Battery 1 Charge Criteria"));
    EXPECT_EQ(dialog.unusedBox()->text(), QStringLiteral("Don't  use Amps criteria."));
    openAndRead(dialog);
    EXPECT_TRUE(dialog.unusedBox()->isChecked());
    dialog.criterionEdit()->setText(QStringLiteral("500"));
    pressOk(dialog);
    EXPECT_TRUE(prompts.shown().isEmpty());
    EXPECT_EQ(writtenTo(0xE8), QList<QByteArray>{bytes({0x90, 0x00, 0x00})});
}

TEST_F(ParameterDialogs, ChargeCriteriaRefusesAmpsOutside1To99)
{
    unit.setRecord(0xE8, bytes({0x90, 0x00, 5}));
    CSetpointDlg dialog(CSetpointDlg::Kind::ChargeCriteria, link, prompts, table.slot(P32), &menu);
    openAndRead(dialog);
    EXPECT_EQ(dialog.criterionEdit()->text(), QStringLiteral("5"));
    dialog.criterionEdit()->setText(QStringLiteral("100"));
    pressOk(dialog);
    EXPECT_EQ(prompts.texts(), QStringList{QStringLiteral("Amps must be between 1 - 99")});
    dialog.criterionEdit()->setText(QStringLiteral("99"));
    pressOk(dialog);
    EXPECT_EQ(writtenTo(0xE8), QList<QByteArray>{bytes({0x90, 0x00, 99})});
}

TEST_F(ParameterDialogs, EfficiencyChecksTheFactorBeforeTheAmps)
{
    unit.setRecord(0xE5, bytes({90, 0x19, 0x00}));
    CEfficiencyDlg dialog(link, prompts, table.slot(P34_35), &menu);
    EXPECT_EQ(dialog.header()->text(),
              QStringLiteral("P34-35: Battery Efficiency\n(Self-discharge Compensation)"));
    openAndRead(dialog);
    EXPECT_EQ(dialog.efficiencyEdit()->text(), QStringLiteral("90"));
    EXPECT_EQ(dialog.selfDischargeEdit()->text(), QStringLiteral("0.25"));

    dialog.efficiencyEdit()->setText(QStringLiteral("59"));
    dialog.selfDischargeEdit()->setText(QStringLiteral("10"));
    pressOk(dialog);
    dialog.efficiencyEdit()->setText(QStringLiteral("100"));
    pressOk(dialog);
    EXPECT_EQ(prompts.texts(), (QStringList{QStringLiteral("Efficiency must be between 60 - 100%"),
                                            QStringLiteral("Amps must be between 0 - 9.99")}));
    dialog.selfDischargeEdit()->setText(QStringLiteral("1.5"));
    pressOk(dialog);
    EXPECT_EQ(writtenTo(0xE5), QList<QByteArray>{bytes({100, 0x96, 0x00})});
}

TEST_F(ParameterDialogs, IntervalHeadersNameTheConditionAndLettersWriteZeroDays)
{
    unit.setRecord(0xE3, bytes({30}));
    CAlarmIntervalDlg dialog(link, prompts, table.slot(P36), &menu);
    EXPECT_EQ(dialog.header()->text(),
              QStringLiteral("P36: Alarm if battery has not been Equalized for this many "
                             "consecutive days."));
    openAndRead(dialog);
    EXPECT_EQ(dialog.daysEdit()->text(), QStringLiteral("30"));
    dialog.daysEdit()->setText(QStringLiteral("abc"));
    pressOk(dialog);
    EXPECT_TRUE(prompts.shown().isEmpty());
    EXPECT_EQ(writtenTo(0xE3), QList<QByteArray>{bytes({0})});

    CAlarmIntervalDlg charged(link, prompts, table.slot(P37), &menu);
    EXPECT_EQ(charged.header()->text(),
              QStringLiteral("P37: Alarm if battery does not reach Charged Criteria for this many "
                             "consecutive days."));
    openAndRead(charged);
    charged.daysEdit()->setText(QStringLiteral("251"));
    pressOk(charged);
    EXPECT_EQ(prompts.texts(), QStringList{QStringLiteral("Days must be between 0 - 250.")});
    EXPECT_TRUE(writtenTo(0xE2).isEmpty());
}

TEST_F(ParameterDialogs, LabelsChangeOnlyTheirBitsAndAnUnknownCodeStaysAsRead)
{
    unit.setRecord(0xE1, bytes({0x11, 0x02, 0x07}));
    CLabelsDlg dialog(link, prompts, table.slot(P6_9), QStringLiteral("Battery 2"), &menu);
    EXPECT_FALSE(dialog.volts2List()->isEnabled());
    openAndRead(dialog);
    EXPECT_EQ(dialog.volts1List()->currentText(), QStringLiteral("Battery"));
    EXPECT_EQ(dialog.ampsList(0)->currentText(), QStringLiteral("Solar"));
    EXPECT_EQ(dialog.ampsList(1)->currentText(), QStringLiteral("Wind"));
    EXPECT_EQ(dialog.ampsList(2)->currentIndex(), -1);
    EXPECT_EQ(dialog.ampsList(2)->itemText(6), QStringLiteral("Battery"));

    dialog.volts1List()->setCurrentIndex(1);
    dialog.ampsList(0)->setCurrentIndex(4);
    pressOk(dialog);
    EXPECT_EQ(writtenTo(0xE1), QList<QByteArray>{bytes({0x04, 0x02, 0x07})});
    EXPECT_EQ(dialog.volt2Label(), QStringLiteral("Battery 2"));
}

TEST_F(ParameterDialogs, TheVolt2LabelIsEditedInItsOwnDialogAndNeverSent)
{
    unit.setRecord(0xE1, bytes({0x00, 0x00, 0x00}));
    CLabelsDlg dialog(link, prompts, table.slot(P6_9), QStringLiteral("Battery 2"), &menu);
    openAndRead(dialog);
    whenModal<CVolt2LabelDlg>([](CVolt2LabelDlg& labelDialog) {
        EXPECT_EQ(labelDialog.labelEdit()->text(), QStringLiteral("Battery 2"));
        labelDialog.labelEdit()->setText(QStringLiteral("Starter battery"));
        labelDialog.accept();
    });
    dialog.volt2LabelButton()->click();
    EXPECT_EQ(dialog.volt2Label(), QStringLiteral("Starter ba")) << "at most 10 characters";

    whenModal<CVolt2LabelDlg>([](CVolt2LabelDlg& labelDialog) {
        labelDialog.labelEdit()->setText(QStringLiteral("Other"));
        labelDialog.reject();
    });
    dialog.volt2LabelButton()->click();
    EXPECT_EQ(dialog.volt2Label(), QStringLiteral("Starter ba"));
    EXPECT_TRUE(unit.writes().isEmpty());
}

TEST_F(ParameterDialogs, ShuntSumBitIsShownAndWrittenOnlyWithFirmware2)
{
    unit.setRecord(0xF6, bytes({0x10, 0x20, 0x00}));
    CShuntDlg old(link, prompts, table.slot(P11_13), 1.5f, &menu);
    openAndRead(old);
    EXPECT_EQ(old.shuntList(0)->currentText(), QStringLiteral("500A/50mV"));
    EXPECT_EQ(old.shuntList(1)->currentText(), QStringLiteral("100A/100mV"));
    EXPECT_FALSE(old.amps2SumBox()->isEnabled());
    EXPECT_FALSE(old.amps2SumBox()->isChecked());
    old.shuntList(2)->setCurrentIndex(1);
    pressOk(old);
    EXPECT_EQ(writtenTo(0xF6).last(), bytes({0x10, 0x20, 0x10})) << "sum bit left as read";

    unit.setRecord(0xF6, bytes({0x10, 0x20, 0x00}));
    CShuntDlg current(link, prompts, table.slot(P11_13), 2.0f, &menu);
    openAndRead(current);
    EXPECT_TRUE(current.amps2SumBox()->isEnabled());
    EXPECT_TRUE(current.amps2SumBox()->isChecked());
    current.amps2SumBox()->click();
    pressOk(current);
    EXPECT_EQ(writtenTo(0xF6).last(), bytes({0x10, 0x00, 0x00}));
}

TEST_F(ParameterDialogs, DischargeDataTurningABatteryOffKeepsBits0To3)
{
    unit.setRecord(0xD1, bytes({0xAF}));
    CDischargeDataDlg dialog(link, prompts, table.slot(P43), &menu);
    EXPECT_EQ(dialog.header()->text(),
              QStringLiteral("P43: Battery Discharge Profile \nLogged Data"));
    openAndRead(dialog);
    EXPECT_TRUE(dialog.fivePercentButton()->isChecked());
    EXPECT_FALSE(dialog.tenPercentButton()->isChecked());
    EXPECT_TRUE(dialog.battery1Box()->isChecked());
    EXPECT_FALSE(dialog.battery2Box()->isChecked());

    dialog.battery1Box()->click();
    dialog.tenPercentButton()->click();
    pressOk(dialog);
    EXPECT_EQ(writtenTo(0xD1), QList<QByteArray>{bytes({0x0F})});
}
