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
#include <QDialogButtonBox>
#include <QDir>
#include <QHostAddress>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <memory>

namespace {

// What a row's dialog is built on; owner takes the acknowledgement of the write.
struct Kit {
    CUnitLink& link;
    PromptService& prompts;
    ParameterTable& table;
    QObject* owner;
};
using Make = std::function<CParameterDlg*(const Kit&)>;

// A change made through a control found by its object name: the text of an edit, the entry of
// a list, the time of a picker, the address of an address control; a button is clicked, and
// when a value is given it opens a chooser in which the choice of that name is picked.
struct Edit {
    const char* control;
    QString value;
};

struct Row {
    const char* name;
    Make make;
    QList<Record> read; // set on the unit; the dialog reads them in this order
    QList<Edit> edits;
    QList<Record> written;
    bool ownerAcknowledges = true; // else the dialog's own session takes every acknowledgement
};

// Dialogs of one record whose constructors take the link, the prompts, the record, what extra
// is given, then the acknowledgement's owner.
template <class Dialog, class... Extra> Make single(int slot, Extra... extra)
{
    return [=](const Kit& kit) -> CParameterDlg* {
        return new Dialog(kit.link, kit.prompts, kit.table.slot(slot), extra..., kit.owner);
    };
}

Make setpoint(CSetpointDlg::Kind kind, int slot)
{
    return [=](const Kit& kit) -> CParameterDlg* {
        return new CSetpointDlg(kind, kit.link, kit.prompts, kit.table.slot(slot), kit.owner);
    };
}

Make timeDay(QTime pcTime = {})
{
    return [=](const Kit& kit) -> CParameterDlg* {
        auto* dialog =
            new CTimeDayDlg(kit.link, kit.prompts, kit.table.slot(24), kit.table.slot(25));
        dialog->setClock([pcTime] { return pcTime; });
        return dialog;
    };
}

CParameterDlg* network(const Kit& kit)
{
    ParameterTable& t = kit.table;
    return new CNetworkSettingsDlg(kit.link, kit.prompts,
                                   {&t.slot(30), &t.slot(31), &t.slot(32), &t.slot(33)}, kit.owner);
}

QByteArray text16(const char* text)
{
    return QByteArray(text).leftJustified(16, '\0', true);
}

const QList<Record> ADAPTER_READ{
    {0x90, bytesOf({0x81, 192, 168, 1, 20, 192, 168, 1, 1, 8, 192, 168, 1, 2})},
    {0x91, bytesOf({8, 8, 4, 4, 0xA5, 0x06})},
    {0x92, text16("SHED")},
    {0x93, QByteArray(16, 0x33)}};
const QByteArray RELAY_LOW_ON = bytesOf({115, 0, 0, 138, 0, 100});
const QByteArray PERIODIC_READ = bytesOf({0xFF, 0xF8, 0x5A, 0, 1, 2, 3, 4, 5, 6, 0x00, 0xFC});

// The slots and record addresses restated; every kind of dialog, and each firmware variant
// where the dialog's controls differ.
const QList<Row>& rows()
{
    using Kind = CSetpointDlg::Kind;
    static const QList<Row> table{
        {"switch items P3",
         single<CSwitchItemsDlg>(2, QStringList()),
         {{0xFD, bytesOf({3, 7, 0, 55, 22})}},
         {{"place2", "item33"}, {"place5", "item0"}},
         {{0xFD, bytesOf({3, 33, 0, 0, 0})}}},
        {"labels",
         single<CLabelsDlg>(5, QString()),
         {{0xE1, bytesOf({0x11, 0x02, 0x07})}},
         {{"volts1", "1"}, {"amps1", "4"}},
         {{0xE1, bytesOf({0x04, 0x02, 0x07})}}},
        {"shunts, firmware 1.5",
         single<CShuntDlg>(6, 1.5f),
         {{0xF6, bytesOf({0x10, 0x20, 0})}},
         {{"shunt3", "1"}, {"amps2Sum", ""}},
         {{0xF6, bytesOf({0x10, 0x20, 0x10})}}},
        {"shunts, firmware 2.0",
         single<CShuntDlg>(6, 2.0f),
         {{0xF6, bytesOf({0x10, 0x20, 0})}},
         {{"amps2Sum", ""}},
         {{0xF6, bytesOf({0x10, 0x00, 0x00})}}},
        {"capacity P14",
         single<CBatteryCapacityDlg>(7),
         {{0xF2, bytesOf({0xC8, 0x00})}},
         {{"ampHours", "9999"}},
         {{0xF2, bytesOf({0x0F, 0x27})}}},
        {"capacity P15, no battery",
         single<CBatteryCapacityDlg>(8),
         {{0xF1, bytesOf({100, 0})}},
         {{"noBattery", ""}},
         {{0xF1, bytesOf({0, 0})}}},
        {"filter time",
         single<CFilterTimeDlg>(9),
         {{0xF3, bytesOf({2})}},
         {{"minutes", "3"}},
         {{0xF3, bytesOf({3})}}},
        {"alarm enables P22-23",
         single<CAlarmsEnableDlg>(12),
         {{0xCE, bytesOf({0x00, 0xFC})}},
         {{"alarm1", "1"}, {"alarm2", "2"}, {"alarm5", "1"}},
         {{0xCE, bytesOf({0x21, 0x01})}}},
        {"low alarm P26",
         setpoint(Kind::LowAlarm, 14),
         {{0xEC, bytesOf({0x78, 0x00, 0})}},
         {{"unused", ""}, {"volts", "11.75"}, {"criterion", "40"}},
         {{0xEC, bytesOf({0x75, 0x00, 40})}}},
        {"high alarm P27",
         setpoint(Kind::HighAlarm, 15),
         {{0xEA, bytesOf({0x8C, 0x00, 0x37})}},
         {{"volts", "14.5"}},
         {{0xEA, bytesOf({0x91, 0x00, 0x37})}}},
        {"charge criteria P32",
         setpoint(Kind::ChargeCriteria, 19),
         {{0xE8, bytesOf({0x90, 0x00, 5})}},
         {{"unused", ""}, {"criterion", "500"}},
         {{0xE8, bytesOf({0x90, 0x00, 0})}}},
        {"relay, firmware 2.1",
         single<CRelayDlg>(18, 2.1f),
         {{0xD4, RELAY_LOW_ON}},
         {},
         {{0xD4, RELAY_LOW_ON}}},
        {"relay, firmware 1.5",
         single<CRelayDlg>(18, 1.5f),
         {{0xD4, RELAY_LOW_ON}},
         {{"rightChargeCriteria", ""}},
         {{0xD4, bytesOf({115, 0, 0, 138, 0, 0})}}},
        {"relay reversed, made normal",
         single<CRelayDlg>(18, 2.0f),
         {{0xD4, bytesOf({140, 0, 90, 120, 0, 20})}},
         {{"normal", ""}, {"leftVolts", "12.26"}},
         {{0xD4, bytesOf({122, 0, 20, 140, 0, 90})}}},
        {"efficiency",
         single<CEfficiencyDlg>(21),
         {{0xE5, bytesOf({90, 0x19, 0x00})}},
         {{"efficiency", "100"}, {"selfDischarge", "1.5"}},
         {{0xE5, bytesOf({100, 0x96, 0x00})}}},
        {"interval P36",
         single<CAlarmIntervalDlg>(22),
         {{0xE3, bytesOf({30})}},
         {{"days", "250"}},
         {{0xE3, bytesOf({250})}}},
        {"time and day",
         timeDay(),
         {{0xF9, bytesOf({0x2C, 0x00})}, {0x24, bytesOf({107})}},
         {{"day", "999"}, {"time", "23:59:41"}},
         {{0xF9, bytesOf({0x3F, 0x1F})}, {0x24, bytesOf({179})}},
         false},
        {"time of the PC",
         timeDay(QTime(8, 5, 33)),
         {{0xF9, bytesOf({0x2C, 0x00})}, {0x24, bytesOf({107})}},
         {{"pcTime", ""}},
         {{0xF9, bytesOf({0x2A, 0x00})}, {0x24, bytesOf({125})}},
         false},
        {"periodic log",
         single<CPeriodicLogDlg>(26),
         {{0xD0, PERIODIC_READ}},
         {{"item1", ""}, {"item10", ""}, {"item9", ""}, {"interval", "3"}, {"time", "07:30:00"}},
         {{0xD0, bytesOf({0x7F, 0xFA, 0x5A, 90, 1, 2, 3, 4, 5, 6, 0x21, 0x02})}}},
        {"discharge data",
         single<CDischargeDataDlg>(27),
         {{0xD1, bytesOf({0xAF})}},
         {{"battery1", ""}, {"tenPercent", ""}},
         {{0xD1, bytesOf({0x0F})}}},
        {"network adapter",
         network,
         ADAPTER_READ,
         {{"dhcp", ""}, {"subnetMask", "255.255.0.0"}, {"port", "70000"}, {"name", "BARN"}},
         {{0x90, bytesOf({0x80, 192, 168, 1, 20, 192, 168, 1, 1, 16, 192, 168, 1, 2})},
          {0x91, bytesOf({8, 8, 4, 4, 0x70, 0x11})},
          {0x92, text16("BARN")},
          {0x93, QByteArray(16, 0)}}},
        {"network adapter defaults",
         network,
         ADAPTER_READ,
         {{"defaults", ""}},
         {{0x90, bytesOf({0x81, 0, 0, 0, 0, 0, 0, 0, 0, 16, 0, 0, 0, 0})},
          {0x91, bytesOf({0, 0, 0, 0, 0xA5, 0x06})},
          {0x92, text16("ZELTRAVANIC1")},
          {0x93, QByteArray(16, 0)}}},
    };
    return table;
}

QPushButton* okOf(QWidget& dialog)
{
    return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
}

void apply(QWidget& dialog, const Edit& edit)
{
    auto* control = dialog.findChild<QWidget*>(QString::fromLatin1(edit.control));
    ASSERT_NE(control, nullptr) << edit.control;
    if (auto* line = dynamic_cast<QLineEdit*>(control))
        line->setText(edit.value);
    else if (auto* list = dynamic_cast<QComboBox*>(control))
        list->setCurrentIndex(edit.value.toInt());
    else if (auto* time = dynamic_cast<QTimeEdit*>(control))
        time->setTime(QTime::fromString(edit.value));
    else if (auto* address = dynamic_cast<CIpAddressCtrl*>(control))
        address->SetAddress(QHostAddress(edit.value).toIPv4Address());
    else if (edit.value.isEmpty())
        dynamic_cast<QAbstractButton&>(*control).click();
    else {
        whenModal<QDialog>([choice = edit.value](QDialog& chooser) {
            chooser.findChild<QAbstractButton*>(choice)->setChecked(true);
            chooser.accept();
        });
        dynamic_cast<QAbstractButton&>(*control).click();
    }
}

class DialogsOnUnit : public OnUnit {
protected:
    Kit kit(QObject* owner) { return {link, prompts, table, owner}; }

    std::unique_ptr<CParameterDlg> openRow(const Row& row, QObject* owner)
    {
        for (const Record& record : row.read)
            unit.setRecord(static_cast<quint8>(record.address), record.bytes);
        std::unique_ptr<CParameterDlg> dialog(row.make(kit(owner)));
        dialog->show();
        EXPECT_TRUE(EventPump::waitUntil([&] { return okOf(*dialog)->isEnabled(); }));
        return dialog;
    }
};

class ParameterDialogs : public DialogsOnUnit, public ::testing::WithParamInterface<Transport> {
protected:
    void SetUp() override { openOver(GetParam()); }
};

class ParameterDialogsOnSerial : public DialogsOnUnit {
protected:
    void SetUp() override { openOver(Transport::Serial); }
};

} // namespace

TEST_P(ParameterDialogs, ReadTheirRecordsWhenShownAndOnOkWriteWhatTheControlsShow)
{
    for (const Row& row : rows()) {
        SCOPED_TRACE(row.name);
        unit.clearRequests();
        window.clear();
        for (const Record& record : row.read)
            unit.setRecord(static_cast<quint8>(record.address), record.bytes);
        const std::unique_ptr<CParameterDlg> dialog(row.make(kit(&window)));
        EventPump::deliverPosted();
        EXPECT_TRUE(unit.requests().isEmpty()) << "nothing is read before the dialog shows";
        EXPECT_FALSE(okOf(*dialog)->isEnabled());
        dialog->show();
        ASSERT_TRUE(EventPump::waitUntil([&] { return okOf(*dialog)->isEnabled(); }));
        QList<int> reads;
        for (const Record& record : row.read)
            reads.append(record.address);
        EXPECT_EQ(readAddresses(), reads);

        for (const Edit& edit : row.edits)
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

TEST_F(ParameterDialogsOnSerial, ARefusedReadClosesTheDialogAndARefusedEntryOrCancelWritesNothing)
{
    unit.addFault(FaultKind::NoReply, "all");
    CFilterTimeDlg refused(link, prompts, table.slot(9), &window);
    refused.show();
    EventPump::deliverPosted();
    EXPECT_FALSE(refused.isVisible());
    EXPECT_EQ(refused.result(), QDialog::Rejected);
    EXPECT_EQ(prompts.shown().size(), 1);
    unit.clearFaults();

    const auto capacity = openRow(rows()[4], &window);
    apply(*capacity, {"ampHours", "70000"});
    okOf(*capacity)->click();
    EXPECT_EQ(prompts.shown().size(), 2) << "the entry was refused";
    EXPECT_TRUE(capacity->isVisible());
    capacity->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
    EXPECT_EQ(capacity->result(), QDialog::Rejected);
    EXPECT_TRUE(unit.writes().isEmpty());
}

// The menu checks the acknowledgement of a dialog that closed when it wrote; the dialogs that
// write in turn check their own and let OK write everything again.
TEST_F(ParameterDialogsOnSerial, ABadAcknowledgementShows2601Once)
{
    CProgramModesMenu menu(link, {}, 200, 100, QString(), 2.5f, prompts);
    // Filter time, time and day, network adapter; whether the dialog stays open.
    const std::pair<int, bool> cases[] = {{6, false}, {16, true}, {20, true}};
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
TEST_F(ParameterDialogsOnSerial, EveryDialogRendersToAPicture)
{
    const QString folder = qEnvironmentVariable("GORVANE_PROGRAMMING_SHOTS");
    if (folder.isEmpty() || !QDir().mkpath(folder))
        GTEST_SKIP() << "set GORVANE_PROGRAMMING_SHOTS to a folder to get the pictures";
    auto save = [&](QWidget& widget, const QString& name) {
        widget.show();
        EventPump::deliverPosted();
        EXPECT_TRUE(widget.grab().save(QDir(folder).filePath(name + QStringLiteral(".png"))));
    };
    for (const Row& row : rows())
        save(*openRow(row, &window), QString::fromLatin1(row.name));
    CProgramModesMenu menu(link, {}, 200, 0, QStringLiteral("Battery 2"), 2.1f, prompts);
    save(menu, QStringLiteral("menu"));
    CResetDataDlg reset(link, prompts, table.slot(29));
    save(reset, QStringLiteral("erase"));
    CItemChooserDlg chooser({}, 13);
    save(chooser, QStringLiteral("item chooser"));
    CVolt2LabelDlg volt2(QStringLiteral("Battery 2"));
    save(volt2, QStringLiteral("volt 2 label"));
}
