#include "display/ui/CMainDlg.h"

#include "charts/CHistoryDlg.h"
#include "charts/LiveTrendWidget.h"
#include "display/LiveDisplay.h"
#include "display/ui/COptionsSheet.h"
#include "display/ui/CReportLabelsDlg.h"
#include "display/ui/CSelectDisplayDlg.h"
#include "display/ui/UnitFields.h"
#include "link/LinkSettingsForwarder.h"
#include "logged/ui/DownloadCommand.h"
#include "programming/ui/CProgramModesMenu.h"
#include "resources/PromptService.h"
#include "resources/StringTable.h"
#include "shell/CColorStatic.h"
#include "shell/QtColor.h"
#include "shell/WaitCursor.h"

#include <QCheckBox>
#include <QDir>
#include <QKeyEvent>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace {

const QString ChartsOffer = QStringLiteral("Show the charts of the data files just written?");

// Why a command that talks to the unit is not available now, for its button's tool tip; empty
// when it is. The display holds only the commands it would disturb.
QString unavailableBecause(const QString& action, bool open, bool downloading, bool displayHolds)
{
    if (!open)
        return QStringLiteral("Connect to the unit to ") + action;
    if (downloading)
        return QStringLiteral("Wait for the download to end to ") + action;
    if (displayHolds)
        return QStringLiteral("Stop the display to ") + action;
    return {};
}

void enableWithReason(QPushButton* button, const QString& reason)
{
    button->setEnabled(reason.isEmpty());
    button->setToolTip(reason);
}

} // namespace

CMainDlg::CMainDlg(PromptService& prompts, ConfigFolders folders, QWidget* parent)
    : QDialog(parent), prompts_(prompts), configuration_(std::move(folders), prompts),
      link_(prompts, ComPortDirectory(configuration_.folders().portAliasFolder())),
      ui_(std::make_unique<MainDlgLayout>(*this)), today_([] { return QDate::currentDate(); })
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

    live_ = std::make_unique<LiveDisplay>(link_, settings_, prompts_, this);
    live_->buildItems(QtColor::toRgb(palette().color(QPalette::ButtonText)));
    fields_ = std::make_unique<UnitFields>(*ui_, *live_, settings_, *this);
    live_->searchPortsShowing(
        [this](const QString& text, RgbColor colour) { fields_->showProbe(text, colour); });
    live_->download().setImageFolder(configuration_.folders().unitImageFolder());
    download_ = std::make_unique<DownloadCommand>(live_->download(), this);
    download_->setLabelsEditor([this](std::array<QString, 16>& labels, QWidget* owner) {
        CReportLabelsDlg dialog(labels, live_->items(), owner);
        dialog.exec();
    });

    for (CColorStatic* value : ui_->slotValues)
        value->setText(QStringLiteral("- - -"));
    const int effId = settings_.efficiencyPanel;
    ui_->effBattery1->setChecked(effId == EFFPANEL_BATTERY1);
    ui_->effBattery2->setChecked(effId == EFFPANEL_BATTERY2);
    ui_->effOff->setChecked(effId != EFFPANEL_BATTERY1 && effId != EFFPANEL_BATTERY2);
    fields_->enableEfficiencyFields();
    fields_->showSlots();
    fields_->enableLiveFields(false);
    connectControls();
    connectLiveDisplay();
    refreshButtons();
    live_->poll().armAutoSearch();
    return !configuration_.endRequested();
}

void CMainDlg::connectControls()
{
    connect(ui_->connect, &QPushButton::clicked, this, &CMainDlg::OnConnect);
    connect(ui_->startDisplay, &QPushButton::clicked, this, &CMainDlg::OnStartDisplay);
    connect(ui_->download, &QPushButton::clicked, this, &CMainDlg::OnDownload);
    connect(ui_->charts, &QPushButton::clicked, this, [this] { openHistory(); });
    connect(ui_->showTrend, &QCheckBox::toggled, ui_->trend, &QWidget::setVisible);
    connect(ui_->options, &QPushButton::clicked, this, &CMainDlg::OnOptions);
    connect(ui_->about, &QPushButton::clicked, this, &CMainDlg::OnAbout);
    connect(ui_->program, &QPushButton::clicked, this, &CMainDlg::OnProgram);
    connect(ui_->addNote, &QPushButton::clicked, this, &CMainDlg::OnAddNote);
    for (int k = 0; k < MainDlgLayout::SlotCount; ++k) {
        connect(ui_->slotButtons[k], &QPushButton::clicked, this, [this, k] { OnChooseItem(k); });
        connect(ui_->slotResets[k], &QPushButton::clicked, this, [this, k] { OnReset(k); });
    }
    connect(ui_->effOff, &QRadioButton::clicked, this,
            [this] { OnEfficiencyChoice(EFFPANEL_OFF); });
    connect(ui_->effBattery1, &QRadioButton::clicked, this,
            [this] { OnEfficiencyChoice(EFFPANEL_BATTERY1); });
    connect(ui_->effBattery2, &QRadioButton::clicked, this,
            [this] { OnEfficiencyChoice(EFFPANEL_BATTERY2); });
}

void CMainDlg::connectLiveDisplay()
{
    CPollCycle* poll = &live_->poll();
    UnitFields* fields = fields_.get();
    connect(poll, &CPollCycle::statusLineChanged, fields, &UnitFields::showStatusLine);
    connect(poll, &CPollCycle::statusRefreshed, this, &CMainDlg::refreshButtons);
    connect(poll, &CPollCycle::slotsChanged, fields, &UnitFields::showSlotValues);
    connect(poll, &CPollCycle::slotsChanged, this, &CMainDlg::feedTrend);
    connect(poll, &CPollCycle::slotLabelsChanged, fields, &UnitFields::showSlotLabels);
    connect(poll, &CPollCycle::statusRowsChanged, fields, &UnitFields::showStatusRows);
    connect(poll, &CPollCycle::efficiencyChanged, fields, &UnitFields::showEfficiency);
    connect(poll, &CPollCycle::displayRunningChanged, this, [this](bool running) {
        ui_->startDisplay->setChecked(running);
        ui_->startDisplay->setText(MainDlgLayout::startDisplayText(running));
        fields_->enableLiveFields(running);
        if (running)
            fields_->showSlotValues();
    });
    connect(poll, &CPollCycle::clockChanged, fields, &UnitFields::showClock);
    connect(poll, &CPollCycle::firmwareVersionChanged, fields, &UnitFields::showFirmwareVersion);
    connect(poll, &CPollCycle::unitFound, this, [this] { ui_->connect->setChecked(true); });
    connect(poll, &CPollCycle::linkLost, fields, &UnitFields::showUnitStale);
    connect(poll, &CPollCycle::unitForgotten, fields, &UnitFields::showNoUnit);
    connect(&live_->download(), &DownloadRunner::runningChanged, this, &CMainDlg::refreshButtons);
    connect(&live_->download(), &DownloadRunner::finished, this, &CMainDlg::offerCharts);
}

void CMainDlg::refreshButtons()
{
    const int state = link_.GetState();
    const bool open = state != LINK_CLOSED && state != LINK_ERROR;
    const bool running = live_->poll().testState(ST_RUNNING);
    // A running download holds everything else that would talk to the unit.
    const bool downloading = live_->download().isRunning();
    // While a lost unit is being reconnected "Connect" stays on: switching it off stops that.
    ui_->connect->setChecked(live_->poll().testState(ST_CONNECTED) ||
                             live_->poll().isReconnecting());
    enableWithReason(ui_->startDisplay, unavailableBecause(QStringLiteral("start the display"),
                                                           open, downloading, false));
    enableWithReason(ui_->download,
                     unavailableBecause(QStringLiteral("download"), open, downloading, running));
    enableWithReason(ui_->program, unavailableBecause(QStringLiteral("program the unit"), open,
                                                      downloading, running));
}

void CMainDlg::OnConnect(bool pressed)
{
    CPollCycle& poll = live_->poll();
    if (pressed)
        poll.connectUnit();
    else
        poll.disconnectUnit();
    poll.refreshStatusLine();
}

void CMainDlg::OnStartDisplay(bool pressed)
{
    CPollCycle& poll = live_->poll();
    if (pressed)
        poll.startDisplay();
    else
        poll.stopDisplay();
    poll.refreshStatusLine();
}

void CMainDlg::OnDownload()
{
    download_->run(settings_);
    refreshButtons();
}

void CMainDlg::offerCharts(const DownloadResult& result)
{
    const QStringList& written = result.files.writtenFiles;
    if (result.success && !written.isEmpty() &&
        prompts_.show(ChartsOffer, PromptIcon::Question, PromptButtons::YesNo) == PromptAnswer::Yes)
        openHistory(written);
}

CHistoryDlg* CMainDlg::openHistory(const QStringList& files)
{
    if (!history_) {
        history_ = new CHistoryDlg(settings_, prompts_, this);
        history_->setAttribute(Qt::WA_DeleteOnClose);
    }
    if (!files.isEmpty())
        history_->openFiles(files);
    history_->show();
    history_->raise();
    return history_;
}

void CMainDlg::feedTrend()
{
    CPollCycle& poll = live_->poll();
    if (!poll.testState(ST_RUNNING))
        return;
    if (const QString unit = unitAddress(); unit != trendUnit_) {
        ui_->trend->clear();
        trendUnit_ = unit;
    }
    const UnitSnapshot said = poll.snapshot();
    const QDateTime now = QDateTime::currentDateTime();
    for (int k = 0; k < MainDlgLayout::SlotCount; ++k) {
        const UnitSnapshot::Slot& slot = said.slots[k];
        ui_->trend->setSlot(k, slot.item > 0 ? slot.label : QString(), slot.unit);
        if (slot.value)
            ui_->trend->push(k, now, *slot.value);
    }
}

QString CMainDlg::unitAddress() const
{
    if (link_.GetPortType() == PORT_SERIAL)
        return QStringLiteral("COM%1").arg(link_.GetComPort());
    return QStringLiteral("%1:%2").arg(settings_.hostText()).arg(settings_.adapterPort);
}

void CMainDlg::OnChooseItem(int slot)
{
    CPollCycle& poll = live_->poll();
    const bool wasRunning = poll.pause();
    const UnitSnapshot said = poll.snapshot();
    CSelectDisplayDlg dialog(live_->items(), settings_.slotItems[slot], said.battery1Capacity,
                             said.battery2Capacity, this);
    if (dialog.exec() == QDialog::Accepted) {
        settings_.slotItems[slot] = dialog.chosenItem();
        poll.refreshPollFlags();
    }
    if (wasRunning)
        poll.startDisplay();
    fields_->showSlot(slot);
    ui_->slotValues[slot]->setText(QStringLiteral("- - -"));
}

void CMainDlg::OnReset(int slot)
{
    const int itemNumber = settings_.slotItems[slot];
    if (itemNumber == 0)
        return;
    const std::uint8_t resetCode = live_->items().item(itemNumber).resetCode;
    if (resetCode != 0 &&
        prompts_.show(2504, PromptIcon::Question, PromptButtons::YesNo) == PromptAnswer::Yes)
        live_->poll().sendResetCode(resetCode);
    ui_->slotValues[slot]->setText(QStringLiteral("- - -"));
}

void CMainDlg::OnEfficiencyChoice(int controlId)
{
    settings_.efficiencyPanel = controlId;
    fields_->enableEfficiencyFields();
}

void CMainDlg::OnAbout()
{
    // Besides the version the unit's users know, what a bug report needs: the release, the Qt
    // it was built with, and where this user's files are.
    const QString text =
        QStringLiteral("Zeltravanic PC Interface\nGorvane Version ") + loadString(100) +
        QStringLiteral("\n\nRelease %1, built with Qt %2\n\nConfiguration: %3\nNotes: %4\n"
                       "Data files: %5")
            .arg(QStringLiteral(GORVANE_VERSION), QStringLiteral(QT_VERSION_STR),
                 QDir::toNativeSeparators(configuration_.configFilePath()),
                 QDir::toNativeSeparators(notes_->path()), settings_.dataFolder);
    prompts_.ask(
        Prompt{text, QStringLiteral("About Gorvane"), PromptIcon::Information, PromptButtons::Ok});
}

void CMainDlg::OnOptions()
{
    CPollCycle& poll = live_->poll();
    poll.stopAutoSearch();
    ui_->connect->setChecked(false);
    OnConnect(false);
    // A search may have found the unit on another port than the one configured.
    settings_.comPort = link_.GetComPort();
    const auto chosen = COptionsSheet::Run(settings_, link_, live_->items(), prompts_, &poll, this);
    if (chosen) {
        live_->applySettings(*chosen);
        fields_->showSlots();
        fields_->showSlotValues();
        fields_->enableEfficiencyFields();
        if (history_)
            history_->follow(settings_);
    }
    live_->takeLinkBack();
    poll.refreshStatusLine();
}

void CMainDlg::OnProgram()
{
    const CLiveItemTable& items = live_->items();
    QStringList names;
    for (int n = 0; n < CLiveItemTable::ITEM_COUNT; ++n)
        names.append(items.item(n).labelText);
    const UnitSnapshot said = live_->poll().snapshot();
    const auto result = CProgramModesMenu::Run(
        link_, names, said.battery1Capacity, said.battery2Capacity, items.settings().voltLabels[1],
        said.firmwareVersion, prompts_, this);
    if (live_->takeProgrammingResult(result.battery1Capacity, result.battery2Capacity,
                                     result.volt2Label))
        fields_->showSlots();
    // The unit's configuration may have changed: read it again.
    live_->poll().restartStartup();
    live_->poll().refreshStatusLine();
}

void CMainDlg::OnAddNote()
{
    if (!addingNote_) {
        addingNote_ = true;
        ui_->addNote->setText(MainDlgLayout::addNoteText(true));
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
    ui_->addNote->setText(MainDlgLayout::addNoteText(false));
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

// Closing ends a running download without its files: the user says so first.
bool CMainDlg::mayClose()
{
    if (!live_ || !live_->download().isRunning())
        return true;
    const Prompt question{QStringLiteral("A download is running. Closing the window ends it "
                                         "without writing its data files.\n\nClose anyway?"),
                          QStringLiteral("Gorvane"), PromptIcon::Question, PromptButtons::YesNo};
    if (prompts_.ask(question) != PromptAnswer::Yes)
        return false;
    live_->download().cancel();
    return true;
}

void CMainDlg::done(int result)
{
    if (!closed_ && !mayClose())
        return;
    if (!closed_) {
        closed_ = true;
        if (live_)
            live_->poll().stopDisplay();
        saveNotes();
        // The unit and the search may have changed what the link and the table hold.
        if (live_) {
            live_->collectSettings();
            configuration_.save(settings_);
        }
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
