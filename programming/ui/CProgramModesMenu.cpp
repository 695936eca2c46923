#include "programming/ui/CProgramModesMenu.h"

#include "link/CUnitLink.h"
#include "link/TcpLogin.h"
#include "programming/BatteryCapacityRecord.h"
#include "programming/ParameterCoding.h"
#include "programming/UnitSettings.h"
#include "programming/WriteAcknowledgement.h"
#include "programming/ui/CAlarmIntervalDlg.h"
#include "programming/ui/CAlarmsEnableDlg.h"
#include "programming/ui/CBatteryCapacityDlg.h"
#include "programming/ui/CDischargeDataDlg.h"
#include "programming/ui/CEfficiencyDlg.h"
#include "programming/ui/CFilterTimeDlg.h"
#include "programming/ui/CLabelsDlg.h"
#include "programming/ui/CNetworkSettingsDlg.h"
#include "programming/ui/CPeriodicLogDlg.h"
#include "programming/ui/CRelayDlg.h"
#include "programming/ui/CResetDataDlg.h"
#include "programming/ui/CSetpointDlg.h"
#include "programming/ui/CSettingsRestoreDlg.h"
#include "programming/ui/CShuntDlg.h"
#include "programming/ui/CSwitchItemsDlg.h"
#include "programming/ui/CTimeDayDlg.h"
#include "resources/PromptService.h"
#include "shell/WaitCursor.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

struct CProgramModesMenu::Entry {
    const char* caption;
    int slot;
    // None for the buttons that stay disabled.
    void (CProgramModesMenu::*open)(int slot);
};

namespace {

constexpr int NO_SLOT = -1;
constexpr int MENU_ROWS = 11;

const char* const BATTERY1_BUTTONS[] = {
    "P22-23: Alarm Enable Batt 1", "P26: Batt1 Lo Alarm Setpoint", "P27: Batt1 Hi Alarm Setpoint",
    "P32: Batt1 Charged Criteria"};
const char* const BATTERY2_BUTTONS[] = {
    "P24-25: Alarm Enable Batt 2", "P28: Batt2 Lo Alarm Setpoint", "P29: Batt2 Hi Alarm Setpoint",
    "P33: Batt2 Charged Criteria"};
const char* const NETWORK_BUTTON = "Network TCP/IP Settings";
const char* const SETTINGS_FILES = "Settings files (*.ini);;All files (*)";

} // namespace

CProgramModesMenu::Result CProgramModesMenu::Run(CUnitLink& link, const QStringList& liveItemNames,
                                                 std::uint16_t battery1Capacity,
                                                 std::uint16_t battery2Capacity,
                                                 const QString& volt2Label, float firmwareVersion,
                                                 PromptService& prompts, QWidget* parent)
{
    CProgramModesMenu menu(link, liveItemNames, battery1Capacity, battery2Capacity, volt2Label,
                           firmwareVersion, prompts, parent);
    menu.exec();
    return menu.handBack();
}

CProgramModesMenu::CProgramModesMenu(CUnitLink& link, const QStringList& liveItemNames,
                                     std::uint16_t battery1Capacity, std::uint16_t battery2Capacity,
                                     const QString& volt2Label, float firmwareVersion,
                                     PromptService& prompts, QWidget* parent)
    : QDialog(parent), link_(link), prompts_(prompts), liveItemNames_(liveItemNames),
      firmwareVersion_(firmwareVersion), result_{battery1Capacity, battery2Capacity,
                                                 battery1Capacity != 0, battery2Capacity != 0,
                                                 volt2Label}
{
    setWindowTitle(QStringLiteral("Program Modes"));
    buildButtons();
    link_.SetOwner(this);
    applyBatteryRules();
    button(QString::fromLatin1(NETWORK_BUTTON))
        ->setEnabled(ParameterCoding::hasNewFeatures(firmwareVersion_));
}

void CProgramModesMenu::buildButtons()
{
    static const Entry entries[] = {
        {"P1: Switch Select #1", SLOT_SWITCH1, &CProgramModesMenu::openSwitchItems},
        {"P2: Switch Select #2", SLOT_SWITCH2, &CProgramModesMenu::openSwitchItems},
        {"P3: Switch Select #3", SLOT_SWITCH3, &CProgramModesMenu::openSwitchItems},
        {"P4: Switch Select #4", SLOT_SWITCH4, &CProgramModesMenu::openSwitchItems},
        {"P5: Switch Select #5", SLOT_SWITCH5, &CProgramModesMenu::openSwitchItems},
        {"P6-9: Amp/Volt Labels", SLOT_LABELS, &CProgramModesMenu::openLabels},
        {"P11-13: Shunt Selection", SLOT_SHUNTS, &CProgramModesMenu::openShunts},
        {"P14: Batt1 Enable/Capacity", SLOT_BATT1CAP, &CProgramModesMenu::openCapacity},
        {"P15: Batt2 Enable/Capacity", SLOT_BATT2CAP, &CProgramModesMenu::openCapacity},
        {"P16: Filter Time", SLOT_FILTER, &CProgramModesMenu::openDialog<CFilterTimeDlg>},
        {"P17-20: Charge Control", SLOT_CHARGECONTROL, nullptr},
        {"P22-23: Alarm Enable Batt 1", SLOT_BATT1ALARMS,
         &CProgramModesMenu::openDialog<CAlarmsEnableDlg>},
        {"P24-25: Alarm Enable Batt 2", SLOT_BATT2ALARMS,
         &CProgramModesMenu::openDialog<CAlarmsEnableDlg>},
        {"P26: Batt1 Lo Alarm Setpoint", SLOT_BATT1LOW, &CProgramModesMenu::openLowAlarm},
        {"P27: Batt1 Hi Alarm Setpoint", SLOT_BATT1HIGH, &CProgramModesMenu::openHighAlarm},
        {"P28: Batt2 Lo Alarm Setpoint", SLOT_BATT2LOW, &CProgramModesMenu::openLowAlarm},
        {"P29: Batt2 Hi Alarm Setpoint", SLOT_BATT2HIGH, &CProgramModesMenu::openHighAlarm},
        {"P30-31: Relay On/Off Setpoint", SLOT_RELAY, &CProgramModesMenu::openRelay},
        {"P32: Batt1 Charged Criteria", SLOT_BATT1CHARGED, &CProgramModesMenu::openChargeCriteria},
        {"P33: Batt2 Charged Criteria", SLOT_BATT2CHARGED, &CProgramModesMenu::openChargeCriteria},
        {"P34-35: Batt Eff. Comp.", SLOT_EFFICIENCY,
         &CProgramModesMenu::openDialog<CEfficiencyDlg>},
        {"P36: Time Between Equalize", SLOT_EQUALIZEDAYS,
         &CProgramModesMenu::openDialog<CAlarmIntervalDlg>},
        {"P37: Time between Charge", SLOT_CHARGEDAYS,
         &CProgramModesMenu::openDialog<CAlarmIntervalDlg>},
        {"P38: Time / Date", SLOT_CLOCKDAY, &CProgramModesMenu::openTimeDay},
        {"P39:-42: Periodic Logged Data", SLOT_PERIODICLOG,
         &CProgramModesMenu::openDialog<CPeriodicLogDlg>},
        {"P43: Discharge Profile Data", SLOT_DISCHARGELOG,
         &CProgramModesMenu::openDialog<CDischargeDataDlg>},
        {"P45-49: Erase / Initialize Data", SLOT_COMMAND, &CProgramModesMenu::openReset},
        {NETWORK_BUTTON, SLOT_NETWORK1, &CProgramModesMenu::openNetwork},
        {"Save Settings to File...", NO_SLOT, &CProgramModesMenu::saveSettings},
        {"Load Defaults from File...", NO_SLOT, &CProgramModesMenu::restoreSettings},
    };

    auto* grid = new QGridLayout;
    int position = 0;
    for (const Entry& entry : entries) {
        auto* pushButton = new QPushButton(QString::fromLatin1(entry.caption), this);
        pushButton->setObjectName(pushButton->text());
        pushButton->setAutoDefault(false);
        if (entry.open) {
            const Entry* opened = &entry;
            connect(pushButton, &QPushButton::clicked, this,
                    [this, opened] { (this->*(opened->open))(opened->slot); });
        } else {
            pushButton->setEnabled(false);
        }
        grid->addWidget(pushButton, position % MENU_ROWS, position / MENU_ROWS);
        buttons_.insert(pushButton->text(), pushButton);
        ++position;
    }

    auto* done = new QPushButton(QStringLiteral("Done"), this);
    done->setObjectName(done->text());
    done->setDefault(true);
    buttons_.insert(done->text(), done);
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
    grid->addWidget(done, MENU_ROWS - 1, position / MENU_ROWS);

    auto* layout = new QVBoxLayout(this);
    auto* prompt = new QLabel(QStringLiteral("Select the item you want to program..."), this);
    QFont bold = prompt->font();
    bold.setBold(true);
    prompt->setFont(bold);
    layout->addWidget(prompt);
    layout->addLayout(grid);
}

void CProgramModesMenu::applyBatteryRules()
{
    for (const char* caption : BATTERY1_BUTTONS)
        button(QString::fromLatin1(caption))->setEnabled(result_.battery1Present);
    for (const char* caption : BATTERY2_BUTTONS)
        button(QString::fromLatin1(caption))->setEnabled(result_.battery2Present);
}

void CProgramModesMenu::onTcpReply(int count, LinkRequest* request)
{
    if (request == nullptr)
        return;
    // A connection the link opened anew while the menu owns it logs in here.
    if (TcpLogin::onReply(link_, count, *request).step == TcpLogin::Step::NotLogin)
        checkAcknowledgement(count, *request);
}

void CProgramModesMenu::onSerialReply(int count, LinkRequest* request)
{
    if (request != nullptr)
        checkAcknowledgement(count, *request);
}

void CProgramModesMenu::checkAcknowledgement(int count, const LinkRequest& request)
{
    WriteAcknowledgement::check(count, request, prompts_);
    link_.ResetReceive();
}

template <class Dialog> void CProgramModesMenu::openDialog(int slot)
{
    Dialog dialog(link_, prompts_, table_.slot(slot), this, this);
    dialog.exec();
}

void CProgramModesMenu::openSwitchItems(int slot)
{
    CSwitchItemsDlg dialog(link_, prompts_, table_.slot(slot), liveItemNames_, this, this);
    dialog.exec();
}

void CProgramModesMenu::openLabels(int slot)
{
    CLabelsDlg dialog(link_, prompts_, table_.slot(slot), result_.volt2Label, this, this);
    if (dialog.exec() == QDialog::Accepted)
        result_.volt2Label = dialog.volt2Label();
}

void CProgramModesMenu::openShunts(int slot)
{
    CShuntDlg dialog(link_, prompts_, table_.slot(slot), firmwareVersion_, this, this);
    dialog.exec();
}

void CProgramModesMenu::openCapacity(int slot)
{
    CBatteryCapacityDlg dialog(link_, prompts_, table_.slot(slot), this, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const auto ampHours = static_cast<std::uint16_t>(dialog.ampHoursWritten());
    if (slot == SLOT_BATT1CAP) {
        result_.battery1Present = dialog.batteryPresent();
        result_.battery1Capacity = ampHours;
    } else {
        result_.battery2Present = dialog.batteryPresent();
        result_.battery2Capacity = ampHours;
    }
    applyBatteryRules();
}

void CProgramModesMenu::openLowAlarm(int slot)
{
    CSetpointDlg dialog(CSetpointDlg::Kind::LowAlarm, link_, prompts_, table_.slot(slot), this,
                        this);
    dialog.exec();
}

void CProgramModesMenu::openHighAlarm(int slot)
{
    CSetpointDlg dialog(CSetpointDlg::Kind::HighAlarm, link_, prompts_, table_.slot(slot), this,
                        this);
    dialog.exec();
}

void CProgramModesMenu::openChargeCriteria(int slot)
{
    CSetpointDlg dialog(CSetpointDlg::Kind::ChargeCriteria, link_, prompts_, table_.slot(slot),
                        this, this);
    dialog.exec();
}

void CProgramModesMenu::openRelay(int slot)
{
    CRelayDlg dialog(link_, prompts_, table_.slot(slot), firmwareVersion_, this, this);
    dialog.exec();
}

void CProgramModesMenu::openTimeDay(int slot)
{
    CTimeDayDlg dialog(link_, prompts_, table_.slot(slot), table_.slot(SLOT_CLOCKMINUTE), this);
    dialog.exec();
}

void CProgramModesMenu::openReset(int slot)
{
    CResetDataDlg dialog(link_, prompts_, table_.slot(slot), this);
    dialog.exec();
}

void CProgramModesMenu::openNetwork(int slot)
{
    const std::array<CProgramData*, NetworkAdapterBlocks::BLOCK_COUNT> records = {
        &table_.slot(slot), &table_.slot(slot + 1), &table_.slot(slot + 2), &table_.slot(slot + 3)};
    CNetworkSettingsDlg dialog(link_, prompts_, records, this, this);
    dialog.exec();
}

CProgramModesMenu::SettingsFileChooser CProgramModesMenu::platformFileChooser()
{
    return [](QWidget* parent, bool forSaving) {
        const QString filter = QString::fromLatin1(SETTINGS_FILES);
        return forSaving
                   ? QFileDialog::getSaveFileName(parent, QStringLiteral("Save Settings to File"),
                                                  QString(), filter)
                   : QFileDialog::getOpenFileName(parent, QStringLiteral("Load Defaults from File"),
                                                  QString(), filter);
    };
}

void CProgramModesMenu::saveSettings(int)
{
    const QString path = chooseFile_(this, true);
    if (path.isEmpty())
        return;
    UnitSettings settings(link_, table_, firmwareVersion_);
    std::optional<SettingsFile> file;
    {
        const WaitCursor busy;
        file = settings.save(QDateTime::currentDateTime());
    }
    QString error;
    if (!file || !file->writeTo(path, error)) {
        prompts_.show(file ? error : settings.errorText());
        return;
    }
    const QStringList report = QStringList{QStringLiteral("Saved %1 parameter records to %2.")
                                               .arg(file->entries.size())
                                               .arg(path)} +
                               settings.warnings();
    prompts_.show(report.join(u'\n'), settings.warnings().isEmpty() ? PromptIcon::Information
                                                                    : PromptIcon::Exclamation);
}

void CProgramModesMenu::restoreSettings(int)
{
    const QString path = chooseFile_(this, false);
    if (path.isEmpty())
        return;
    QStringList errors;
    auto file = SettingsFile::readFrom(path, errors);
    if (!file) {
        prompts_.show(QStringLiteral("%1 cannot be restored:\n%2").arg(path, errors.join(u'\n')));
        return;
    }
    CSettingsRestoreDlg dialog(link_, table_, firmwareVersion_, std::move(*file), prompts_, this);
    if (!dialog.compare())
        return;
    dialog.exec();
    takeRestoredCapacities(dialog.written());
}

// A restored capacity decides, as the capacity dialog's OK does, whether its battery is present.
void CProgramModesMenu::takeRestoredCapacities(const QList<SettingsRecords::Kept>& written)
{
    for (const SettingsRecords::Kept& record : written) {
        if (record.slot != SLOT_BATT1CAP && record.slot != SLOT_BATT2CAP)
            continue;
        const auto ampHours = static_cast<std::uint16_t>(
            BatteryCapacityRecord::decode(table_.slot(record.slot).value()));
        auto& capacity =
            record.slot == SLOT_BATT1CAP ? result_.battery1Capacity : result_.battery2Capacity;
        auto& present =
            record.slot == SLOT_BATT1CAP ? result_.battery1Present : result_.battery2Present;
        capacity = ampHours;
        present = ampHours != 0;
    }
    applyBatteryRules();
}
