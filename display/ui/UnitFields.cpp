#include "display/ui/UnitFields.h"

#include "config/Settings.h"
#include "display/LiveDisplay.h"
#include "display/StatusLine.h"
#include "display/ui/MainDlgLayout.h"
#include "shell/CColorStatic.h"
#include "shell/QtColor.h"

#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QWidget>

namespace {

QColor buttonFace()
{
    return QApplication::palette().color(QPalette::Button);
}

} // namespace

UnitFields::UnitFields(MainDlgLayout& ui, LiveDisplay& live, const Settings& settings,
                       const QWidget& window, QObject* parent)
    : QObject(parent), ui_(ui), live_(live), settings_(settings), window_(window)
{}

void UnitFields::showSlots()
{
    for (int k = 0; k < MainDlgLayout::SlotCount; ++k)
        showSlot(k);
}

void UnitFields::showSlot(int slot)
{
    const UnitSnapshot::Slot shown = live_.poll().snapshot().slots[slot];
    ui_.slotButtons[slot]->setText(shown.label);
    ui_.slotResets[slot]->setVisible(live_.items().item(shown.item).resetCode > 0);
}

void UnitFields::showSlotValues()
{
    const UnitSnapshot said = live_.poll().snapshot();
    for (int k = 0; k < MainDlgLayout::SlotCount; ++k) {
        ui_.slotValues[k]->setText(said.slots[k].text);
        ui_.slotValues[k]->SetTextColor(QtColor::from(said.slots[k].color));
    }
}

void UnitFields::showSlotLabels()
{
    const UnitSnapshot said = live_.poll().snapshot();
    for (int k = 0; k < MainDlgLayout::SlotCount; ++k)
        ui_.slotButtons[k]->setText(said.slots[k].label);
}

void UnitFields::showStatusLine(const StatusLine& line)
{
    // The texts are written for controls that show "&&" as one ampersand.
    ui_.commStatus->setText(QString(line.text).replace(QStringLiteral("&&"), QStringLiteral("&")));
    ui_.commStatus->SetTextColor(QtColor::from(line.textColor));
    ui_.commStatus->SetBkColor(line.background ? QtColor::from(*line.background) : buttonFace());
}

void UnitFields::showProbe(const QString& text, RgbColor colour)
{
    ui_.commStatus->setText(text);
    ui_.commStatus->SetTextColor(QtColor::from(colour));
    ui_.commStatus->SetBkColor(buttonFace());
    ui_.commStatus->repaint();
}

void UnitFields::showStatusRows()
{
    const UnitSnapshot said = live_.poll().snapshot();
    const BatteryStatus& status = said.status;
    for (int row = 0; row < BatteryStatus::ROW_COUNT; ++row) {
        const StatusRow& shown = status.row(row);
        CColorStatic* field = ui_.statusRows[row];
        field->setText(shown.text);
        field->setEnabled(shown.enabled);
        field->SetTextColor(QtColor::from(shown.textColor));
        field->SetBkColor(shown.background ? QtColor::from(*shown.background) : buttonFace());
    }
}

void UnitFields::showEfficiency()
{
    if (settings_.efficiencyPanel != EFFPANEL_BATTERY1)
        return;
    const UnitSnapshot said = live_.poll().snapshot();
    const EfficiencyTable& figures = said.efficiency;
    for (int i = 0; i < 3; ++i) {
        ui_.effCycles[i]->setText(figures.cell(EfficiencyTable::CYCLES + i).valueText);
        ui_.effAmpHour[i]->setText(figures.cell(EfficiencyTable::AMPHOUR_EFFICIENCY + i).valueText);
        ui_.effSelfDischarge[i]->setText(
            figures.cell(EfficiencyTable::SELF_DISCHARGE + i).valueText);
    }
    ui_.effCapacity->setText(figures.cell(EfficiencyTable::CAPACITY).valueText);
}

void UnitFields::showClock(const QString& unitTime, const QString& pcTime)
{
    ui_.unitTime->setText(unitTime);
    ui_.pcTime->setText(pcTime);
}

void UnitFields::showFirmwareVersion(const QString& text)
{
    ui_.firmware->setText(text);
    ui_.firmware->setEnabled(true);
    ui_.firmwareLabel->setEnabled(true);
}

void UnitFields::enableEfficiencyFields()
{
    const bool on = settings_.efficiencyPanel != EFFPANEL_OFF;
    for (int i = 0; i < 3; ++i) {
        ui_.effCycles[i]->setEnabled(on);
        ui_.effAmpHour[i]->setEnabled(on);
        ui_.effSelfDischarge[i]->setEnabled(on);
    }
    ui_.effCapacity->setEnabled(on);
}

void UnitFields::enableLiveFields(bool running)
{
    for (QWidget* field : std::initializer_list<QWidget*>{ui_.unitTime, ui_.unitTimeLabel,
                                                          ui_.pcTime, ui_.pcTimeLabel})
        field->setEnabled(running);
    for (CColorStatic* value : ui_.slotValues)
        value->setEnabled(running);
    for (CColorStatic* row : ui_.statusRows)
        row->setEnabled(running);
}

// What the window shows of the unit is no longer live: every figure goes grey at once.
void UnitFields::showUnitStale()
{
    enableLiveFields(false);
    ui_.firmware->setEnabled(false);
    ui_.firmwareLabel->setEnabled(false);
    for (int i = 0; i < 3; ++i) {
        ui_.effCycles[i]->setEnabled(false);
        ui_.effAmpHour[i]->setEnabled(false);
        ui_.effSelfDischarge[i]->setEnabled(false);
    }
    ui_.effCapacity->setEnabled(false);
}

// A new connection: nothing of the previous unit stays on screen.
void UnitFields::showNoUnit()
{
    for (CColorStatic* value : ui_.slotValues)
        value->setText(QStringLiteral("- - -"));
    ui_.showNoUnit();
    for (CColorStatic* row : ui_.statusRows) {
        row->SetTextColor(window_.palette().color(QPalette::WindowText));
        row->SetBkColor(buttonFace());
    }
    enableEfficiencyFields();
}
