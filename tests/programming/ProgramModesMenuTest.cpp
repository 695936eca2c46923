#include "programming/ParameterSession.h"
#include "programming/ui/CAlarmIntervalDlg.h"
#include "programming/ui/CAlarmsEnableDlg.h"
#include "programming/ui/CBatteryCapacityDlg.h"
#include "programming/ui/CDischargeDataDlg.h"
#include "programming/ui/CEfficiencyDlg.h"
#include "programming/ui/CFilterTimeDlg.h"
#include "programming/ui/CLabelsDlg.h"
#include "programming/ui/CNetworkSettingsDlg.h"
#include "programming/ui/CPeriodicLogDlg.h"
#include "programming/ui/CProgramModesMenu.h"
#include "programming/ui/CRelayDlg.h"
#include "programming/ui/CResetDataDlg.h"
#include "programming/ui/CSetpointDlg.h"
#include "programming/ui/CSettingsRestoreDlg.h"
#include "programming/ui/CShuntDlg.h"
#include "programming/ui/CSwitchItemsDlg.h"
#include "programming/ui/CTimeDayDlg.h"
#include "programming/ui/CVolt2LabelDlg.h"
#include "shell/CIpAddressCtrl.h"
#include "tests/programming/ProgrammingFixture.h"
#include "tests/support/ModalDriver.h"

#include <QComboBox>
#include <QHostAddress>
#include <QLineEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <memory>

namespace {

// owner: the window that takes the acknowledgement of the write.
using Make = std::function<CParameterDlg*(QObject* owner)>;

// A dialog; the records the unit holds when it opens, which it reads in this order; the edits
// made through its controls ("control=value control ...", each found by its object name; a "!"
// before a control's name: it is off); the records OK writes. Records are "ADDRESS: BYTES |
// ADDRESS: BYTES", all in hex.
struct Row {
    const char* name;
    Make make;
    const char* read;
    const char* edits;
    const char* written;
    bool ownerAcknowledges = true; // else the dialog's own session takes every acknowledgement
};

QList<Record> records(const char* text)
{
    QList<Record> list;
    for (const QString& record : QString::fromLatin1(text).split(u'|', Qt::SkipEmptyParts))
        list.append({record.section(u':', 0, 0).toInt(nullptr, 16),
                     QByteArray::fromHex(record.section(u':', 1).toLatin1())});
    return list;
}

// Sets the text of an edit, the entry of a list, the time of a picker or the address of an
// address control; clicks a button, and when it is given a value picks the choice of that name
// in the chooser it opens; or checks that the control is off.
void apply(QWidget& dialog, const QString& edit)
{
    const QString value = edit.section(u'=', 1);
    auto* control = dialog.findChild<QWidget*>(edit.section(u'=', 0, 0).remove(u'!'));
    ASSERT_NE(control, nullptr) << edit.toStdString();
    if (edit.startsWith(u'!'))
        EXPECT_FALSE(control->isEnabled()) << edit.toStdString();
    else if (auto* line = dynamic_cast<QLineEdit*>(control))
        line->setText(value);
    else if (auto* list = dynamic_cast<QComboBox*>(control))
        list->setCurrentIndex(value.toInt());
    else if (auto* time = dynamic_cast<QTimeEdit*>(control))
        time->setTime(QTime::fromString(value));
    else if (auto* address = dynamic_cast<CIpAddressCtrl*>(control))
        address->SetAddress(QHostAddress(value).toIPv4Address());
    else if (!value.isEmpty())
        whenModal<QDialog>([value](QDialog& chooser) {
            button(chooser, qPrintable(value))->setChecked(true);
            chooser.accept();
        });
    if (auto* pressed = dynamic_cast<QAbstractButton*>(control))
        pressed->click();
}

class ParameterDialogs : public OnUnit {
protected:
    // Dialogs of one record whose constructors take the link, the prompts, the record, what
    // extra is given, then the acknowledgement's owner.
    template <class Dialog, class... Extra> Make single(int slot, Extra... extra)
    {
        return [=, this](QObject* owner) {
            return new Dialog(link, prompts, table.slot(slot), extra..., owner);
        };
    }

    Make setpoint(CSetpointDlg::Kind kind, int slot)
    {
        return [=, this](QObject* owner) {
            return new CSetpointDlg(kind, link, prompts, table.slot(slot), owner);
        };
    }

    Make timeDay(QTime pcTime = {})
    {
        return [=, this](QObject*) {
            auto* dialog = new CTimeDayDlg(link, prompts, table.slot(24), table.slot(25));
            dialog->setClock([pcTime] { return pcTime; });
            return dialog;
        };
    }

    Make network()
    {
        return [this](QObject* owner) {
            return new CNetworkSettingsDlg(
                link, prompts, {&table.slot(30), &table.slot(31), &table.slot(32), &table.slot(33)},
                owner);
        };
    }

    // The slots and addresses restated; every kind of dialog, and each firmware variant where
    // the dialog's controls differ.
    QList<Row> rows()
    {
        using Kind = CSetpointDlg::Kind;
        const char* const clock = "F9: 2C 00 | 24: 6B";
        return {
            {"switch items P3", single<CSwitchItemsDlg>(2, QStringList()), "FD: 03 07 00 37 16",
             "place2=item33 place5=item0", "FD: 03 21 00 00 00"},
            {"labels", single<CLabelsDlg>(5, QString()), "E1: 11 02 07", "volts1=1 amps1=4",
             "E1: 04 02 07"},
            {"shunts, firmware 1.5", single<CShuntDlg>(6, 1.5f), "F6: 10 20 00",
             "shunt3=1 !amps2Sum", "F6: 10 20 10"},
            {"shunts, firmware 2.0", single<CShuntDlg>(6, 2.0f), "F6: 10 20 00", "amps2Sum",
             "F6: 10 00 00"},
            {"capacity", single<CBatteryCapacityDlg>(7), "F2: C8 00", "ampHours=9999", "F2: 0F 27"},
            {"filter time", single<CFilterTimeDlg>(9), "F3: 02", "minutes=3", "F3: 03"},
            {"alarm enables P22-23", single<CAlarmsEnableDlg>(12), "CE: 00 FC",
             "alarm1=1 alarm2=2 alarm5=1", "CE: 21 01"},
            {"low alarm P26", setpoint(Kind::LowAlarm, 14), "EC: 78 00 00",
             "unused volts=11.75 criterion=40", "EC: 75 00 28"},
            {"high alarm P27", setpoint(Kind::HighAlarm, 15), "EA: 8C 00 37", "volts=14.5",
             "EA: 91 00 37"},
            {"charge criteria P32", setpoint(Kind::ChargeCriteria, 19), "E8: 90 00 05",
             "unused criterion=500", "E8: 90 00 00"},
            {"relay, firmware 2.1", single<CRelayDlg>(18, 2.1f), "D4: 73 00 00 8A 00 64", "",
             "D4: 73 00 00 8A 00 64"},
            {"relay, firmware 1.5", single<CRelayDlg>(18, 1.5f), "D4: 73 00 00 8A 00 64",
             "!rightChargeCriteria", "D4: 73 00 00 8A 00 00"},
            {"relay reversed, made normal", single<CRelayDlg>(18, 2.0f), "D4: 8C 00 5A 78 00 14",
             "normal leftVolts=12.26", "D4: 7A 00 14 8C 00 5A"},
            {"efficiency", single<CEfficiencyDlg>(21), "E5: 5A 19 00",
             "efficiency=100 selfDischarge=1.5", "E5: 64 96 00"},
            {"interval P36", single<CAlarmIntervalDlg>(22), "E3: 1E", "days=250", "E3: FA"},
            {"time and day", timeDay(), clock, "day=999 time=23:59:41", "F9: 3F 1F | 24: B3",
             false},
            {"time of the PC", timeDay(QTime(8, 5, 33)), clock, "pcTime", "F9: 2A 00 | 24: 7D",
             false},
            {"periodic log", single<CPeriodicLogDlg>(26), "D0: FF F8 5A 00 01 02 03 04 05 06 00 FC",
             "item1 item10 item9 interval=3 time=07:30:00",
             "D0: 7F FA 5A 5A 01 02 03 04 05 06 21 02"},
            {"discharge data", single<CDischargeDataDlg>(27), "D1: AF", "battery1 tenPercent",
             "D1: 0F"},
            {"network adapter", network(),
             "90: 81 C0 A8 01 14 C0 A8 01 01 08 C0 A8 01 02 | 91: 08 08 04 04 A5 06 | "
             "92: 53 48 45 44 00 | 93: 33 33 33 33",
             "defaults dhcp gateway=10.0.0.1 subnetMask=255.255.255.128 port=70000 name=BARN",
             "90: 80 00 00 00 00 0A 00 00 01 07 00 00 00 00 | 91: 00 00 00 00 70 11 | "
             "92: 42 41 52 4E 00 00 00 00 00 00 00 00 00 00 00 00 | "
             "93: 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
        };
    }

    std::unique_ptr<CParameterDlg> openRow(const Row& row, QObject* owner)
    {
        unit.clearRequests();
        for (const Record& record : records(row.read))
            unit.setRecord(static_cast<quint8>(record.address), record.bytes);
        std::unique_ptr<CParameterDlg> dialog(row.make(owner));
        EventPump::deliverPosted();
        EXPECT_TRUE(unit.requests().isEmpty()) << "nothing is read before the dialog shows";
        EXPECT_FALSE(okOf(*dialog)->isEnabled());
        dialog->show();
        EXPECT_TRUE(EventPump::waitUntil([&] { return okOf(*dialog)->isEnabled(); }));
        return dialog;
    }
};

class ParameterDialogsOnSerial : public ParameterDialogs {};

// Acts in the dialog that a button of the menu opens, once its records are read.
void fromMenu(QWidget& menu, const char* caption, const std::function<void(CParameterDlg&)>& act)
{
    whenModal<CParameterDlg>([act](CParameterDlg& dialog) {
        QPushButton* ok = okOf(dialog);
        ASSERT_TRUE(EventPump::waitUntil([ok] { return ok->isEnabled(); }));
        act(dialog);
        ok->click();
    });
    button(menu, caption)->click();
}

class ProgramModesMenu : public OnUnit {
protected:
    // Runs the menu as the main window does, acting in it until Done.
    CProgramModesMenu::Result run(const std::function<void(CProgramModesMenu&)>& act)
    {
        whenModal<CProgramModesMenu>([act](CProgramModesMenu& menu) {
            act(menu);
            button(menu, "Done")->click();
        });
        return CProgramModesMenu::Run(link, {}, 200, 100, QStringLiteral("Battery 2"), 2.5f,
                                      prompts, nullptr);
    }
};

} // namespace

TEST_P(ParameterDialogs, ReadTheirRecordsWhenShownAndOnOkWriteWhatTheControlsShow)
{
    for (const Row& row : rows()) {
        SCOPED_TRACE(row.name);
        window.clear();
        const auto dialog = openRow(row, &window);
        QList<int> reads;
        for (const Record& record : records(row.read))
            reads.append(record.address);
        EXPECT_EQ(readAddresses(), reads);
        for (const QString& edit : QString::fromLatin1(row.edits).split(u' ', Qt::SkipEmptyParts))
            apply(*dialog, edit);
        okOf(*dialog)->click();
        ASSERT_TRUE(EventPump::waitUntil([&] {
            return !dialog->isVisible() && window.replies().size() == int(row.ownerAcknowledges);
        }));
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_EQ(written(), records(row.written));
        EXPECT_TRUE(prompts.shown().isEmpty()) << prompts.texts().join(u'|').toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Both, ParameterDialogs, BothTransports, TransportName);

// A silent unit fails a serial request at once, which is what the link calls refused.
TEST_P(ParameterDialogsOnSerial, ShowARefusedRequestAs1043AndWriteNothingOnARefusedEntryOrCancel)
{
    unit.attach(link, Transport::Serial, SerialTimeouts{20, 1, 50, 10, 200});
    unit.addFault(FaultKind::NoReply, "all");
    CFilterTimeDlg refused(link, prompts, table.slot(9), &window);
    refused.show();
    EventPump::deliverPosted();
    EXPECT_FALSE(refused.isVisible()) << "a refused read closes the dialog";
    unit.clearFaults();

    const auto capacity = openRow(rows()[4], &window);
    apply(*capacity, QStringLiteral("ampHours=70000"));
    okOf(*capacity)->click();
    EXPECT_TRUE(capacity->isVisible()) << "the entry was refused";
    capacity->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
    EXPECT_EQ(capacity->result(), QDialog::Rejected);
    EXPECT_TRUE(unit.writes().isEmpty());

    const auto again = openRow(rows()[4], &window);
    table.slot(7).storeValue(bytesOf({0x64, 0x00}));
    unit.addFault(FaultKind::NoReply, "all");
    okOf(*again)->click();
    EXPECT_EQ(again->result(), QDialog::Accepted) << "the dialog closes all the same";
    EXPECT_EQ(table.slot(7).value().left(2), bytesOf({0x64, 0x00})) << "and keeps the cache";
    CResetDataDlg reset(link, prompts, table.slot(29));
    prompts.answerNext(PromptAnswer::Yes);
    button(reset, "command1")->click();
    const QStringList shown = prompts.texts(); // read, range, write, question, command
    ASSERT_EQ(shown.size(), 5);
    EXPECT_EQ((QStringList{shown[0], shown[2], shown[4]}), QStringList(3, READ_ERROR));
}

// The menu checks the acknowledgement of a dialog that closed when it wrote; the dialogs that
// write in turn check their own and let OK write everything again.
TEST_P(ParameterDialogs, ShowABadAcknowledgementAs2601Once)
{
    CProgramModesMenu menu(link, {}, 200, 100, QString(), 2.5f, prompts);
    // Filter time, time and day, network adapter; how many records the dialog writes in turn.
    const std::pair<int, int> cases[] = {{5, 0}, {15, 2}, {19, 4}};
    for (const auto& [row, inTurn] : cases) {
        SCOPED_TRACE(rows()[row].name);
        prompts.clear();
        const auto dialog = openRow(rows()[row], &menu);
        unit.addFault(FaultKind::BadChecksum, "write:1");
        okOf(*dialog)->click();
        ASSERT_TRUE(EventPump::waitUntil([&] { return !prompts.shown().isEmpty(); }));
        EventPump::deliverPosted();
        EXPECT_EQ(prompts.texts(), QStringList{BAD_ACKNOWLEDGEMENT});
        EXPECT_EQ(unit.writes().size(), 1);
        EXPECT_EQ(dialog->isVisible(), inTurn > 0);
        if (inTurn > 0) {
            okOf(*dialog)->click();
            EXPECT_TRUE(EventPump::waitUntil(
                [&] { return !dialog->isVisible() && unit.writes().size() == 1 + inTurn; }));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Serial, ParameterDialogsOnSerial, SerialOnly, TransportName);

TEST_P(ProgramModesMenu, OwnsTheLinkAndProgramsTheUnitThroughItsDialogs)
{
    const auto result = run([this](CProgramModesMenu& menu) {
        EXPECT_EQ(link.GetOwner(), &menu);
        RepliesTaken acknowledgements(menu);
        // "No Battery" for P15 turns the battery 2 buttons off at once.
        fromMenu(menu, "P15: Batt2 Enable/Capacity",
                 [](CParameterDlg& dialog) { button(dialog, "noBattery")->click(); });
        ASSERT_TRUE(EventPump::waitUntil([&] { return acknowledgements.count == 1; }));
        EXPECT_FALSE(button(menu, "P28: Batt2 Lo Alarm Setpoint")->isEnabled());
        EXPECT_TRUE(button(menu, "P26: Batt1 Lo Alarm Setpoint")->isEnabled());

        fromMenu(menu, "P6-9: Amp/Volt Labels", [](CParameterDlg& dialog) {
            whenModal<CVolt2LabelDlg>([](CVolt2LabelDlg& label) {
                label.findChild<QLineEdit*>(QStringLiteral("label"))->setText("Starter battery");
                label.accept();
            });
            button(dialog, "volt2Label")->click();
        });
        ASSERT_TRUE(EventPump::waitUntil([&] { return acknowledgements.count == 2; }));

        // Every erase asks first; No sends nothing.
        prompts.answerNext(PromptAnswer::No);
        prompts.answerNext(PromptAnswer::Yes);
        whenModal<CResetDataDlg>([](CResetDataDlg& dialog) {
            RepliesTaken acknowledged(*dialog.findChild<ParameterSession*>());
            button(dialog, "command1")->click();
            button(dialog, "command1")->click();
            EXPECT_TRUE(EventPump::waitUntil([&] { return acknowledged.count == 1; }));
            dialog.accept();
        });
        button(menu, "P45-49: Erase / Initialize Data")->click();
    });
    EXPECT_FALSE(result.battery2Present);
    EXPECT_EQ(result.battery2Capacity, 0);
    EXPECT_EQ(result.volt2Label, QStringLiteral("Starter ba")) << "ten characters at most";
    EXPECT_EQ(written(), (QList<Record>{{0xF1, bytesOf({0, 0})},
                                        {0xE1, bytesOf({0x06, 0x06, 0x01})},
                                        {0x27, bytesOf({0x72})}}));
    ASSERT_EQ(prompts.shown().size(), 3);
    EXPECT_EQ(prompts.shown()[1].buttons, PromptButtons::YesNo);
    EXPECT_EQ(prompts.shown()[2].icon, PromptIcon::Information) << "the report, after Yes";
}

INSTANTIATE_TEST_SUITE_P(Both, ProgramModesMenu, BothTransports, TransportName);

TEST_P(ProgramModesMenu, OpensTheDialogOfEachButtonsRecordsAndTurnsButtonsOnByBatteryAndFirmware)
{
    // In the menu's order, the record each dialog reads first; the erase dialog reads none.
    const QList<int> firstReads{0xFF, 0xFE, 0xFD, 0xFC, 0xFB, 0xE1, 0xF6, 0xF2, 0xF1,
                                0xF3, 0xCE, 0xCD, 0xEC, 0xEA, 0xEB, 0xE9, 0xD4, 0xE8,
                                0xE7, 0xE5, 0xE3, 0xE2, 0xF9, 0xD0, 0xD1, -1,   0x90};
    CProgramModesMenu menu(link, {}, 200, 100, QString(), 2.5f, prompts);
    QList<int> reads;
    for (QPushButton* each : menu.findChildren<QPushButton*>()) {
        // Done closes the menu; the settings file buttons open no dialog of the unit.
        if (!each->isEnabled() || each->objectName() == QStringLiteral("Done") ||
            each->objectName().endsWith(QStringLiteral("File...")))
            continue;
        unit.clearRequests();
        whenModal<QDialog>([&](QDialog& dialog) {
            const bool reading = dialog.findChild<QDialogButtonBox*>(); // not the erase dialog
            EXPECT_TRUE(!reading ||
                        EventPump::waitUntil([&] { return okOf(dialog)->isEnabled(); }));
            reads.append(readAddresses().value(0, -1));
            dialog.reject();
        });
        each->click();
    }
    EXPECT_EQ(reads, firstReads);

    CProgramModesMenu older(link, {}, 200, 0, QString(), 1.9f, prompts);
    EXPECT_FALSE(button(older, "Network TCP/IP Settings")->isEnabled());
    EXPECT_FALSE(button(older, "P28: Batt2 Lo Alarm Setpoint")->isEnabled());
    EXPECT_TRUE(button(older, "P26: Batt1 Lo Alarm Setpoint")->isEnabled());
}

TEST_P(ProgramModesMenu, SavesTheSettingsToAFileAndWritesBackTheTickedRecordsThatDiffer)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("unit.ini"));
    CProgramModesMenu menu(link, {}, 200, 0, QString(), 2.5f, prompts);
    EXPECT_FALSE(button(menu, "P28: Batt2 Lo Alarm Setpoint")->isEnabled());
    menu.setFileChooser([&path](QWidget*, bool) { return path; });
    button(menu, "Save Settings to File...")->click();
    EXPECT_EQ(prompts.lastText(), QStringLiteral("Saved 27 parameter records to ") + path + '.');

    // Battery 2 removed, a low alarm and the adapter's name changed since.
    unit.setRecord(0xF1, bytesOf({0, 0}));
    unit.setRecord(0xEC, bytesOf({125, 0, 30}));
    unit.setRecord(0x92, QByteArray("OTHER").leftJustified(16, '\0'));
    whenModal<CSettingsRestoreDlg>([&](CSettingsRestoreDlg& dialog) {
        QStringList ticks;
        auto* records = dialog.findChild<QTableWidget*>(QStringLiteral("records"));
        for (int row = 0; row < records->rowCount(); ++row)
            if (records->item(row, 0)->flags() & Qt::ItemIsUserCheckable)
                ticks.append(records->item(row, 0)->text().section(u' ', 0, 0) +
                             (records->item(row, 0)->checkState() ? "+" : "-"));
        EXPECT_EQ(ticks, QStringList({"P15+", "P26+", "NetC-"}));
        button(dialog, "writeSelected")->click();
        dialog.reject();
    });
    unit.clearRequests();
    button(menu, "Load Defaults from File...")->click();
    EXPECT_EQ(prompts.lastText(), QStringLiteral("Restored 2 records: P15, P26."));
    EXPECT_EQ(written(), (QList<Record>{{0xF1, bytesOf({100, 0})}, {0xEC, bytesOf({118, 0, 50})}}));
    EXPECT_TRUE(button(menu, "P28: Batt2 Lo Alarm Setpoint")->isEnabled()) << "battery 2 is back";
}
