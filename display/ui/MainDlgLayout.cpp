#include "display/ui/MainDlgLayout.h"

#include "display/BatteryStatus.h"
#include "charts/LiveTrendWidget.h"
#include "display/StatusLine.h"
#include "display/UnitClock.h"
#include "link/FirmwareVersion.h"
#include "shell/CColorStatic.h"

#include <QCheckBox>
#include <QDialog>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

template <typename Control> Control* numbered(Control* control, int id)
{
    control->setObjectName(QString::number(id));
    return control;
}

QPushButton* button(QWidget* parent, const QString& text, int id, bool enabled = true)
{
    auto* b = numbered(new QPushButton(text, parent), id);
    b->setEnabled(enabled);
    return b;
}

CColorStatic* colourField(QWidget* parent, const QString& text, int id)
{
    auto* field = numbered(new CColorStatic(text, parent), id);
    field->setAlignment(Qt::AlignCenter);
    field->setFrameShape(QFrame::Panel);
    field->setFrameShadow(QFrame::Sunken);
    return field;
}

// Room beside a caption, so that no button looks cut off where the layout gives it no more than
// its text needs.
void leaveRoomBesideCaption(QPushButton* b)
{
    b->setMinimumWidth(b->sizeHint().width() + 2 * b->fontMetrics().averageCharWidth());
}

QLabel* staticText(QWidget* parent, const QString& text, int id)
{
    auto* label = numbered(new QLabel(text, parent), id);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

constexpr int SlotButtonIds[] = {1029, 1031, 1033, 1035, 1037, 1039};
constexpr int SlotValueIds[] = {1005, 1006, 1007, 1008, 1009, 1013};
constexpr int StatusRowIds[] = {1060, 1061, 1062, 1063, 1070, 1071,
                                1066, 1067, 1068, 1069, 1072, 1073};
const char* const StatusCaptions[] = {"Low Voltage",    "Charged",    "High Voltage",
                                      "Time to Charge", "Time to Eq", "Relay On/Off"};

} // namespace

MainDlgLayout::MainDlgLayout(QDialog& window)
{
    QWidget* w = &window;
    // Made in this order, which is the order the Tab key goes through the controls.
    QLayout* commands = buildCommands(w);
    QWidget* slotsBox = buildSlots(w);
    QWidget* effBox = buildEfficiency(w);
    QLayout* status = buildStatus(w);
    QLayout* info = buildInfo(w);
    QLayout* notesRow = buildNotes(w);

    auto* middle = new QHBoxLayout;
    middle->addWidget(slotsBox, 3);
    middle->addWidget(effBox, 2);
    auto* layout = new QVBoxLayout(w);
    layout->addLayout(commands);
    layout->addLayout(middle);
    layout->addLayout(status);
    layout->addLayout(info);
    layout->addLayout(notesRow, 1);
    showNoUnit();
}

QLayout* MainDlgLayout::buildCommands(QWidget* w)
{
    connect = button(w, QStringLiteral("Connect"), 1015);
    connect->setCheckable(true);
    startDisplay = button(w, startDisplayText(false), 1014, false);
    startDisplay->setCheckable(true);
    download = button(w, QStringLiteral("Download Data"), 1024, false);
    charts = new QPushButton(QStringLiteral("Charts"), w);
    charts->setObjectName(QStringLiteral("charts"));
    program = button(w, QStringLiteral("Program the Zeltravanic"), 1011, false);
    options = button(w, QStringLiteral("Options"), 1012);
    help = button(w, QStringLiteral("&Help"), 57670, false);
    about = button(w, QStringLiteral("&About"), 1045);
    auto* commands = new QHBoxLayout;
    for (QPushButton* b : {connect, startDisplay, download, charts, program, options, help, about}) {
        leaveRoomBesideCaption(b);
        commands->addWidget(b);
    }
    return commands;
}

QWidget* MainDlgLayout::buildSlots(QWidget* w)
{
    auto* slotsBox = new QGroupBox(QStringLiteral("Display Data"), w);
    auto* slotGrid = new QGridLayout(slotsBox);
    QFont bold = w->font();
    bold.setWeight(QFont::Bold);
    for (int k = 0; k < SlotCount; ++k) {
        slotButtons[k] = button(slotsBox, QString::number(k + 1), SlotButtonIds[k]);
        slotHelp[k] = button(slotsBox, QStringLiteral("?"), SlotButtonIds[k] + 1, false);
        slotHelp[k]->setMaximumWidth(28);
        slotValues[k] = colourField(slotsBox, QString::number(k + 1), SlotValueIds[k]);
        slotValues[k]->setFont(bold);
        slotValues[k]->setMinimumWidth(130);
        slotResets[k] = button(slotsBox, QStringLiteral("Reset"), 1151 + k);
        // Its place is kept while it is hidden: the window keeps its width when it shows.
        QSizePolicy resetPolicy = slotResets[k]->sizePolicy();
        resetPolicy.setRetainSizeWhenHidden(true);
        slotResets[k]->setSizePolicy(resetPolicy);
        const int row = (k % 3) * 2, column = (k / 3) * 4;
        slotGrid->addWidget(slotButtons[k], row, column, 1, 3);
        slotGrid->addWidget(slotHelp[k], row + 1, column);
        slotGrid->addWidget(slotValues[k], row + 1, column + 1);
        slotGrid->addWidget(slotResets[k], row + 1, column + 2);
    }

    return slotsBox;
}

QWidget* MainDlgLayout::buildEfficiency(QWidget* w)
{
    auto* effBox = numbered(new QGroupBox(QStringLiteral("Battery Efficiency"), w), 1055);
    auto* effGrid = new QGridLayout(effBox);
    effOff = numbered(new QRadioButton(QStringLiteral("Off"), effBox), 1041);
    effBattery1 = numbered(new QRadioButton(QStringLiteral("Battery 1"), effBox), 1056);
    effBattery2 = numbered(new QRadioButton(QStringLiteral("Battery 2"), effBox), 1057);
    effBattery2->setEnabled(false);
    // The choice in a row of its own, so that the columns of averages need not be as wide as
    // the radio buttons.
    auto* choice = new QHBoxLayout;
    for (QRadioButton* radio : {effOff, effBattery1, effBattery2})
        choice->addWidget(radio);
    effGrid->addLayout(choice, 0, 0, 1, 4);
    effGrid->addWidget(new QLabel(QStringLiteral("Cycles:"), effBox), 1, 0);
    effGrid->addWidget(new QLabel(QStringLiteral("Amp-hr Efficiency:"), effBox), 2, 0);
    effGrid->addWidget(new QLabel(QStringLiteral("Self Discharge Amps:"), effBox), 3, 0);
    for (int i = 0; i < 3; ++i) {
        effCycles[i] = staticText(effBox, {}, 1052 + i);
        effAmpHour[i] = staticText(effBox, {}, 1046 + i);
        effSelfDischarge[i] = staticText(effBox, {}, 1049 + i);
        effGrid->addWidget(effCycles[i], 1, i + 1);
        effGrid->addWidget(effAmpHour[i], 2, i + 1);
        effGrid->addWidget(effSelfDischarge[i], 3, i + 1);
    }
    effGrid->addWidget(new QLabel(QStringLiteral("Capacity:"), effBox), 4, 0);
    effCapacity = staticText(effBox, {}, 1058);
    effGrid->addWidget(effCapacity, 4, 1, 1, 3);
    // The three averages in evenly spaced columns, each with room for a signed figure and a
    // gap to the next.
    const QFontMetrics metrics = effBox->fontMetrics();
    for (int column = 1; column <= 3; ++column) {
        effGrid->setColumnMinimumWidth(column, metrics.horizontalAdvance(QStringLiteral("-00.00")) +
                                                   2 * metrics.averageCharWidth());
        effGrid->setColumnStretch(column, 1);
    }

    return effBox;
}

QLayout* MainDlgLayout::buildStatus(QWidget* w)
{
    auto* statusLayout = new QHBoxLayout;
    for (int battery = 0; battery < 2; ++battery) {
        auto* box = numbered(new QGroupBox(BatteryStatus::title(battery + 1), w), 1064 + battery);
        auto* grid = new QGridLayout(box);
        for (int r = 0; r < 6; ++r) {
            const int index = battery * 6 + r;
            statusRows[index] = colourField(box, {}, StatusRowIds[index]);
            statusRows[index]->setMinimumWidth(120);
            grid->addWidget(new QLabel(QString::fromLatin1(StatusCaptions[r]), box), r, 0);
            grid->addWidget(statusRows[index], r, 1);
        }
        statusLayout->addWidget(box, 1);
    }
    return statusLayout;
}

QLayout* MainDlgLayout::buildInfo(QWidget* w)
{
    unitTime = colourField(w, {}, 1159);
    unitTimeLabel = numbered(new CColorStatic(UnitClock::unitTimeTitle(), w), 1161);
    pcTime = colourField(w, {}, 1160);
    pcTimeLabel = numbered(new CColorStatic(UnitClock::pcTimeTitle(), w), 1162);
    firmware = staticText(w, {}, 1163);
    firmwareLabel = numbered(new QLabel(FirmwareVersion::title(), w), 1164);
    for (QWidget* c : std::initializer_list<QWidget*>{unitTime, unitTimeLabel, pcTime, pcTimeLabel,
                                                      firmware, firmwareLabel})
        c->setEnabled(false);
    commStatus = colourField(w, StatusLine::notConnected().text, 1042);
    commStatus->setMinimumWidth(260);
    auto* infoGrid = new QGridLayout;
    infoGrid->addWidget(unitTimeLabel, 0, 0);
    infoGrid->addWidget(unitTime, 0, 1);
    infoGrid->addWidget(pcTimeLabel, 0, 2);
    infoGrid->addWidget(pcTime, 0, 3);
    infoGrid->addWidget(firmwareLabel, 0, 4);
    infoGrid->addWidget(firmware, 0, 5);
    infoGrid->addWidget(new QLabel(QStringLiteral("Comm Status"), w), 1, 0);
    infoGrid->addWidget(commStatus, 1, 1, 1, 5);

    return infoGrid;
}

QLayout* MainDlgLayout::buildNotes(QWidget* w)
{
    notes = numbered(new QPlainTextEdit(w), 1210);
    notes->setReadOnly(true);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setFamilies(
        {QStringLiteral("CourierNew"), QStringLiteral("Courier New"), fixed.family()});
    fixed.setPointSize(10);
    notes->setFont(fixed);
    addNote = button(w, addNoteText(false), 1211);
    useFile = numbered(new QCheckBox(QStringLiteral("Use File"), w), 1016);
    useFile->hide();
    showTrend = new QCheckBox(QStringLiteral("Live Trend"), w);
    showTrend->setObjectName(QStringLiteral("showTrend"));
    trend = new LiveTrendWidget(w);
    trend->setObjectName(QStringLiteral("trend"));
    trend->hide();
    auto* notesButtons = new QVBoxLayout;
    notesButtons->addWidget(addNote);
    notesButtons->addWidget(showTrend);
    notesButtons->addStretch();
    auto* notesLayout = new QHBoxLayout;
    notesLayout->addWidget(notes, 1);
    notesLayout->addWidget(trend, 1);
    notesLayout->addLayout(notesButtons);
    return notesLayout;
}

void MainDlgLayout::showNoUnit()
{
    const char* const cycleTexts[] = {"1", "4", "15"};
    for (int i = 0; i < 3; ++i) {
        effCycles[i]->setText(QString::fromLatin1(cycleTexts[i]));
        effAmpHour[i]->setText(QStringLiteral("- -"));
        effSelfDischarge[i]->setText(QStringLiteral("- - -"));
    }
    effCapacity->setText(QStringLiteral("- - -"));
    // Battery 2's last row is never written.
    for (int index = 0; index < StatusRowCount - 1; ++index)
        statusRows[static_cast<std::size_t>(index)]->setText(QStringLiteral("- - -"));
    unitTime->setText(QStringLiteral("00:00 AM"));
    pcTime->setText(QStringLiteral("00:00 AM"));
    firmware->setText(QStringLiteral("- - - -"));
    firmware->setEnabled(false);
    firmwareLabel->setEnabled(false);
}

QString MainDlgLayout::startDisplayText(bool running)
{
    return running ? QStringLiteral("Stop Display") : QStringLiteral("Start Display");
}

QString MainDlgLayout::addNoteText(bool adding)
{
    return adding ? QStringLiteral("Done") : QStringLiteral("Add Note");
}
