#pragma once

#include <QObject>
#include <QString>

class LiveDisplay;
struct RgbColor;
struct MainDlgLayout;
struct Settings;
struct StatusLine;
class QWidget;

// What the main window shows of the unit, painted from what the poll cycle last heard: the six
// slots (labels, values, reset buttons), the status rows, the efficiency figures, the clocks,
// the firmware version and the status line. Live fields are grey while the display is stopped
// or the link is lost, and a new connection clears what the previous unit said.
class UnitFields : public QObject {
    Q_OBJECT

public:
    // window: the main window, whose palette colours the cleared status rows. settings give the
    // efficiency panel's choice.
    UnitFields(MainDlgLayout& ui, LiveDisplay& live, const Settings& settings,
               const QWidget& window, QObject* parent = nullptr);

    void showSlots();
    void showSlot(int slot);
    void showSlotValues();
    void showSlotLabels();
    void showStatusLine(const StatusLine& line);
    // What the automatic search shows while it tries a port.
    void showProbe(const QString& text, RgbColor colour);
    void showStatusRows();
    void showEfficiency();
    void showClock(const QString& unitTime, const QString& pcTime);
    void showFirmwareVersion(const QString& text);
    void enableEfficiencyFields();
    void enableLiveFields(bool running);
    void showUnitStale();
    void showNoUnit();

private:
    MainDlgLayout& ui_;
    LiveDisplay& live_;
    const Settings& settings_;
    const QWidget& window_;
};
