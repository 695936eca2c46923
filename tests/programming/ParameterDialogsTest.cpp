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
#include "shell/CIpAddressCtrl.h"
#include "tests/programming/ProgrammingFixture.h"
#include "tests/support/ModalDriver.h"

#include <QComboBox>
#include <QDir>
#include <QHostAddress>
#include <QLineEdit>
#include <QTimeEdit>
#include <memory>

namespace {

// owner: the window that takes the acknowledgement of the write.
using Make = std::function<CParameterDlg*(QObject* owner)>;

// A dialog; the records the unit holds when it opens, which it reads in this order; the edits
// made through its controls; the records OK writes.
struct Row {
    const char* name;
    Make make;
    QList<Record> read;
    QStringList edits;
    QList<Record> written;
    bool ownerAcknowledges; // else the dialog's own session takes every acknowledgement
};

// "ADDRESS: BYTES | ADDRESS: BYTES", all in hex.
QList<Record> records(const char* text)
{
    QList<Record> list;
    for (const QString& record : QString::fromLatin1(text).split(u'|', Qt::SkipEmptyParts))
        list.append({record.section(u':', 0, 0).toInt(nullptr, 16),
                     QByteArray::fromHex(record.section(u':', 1).toLatin1())});
    return list;
}

// edits: "control=value control ...", each control found by its object name.
Row row(const char* name, Make make, const char* read, const char* edits, const char* written,
        bool ownerAcknowledges = true)
{
    return {name,
            std::move(make),
            records(read),
            QString::fromLatin1(edits).split(u' ', Qt::SkipEmptyParts),
            records(written),
            ownerAcknowledges};
}

// Sets the text of an edit, the entry of a list, the time of a picker or the address of an
// address control; clicks a button, and when it is given a value picks the choice of that name
// in the chooser it opens.
void apply(QWidget& dialog, const QString& edit)
{
    const QString value = edit.section(u'=', 1);
    auto* control = dialog.findChild<QWidget*>(edit.section(u'=', 0, 0));
    ASSERT_NE(control, nullptr) << edit.toStdString();
    if (auto* line = dynamic_cast<QLineEdit*>(control))
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
            row("switch items P3", single<CSwitchItemsDlg>(2, QStringList()), "FD: 03 07 00 37 16",
                "place2=item33 place5=item0", "FD: 03 21 00 00 00"),
            row("labels", single<CLabelsDlg>(5, QString()), "E1: 11 02 07", "volts1=1 amps1=4",
                "E1: 04 02 07"),
            row("shunts, firmware 1.5", single<CShuntDlg>(6, 1.5f), "F6: 10 20 00",
                "shunt3=1 amps2Sum", "F6: 10 20 10"),
            row("shunts, firmware 2.0", single<CShuntDlg>(6, 2.0f), "F6: 10 20 00", "amps2Sum",
                "F6: 10 00 00"),
            row("capacity", single<CBatteryCapacityDlg>(7), "F2: C8 00", "ampHours=9999",
                "F2: 0F 27"),
            row("filter time", single<CFilterTimeDlg>(9), "F3: 02", "minutes=3", "F3: 03"),
            row("alarm enables P22-23", single<CAlarmsEnableDlg>(12), "CE: 00 FC",
                "alarm1=1 alarm2=2 alarm5=1", "CE: 21 01"),
            row("low alarm P26", setpoint(Kind::LowAlarm, 14), "EC: 78 00 00",
                "unused volts=11.75 criterion=40", "EC: 75 00 28"),
            row("high alarm P27", setpoint(Kind::HighAlarm, 15), "EA: 8C 00 37", "volts=14.5",
                "EA: 91 00 37"),
            row("charge criteria P32", setpoint(Kind::ChargeCriteria, 19), "E8: 90 00 05",
                "unused criterion=500", "E8: 90 00 00"),
            row("relay, firmware 2.1", single<CRelayDlg>(18, 2.1f), "D4: 73 00 00 8A 00 64", "",
                "D4: 73 00 00 8A 00 64"),
            row("relay, firmware 1.5", single<CRelayDlg>(18, 1.5f), "D4: 73 00 00 8A 00 64",
                "rightChargeCriteria", "D4: 73 00 00 8A 00 00"),
            row("relay reversed, made normal", single<CRelayDlg>(18, 2.0f), "D4: 8C 00 5A 78 00 14",
                "normal leftVolts=12.26", "D4: 7A 00 14 8C 00 5A"),
            row("efficiency", single<CEfficiencyDlg>(21), "E5: 5A 19 00",
                "efficiency=100 selfDischarge=1.5", "E5: 64 96 00"),
            row("interval P36", single<CAlarmIntervalDlg>(22), "E3: 1E", "days=250", "E3: FA"),
            row("time and day", timeDay(), clock, "day=999 time=23:59:41", "F9: 3F 1F | 24: B3",
                false),
            row("time of the PC", timeDay(QTime(8, 5, 33)), clock, "pcTime", "F9: 2A 00 | 24: 7D",
                false),
            row("periodic log", single<CPeriodicLogDlg>(26),
                "D0: FF F8 5A 00 01 02 03 04 05 06 00 FC",
                "item1 item10 item9 interval=3 time=07:30:00",
                "D0: 7F FA 5A 5A 01 02 03 04 05 06 21 02"),
            row("discharge data", single<CDischargeDataDlg>(27), "D1: AF", "battery1 tenPercent",
                "D1: 0F"),
            row("network adapter", network(),
                "90: 81 C0 A8 01 14 C0 A8 01 01 08 C0 A8 01 02 | 91: 08 08 04 04 A5 06 | "
                "92: 53 48 45 44 00 | 93: 33 33 33 33",
                "defaults dhcp gateway=10.0.0.1 subnetMask=255.255.255.128 port=70000 name=BARN",
                "90: 80 00 00 00 00 0A 00 00 01 07 00 00 00 00 | 91: 00 00 00 00 70 11 | "
                "92: 42 41 52 4E 00 00 00 00 00 00 00 00 00 00 00 00 | "
                "93: 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"),
        };
    }

    std::unique_ptr<CParameterDlg> openRow(const Row& row, QObject* owner)
    {
        for (const Record& record : row.read)
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

} // namespace

TEST_P(ParameterDialogs, ReadTheirRecordsWhenShownAndOnOkWriteWhatTheControlsShow)
{
    for (const Row& row : rows()) {
        SCOPED_TRACE(row.name);
        unit.clearRequests();
        window.clear();
        const auto dialog = openRow(row, &window);
        QList<int> reads;
        for (const Record& record : row.read)
            reads.append(record.address);
        EXPECT_EQ(readAddresses(), reads);
        for (const QString& edit : row.edits)
            apply(*dialog, edit);
        okOf(*dialog)->click();
        ASSERT_TRUE(EventPump::waitUntil([&] {
            return !dialog->isVisible() && window.replies().size() == int(row.ownerAcknowledges);
        }));
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_EQ(written(), row.written);
        EXPECT_TRUE(prompts.shown().isEmpty()) << prompts.texts().join(u'|').toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Both, ParameterDialogs, BothTransports, TransportName);

TEST_P(ParameterDialogsOnSerial, ARefusedReadClosesTheDialogAndARefusedEntryOrCancelWritesNothing)
{
    unit.addFault(FaultKind::NoReply, "all");
    CFilterTimeDlg refused(link, prompts, table.slot(9), &window);
    refused.show();
    EventPump::deliverPosted();
    EXPECT_FALSE(refused.isVisible());
    EXPECT_EQ(refused.result(), QDialog::Rejected);
    EXPECT_EQ(prompts.shown().size(), 1);
    unit.clearFaults();
    unit.clearRequests();

    const auto capacity = openRow(rows()[4], &window);
    apply(*capacity, QStringLiteral("ampHours=70000"));
    okOf(*capacity)->click();
    EXPECT_EQ(prompts.shown().size(), 2) << "the entry was refused";
    EXPECT_TRUE(capacity->isVisible());
    capacity->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
    EXPECT_EQ(capacity->result(), QDialog::Rejected);
    EXPECT_TRUE(unit.writes().isEmpty());
}

// The menu checks the acknowledgement of a dialog that closed when it wrote; the dialogs that
// write in turn check their own and let OK write everything again.
TEST_P(ParameterDialogsOnSerial, ABadAcknowledgementShows2601Once)
{
    CProgramModesMenu menu(link, {}, 200, 100, QString(), 2.5f, prompts);
    // Filter time, time and day, network adapter; whether the dialog stays open.
    const std::pair<int, bool> cases[] = {{5, false}, {15, true}, {19, true}};
    for (const auto& [row, staysOpen] : cases) {
        SCOPED_TRACE(rows()[row].name);
        prompts.clear();
        unit.clearRequests();
        const auto dialog = openRow(rows()[row], &menu);
        unit.addFault(FaultKind::BadChecksum, "write:1");
        okOf(*dialog)->click();
        ASSERT_TRUE(EventPump::waitUntil([&] { return !prompts.shown().isEmpty(); }));
        EventPump::deliverPosted();
        EXPECT_EQ(prompts.texts(), QStringList{BAD_ACKNOWLEDGEMENT});
        EXPECT_EQ(unit.writes().size(), 1);
        EXPECT_EQ(dialog->isVisible(), staysOpen);
        EXPECT_TRUE(okOf(*dialog)->isEnabled());
    }
}

// Pictures of every programming dialog once its records are read, for a look at them. Written
// only when GORVANE_PROGRAMMING_SHOTS names a folder.
TEST_P(ParameterDialogsOnSerial, EveryDialogRendersToAPicture)
{
    const QString folder = qEnvironmentVariable("GORVANE_PROGRAMMING_SHOTS");
    if (folder.isEmpty() || !QDir().mkpath(folder))
        GTEST_SKIP() << "set GORVANE_PROGRAMMING_SHOTS to a folder to get the pictures";
    auto save = [&](QWidget& widget, const QString& name) {
        widget.show();
        EventPump::deliverPosted();
        EXPECT_TRUE(widget.grab().save(QDir(folder).filePath(name + QStringLiteral(".png"))));
    };
    for (const Row& row : rows()) {
        unit.clearRequests();
        save(*openRow(row, &window), QString::fromLatin1(row.name));
    }
    CProgramModesMenu menu(link, {}, 200, 0, QStringLiteral("Battery 2"), 2.1f, prompts);
    save(menu, QStringLiteral("menu"));
    CResetDataDlg reset(link, prompts, table.slot(29));
    save(reset, QStringLiteral("erase"));
    CItemChooserDlg chooser({}, 13);
    save(chooser, QStringLiteral("item chooser"));
    CVolt2LabelDlg volt2(QStringLiteral("Battery 2"));
    save(volt2, QStringLiteral("volt 2 label"));
}

INSTANTIATE_TEST_SUITE_P(Serial, ParameterDialogsOnSerial, SerialOnly, TransportName);
