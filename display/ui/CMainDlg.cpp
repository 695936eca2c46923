#include "display/ui/CMainDlg.h"

#include "display/CPollCycle.h"
#include "display/OptionsApply.h"
#include "display/StatusLine.h"
#include "display/ui/COptionsSheet.h"
#include "display/ui/CReportLabelsDlg.h"
#include "display/ui/CSelectDisplayDlg.h"
#include "link/LinkSettingsForwarder.h"
#include "link/UnitSearch.h"
#include "logged/DownloadSequence.h"
#include "logged/ui/DownloadCommand.h"
#include "programming/ui/CProgramModesMenu.h"
#include "resources/PromptService.h"
#include "resources/StringTable.h"
#include "shell/CColorStatic.h"
#include "shell/QtColor.h"
#include "shell/WaitCursor.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace {

QColor buttonFace()
{
    return QApplication::palette().color(QPalette::Button);
}

} // namespace

CMainDlg::CMainDlg(PromptService& prompts, ConfigFolders folders, QWidget* parent)
    : QDialog(parent), prompts_(prompts), configuration_(std::move(folders), prompts),
      link_(prompts, ComPortDirectory(configuration_.folders().portAliasFolder())),
      items_(StringTable::builtIn()), ui_(std::make_unique<MainDlgLayout>(*this)),
      today_([] { return QDate::currentDate(); })
{
    setWindowTitle(QStringLiteral("Zeltravanic PC Interface / Version ") + loadString(100));
    setWindowFlag(Qt::WindowMinMaxButtonsHint);
    link_.setBusyIndicator(&WaitCursor::show);
}

CMainDlg::~CMainDlg() = default;

bool CMainDlg::OnInitDialog()
{
    LinkSettingsForwarder forwarder(link_);
    settings_ = configuration_.load(forwarder);
    notes_ = std::make_unique<CNotesLog>(configuration_.applicationFolder());
    QString notesText;
    if (notes_->load(configuration_.folders().programFolder, notesText))
        ui_->notes->setPlainText(notesText);
    else
        prompts_.show(QStringLiteral("The notes could not be read from ") + notes_->errorText(),
                      PromptIcon::Information);
    ui_->notes->document()->setModified(false);

    LiveItemSettings table = OptionsApply::liveItemSettings(settings_);
    table.textColor = QtColor::toRgb(palette().color(QPalette::ButtonText));
    items_.build(table);
    poll_ = std::make_unique<CPollCycle>(link_, items_, settings_, prompts_);
    poll_->setUnitSearch([this] {
        UnitSearch search(UnitSearch::Caller::MainWindow,
                          [this](const QString& text, RgbColor colour) {
                              ui_->commStatus->setText(text);
                              ui_->commStatus->SetTextColor(QtColor::from(colour));
                              ui_->commStatus->SetBkColor(buttonFace());
                              ui_->commStatus->repaint();
                          });
        return search.SearchUnit(link_.ports().list(), link_) != 0;
    });
    link_.SetOwner(poll_.get());
    download_ = std::make_unique<DownloadCommand>(link_, prompts_, poll_.get(), this);
    download_->setLabelsEditor([this](std::array<QString, 16>& labels, QWidget* owner) {
        CReportLabelsDlg dialog(labels, items_, owner);
        dialog.exec();
    });
    download_->setLogClearer(
        [this] { return poll_->sendResetCode(DownloadSequence::CLEAR_PERIODIC_LOG); });

    for (CColorStatic* value : ui_->slotValues)
        value->setText(QStringLiteral("- - -"));
    const int effId = settings_.effDisplay;
    ui_->effBattery1->setChecked(effId == EFFDISPLAY_BATTERY1);
    ui_->effBattery2->setChecked(effId == EFFDISPLAY_BATTERY2);
    ui_->effOff->setChecked(effId != EFFDISPLAY_BATTERY1 && effId != EFFDISPLAY_BATTERY2);
    enableEfficiencyFields();
    poll_->refreshPollFlags();
    setupSlots();
    enableLiveFields(false);
    connectControls();
    connectPollCycle();
    refreshButtons();
    poll_->armAutoSearch();
    return !configuration_.endRequested();
}

void CMainDlg::connectControls()
{
    connect(ui_->connect, &QPushButton::clicked, this, &CMainDlg::OnConnect);
    connect(ui_->startDisplay, &QPushButton::clicked, this, &CMainDlg::OnStartDisplay);
    connect(ui_->download, &QPushButton::clicked, this, &CMainDlg::OnDownload);
    connect(ui_->options, &QPushButton::clicked, this, &CMainDlg::OnOptions);
    connect(ui_->about, &QPushButton::clicked, this, &CMainDlg::OnAbout);
    connect(ui_->program, &QPushButton::clicked, this, &CMainDlg::OnProgram);
    connect(ui_->addNote, &QPushButton::clicked, this, &CMainDlg::OnAddNote);
    for (int k = 0; k < MainDlgLayout::SlotCount; ++k) {
        connect(ui_->slotButtons[k], &QPushButton::clicked, this, [this, k] { OnChooseItem(k); });
        connect(ui_->slotResets[k], &QPushButton::clicked, this, [this, k] { OnReset(k); });
    }
    connect(ui_->effOff, &QRadioButton::clicked, this,
            [this] { OnEfficiencyChoice(EFFDISPLAY_OFF); });
    connect(ui_->effBattery1, &QRadioButton::clicked, this,
            [this] { OnEfficiencyChoice(EFFDISPLAY_BATTERY1); });
    connect(ui_->effBattery2, &QRadioButton::clicked, this,
            [this] { OnEfficiencyChoice(EFFDISPLAY_BATTERY2); });
}

void CMainDlg::connectPollCycle()
{
    CPollCycle* poll = poll_.get();
    connect(poll, &CPollCycle::statusLineChanged, this, &CMainDlg::showStatusLine);
    connect(poll, &CPollCycle::statusRefreshed, this, &CMainDlg::refreshButtons);
    connect(poll, &CPollCycle::slotsChanged, this, &CMainDlg::showSlotValues);
    connect(poll, &CPollCycle::slotLabelsChanged, this, &CMainDlg::showSlotLabels);
    connect(poll, &CPollCycle::statusRowsChanged, this, &CMainDlg::showStatusRows);
    connect(poll, &CPollCycle::efficiencyChanged, this, &CMainDlg::showEfficiency);
    connect(poll, &CPollCycle::displayRunningChanged, this, [this](bool running) {
        ui_->startDisplay->setChecked(running);
        ui_->startDisplay->setText(running ? QStringLiteral("Stop Display")
                                           : QStringLiteral("Start Display"));
        enableLiveFields(running);
        if (running)
            showSlotValues();
    });
    connect(poll, &CPollCycle::clockChanged, this,
            [this](const QString& unitTime, const QString& pcTime) {
                ui_->unitTime->setText(unitTime);
                ui_->pcTime->setText(pcTime);
            });
    connect(poll, &CPollCycle::firmwareVersionChanged, this, [this](float, const QString& text) {
        ui_->firmware->setText(text);
        ui_->firmware->setEnabled(true);
        ui_->firmwareLabel->setEnabled(true);
    });
    connect(poll, &CPollCycle::unitFound, this, [this] { ui_->connect->setChecked(true); });
    connect(poll, &CPollCycle::downloadFinished, download_.get(), &DownloadCommand::complete);
    connect(poll, &CPollCycle::statusRefreshed, download_.get(), &DownloadCommand::checkLink);
    connect(download_.get(), &DownloadCommand::runningChanged, this, &CMainDlg::followDownload);
}

void CMainDlg::setupSlots()
{
    for (int k = 0; k < MainDlgLayout::SlotCount; ++k)
        showSlot(k);
}

void CMainDlg::showSlot(int slot)
{
    const LiveItem& item = items_.item(poll_->slotItem(slot));
    ui_->slotButtons[slot]->setText(poll_->slotLabel(slot));
    ui_->slotResets[slot]->setVisible(item.resetCode > 0);
}

void CMainDlg::showSlotValues()
{
    for (int k = 0; k < MainDlgLayout::SlotCount; ++k) {
        ui_->slotValues[k]->setText(poll_->slotText(k));
        ui_->slotValues[k]->SetTextColor(QtColor::from(poll_->slotColor(k)));
    }
}

void CMainDlg::showSlotLabels()
{
    for (int k = 0; k < MainDlgLayout::SlotCount; ++k)
        ui_->slotButtons[k]->setText(poll_->slotLabel(k));
}

void CMainDlg::showStatusLine(const StatusLine& line)
{
    // The texts are written for controls that show "&&" as one ampersand.
    ui_->commStatus->setText(QString(line.text).replace(QStringLiteral("&&"), QStringLiteral("&")));
    ui_->commStatus->SetTextColor(QtColor::from(line.textColor));
    ui_->commStatus->SetBkColor(line.background ? QtColor::from(*line.background) : buttonFace());
}

void CMainDlg::refreshButtons()
{
    const int state = link_.GetState();
    const bool open = state != LINK_CLOSED && state != LINK_ERROR;
    const bool running = poll_->testState(ST_RUNNING);
    // A running download holds everything else that would talk to the unit.
    const bool downloading = download_ && download_->isRunning();
    ui_->connect->setChecked(poll_->testState(ST_CONNECTED));
    ui_->startDisplay->setEnabled(open && !downloading);
    ui_->download->setEnabled(open && !running && !downloading);
    ui_->program->setEnabled(open && !running && !downloading);
}

void CMainDlg::showStatusRows()
{
    const BatteryStatus& status = poll_->batteryStatus();
    for (int row = 0; row < BatteryStatus::ROW_COUNT; ++row) {
        const StatusRow& shown = status.row(row);
        CColorStatic* field = ui_->statusRows[row];
        field->setText(shown.text);
        field->setEnabled(shown.enabled);
        field->SetTextColor(QtColor::from(shown.textColor));
        field->SetBkColor(shown.background ? QtColor::from(*shown.background) : buttonFace());
    }
}

void CMainDlg::showEfficiency()
{
    if (settings_.effDisplay != EFFDISPLAY_BATTERY1)
        return;
    const EfficiencyTable& figures = poll_->efficiency();
    for (int i = 0; i < 3; ++i) {
        ui_->effCycles[i]->setText(figures.cell(EfficiencyTable::CYCLES + i).valueText);
        ui_->effAmpHour[i]->setText(
            figures.cell(EfficiencyTable::AMPHOUR_EFFICIENCY + i).valueText);
        ui_->effSelfDischarge[i]->setText(
            figures.cell(EfficiencyTable::SELF_DISCHARGE + i).valueText);
    }
    ui_->effCapacity->setText(figures.cell(EfficiencyTable::CAPACITY).valueText);
}

void CMainDlg::enableEfficiencyFields()
{
    const bool on = settings_.effDisplay != EFFDISPLAY_OFF;
    for (int i = 0; i < 3; ++i) {
        ui_->effCycles[i]->setEnabled(on);
        ui_->effAmpHour[i]->setEnabled(on);
        ui_->effSelfDischarge[i]->setEnabled(on);
    }
    ui_->effCapacity->setEnabled(on);
}

void CMainDlg::enableLiveFields(bool running)
{
    for (QWidget* field : std::initializer_list<QWidget*>{ui_->unitTime, ui_->unitTimeLabel,
                                                          ui_->pcTime, ui_->pcTimeLabel})
        field->setEnabled(running);
    for (CColorStatic* value : ui_->slotValues)
        value->setEnabled(running);
    for (CColorStatic* row : ui_->statusRows)
        row->setEnabled(running);
}

void CMainDlg::OnConnect(bool pressed)
{
    if (pressed)
        poll_->connectUnit();
    else
        poll_->disconnectUnit();
    poll_->refreshStatusLine();
}

void CMainDlg::OnStartDisplay(bool pressed)
{
    if (pressed)
        poll_->startDisplay();
    else
        poll_->stopDisplay();
    poll_->refreshStatusLine();
}

void CMainDlg::OnDownload()
{
    download_->run(settings_);
    refreshButtons();
}

// While a download runs its replies and write acknowledgements go to it.
void CMainDlg::followDownload(bool running)
{
    if (running)
        poll_->setDownloadReceiver(
            [this](int count, LinkRequest* request) { download_->takeReply(count, request); });
    else
        poll_->setDownloadReceiver({});
    refreshButtons();
}

void CMainDlg::OnChooseItem(int slot)
{
    const bool wasRunning = poll_->pause();
    CSelectDisplayDlg dialog(items_, settings_.dispData[slot], poll_->battery1Capacity(),
                             poll_->battery2Capacity(), this);
    if (dialog.exec() == QDialog::Accepted) {
        settings_.dispData[slot] = dialog.chosenItem();
        poll_->refreshPollFlags();
    }
    if (wasRunning)
        poll_->startDisplay();
    showSlot(slot);
    ui_->slotValues[slot]->setText(QStringLiteral("- - -"));
}

void CMainDlg::OnReset(int slot)
{
    const int itemNumber = settings_.dispData[slot];
    if (itemNumber == 0)
        return;
    const std::uint8_t resetCode = items_.item(itemNumber).resetCode;
    if (resetCode != 0 &&
        prompts_.show(2504, PromptIcon::Question, PromptButtons::YesNo) == PromptAnswer::Yes)
        poll_->sendResetCode(resetCode);
    ui_->slotValues[slot]->setText(QStringLiteral("- - -"));
}

void CMainDlg::OnEfficiencyChoice(int controlId)
{
    settings_.effDisplay = controlId;
    enableEfficiencyFields();
}

void CMainDlg::OnAbout()
{
    prompts_.ask(
        Prompt{QStringLiteral("Zeltravanic PC Interface\nGorvane Version ") + loadString(100),
               QStringLiteral("About Gorvane"), PromptIcon::Information, PromptButtons::Ok});
}

void CMainDlg::OnOptions()
{
    poll_->stopAutoSearch();
    ui_->connect->setChecked(false);
    OnConnect(false);
    // A search may have found the unit on another port than the one configured.
    settings_.comPort = link_.GetComPort();
    const auto chosen = COptionsSheet::Run(settings_, link_, items_, prompts_, poll_.get(), this);
    if (chosen) {
        OptionsApply::apply(*chosen, settings_, link_, items_);
        setupSlots();
        showSlotValues();
        enableEfficiencyFields();
    }
    link_.SetOwner(poll_.get());
    poll_->refreshStatusLine();
}

void CMainDlg::OnProgram()
{
    QStringList names;
    for (int n = 0; n < CLiveItemTable::ITEM_COUNT; ++n)
        names.append(items_.item(n).labelText);
    const auto result = CProgramModesMenu::Run(
        link_, names, poll_->battery1Capacity(), poll_->battery2Capacity(),
        items_.settings().voltLabels[1], poll_->firmwareVersion(), prompts_, this);
    poll_->setBatteryCapacities(result.battery1Capacity, result.battery2Capacity);
    if (result.volt2Label != items_.settings().voltLabels[1]) {
        LiveItemSettings table = items_.settings();
        table.voltLabels[1] = result.volt2Label;
        items_.build(table);
        poll_->refreshPollFlags();
        setupSlots();
    }
    // The unit's configuration may have changed: read it again.
    poll_->restartStartup();
    poll_->refreshStatusLine();
}

void CMainDlg::OnAddNote()
{
    if (!addingNote_) {
        addingNote_ = true;
        ui_->addNote->setText(QStringLiteral("Done"));
        const QString text = CNotesLog::withNewEntry(ui_->notes->toPlainText(), today_());
        QTextCursor cursor = ui_->notes->textCursor();
        cursor.select(QTextCursor::Document);
        cursor.insertText(text);
        ui_->notes->setTextCursor(cursor);
        ui_->notes->ensureCursorVisible();
        ui_->notes->setReadOnly(false);
        ui_->notes->setFocus();
        return;
    }
    addingNote_ = false;
    ui_->addNote->setText(QStringLiteral("Add Note"));
    ui_->notes->setReadOnly(true);
    saveNotes();
}

void CMainDlg::saveNotes()
{
    if (!notes_ || !ui_->notes->document()->isModified())
        return;
    if (notes_->save(ui_->notes->toPlainText()))
        ui_->notes->document()->setModified(false);
    else
        prompts_.show(QStringLiteral("The notes could not be saved to ") + notes_->errorText(),
                      PromptIcon::Exclamation);
}

void CMainDlg::saveConfiguration()
{
    // The unit and the search may have changed what the link and the table hold.
    settings_.comPort = link_.GetComPort();
    settings_.serialTimeouts = link_.GetSerialTimeouts();
    const LiveItemSettings& table = items_.settings();
    settings_.voltLabels = table.voltLabels;
    settings_.ampLabels = table.ampLabels;
    settings_.ahrLabels = table.ahrLabels;
    for (std::size_t i = 0; i < settings_.shunts.size(); ++i)
        settings_.shunts[i] = static_cast<std::uint8_t>(table.shunts[i]);
    configuration_.save(settings_);
}

void CMainDlg::done(int result)
{
    if (!closed_) {
        closed_ = true;
        if (poll_)
            poll_->stopDisplay();
        saveNotes();
        if (poll_)
            saveConfiguration();
    }
    QDialog::done(result);
}

void CMainDlg::keyPressEvent(QKeyEvent* event)
{
    // Escape must not close the program's only window.
    if (event->key() == Qt::Key_Escape)
        return event->ignore();
    QDialog::keyPressEvent(event);
}
