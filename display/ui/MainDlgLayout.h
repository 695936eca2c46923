#pragma once

#include <QString>
#include <array>

class CColorStatic;
class LiveTrendWidget;
class QCheckBox;
class QDialog;
class QLabel;
class QLayout;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// The controls of the main window, laid out in it. Every control carries its numeric id as
// object name, as the window's template numbers them.
struct MainDlgLayout {
    static constexpr int SlotCount = 6;
    static constexpr int StatusRowCount = 12;

    explicit MainDlgLayout(QDialog& window);

    // The texts of the unit's fields before any unit has answered.
    void showNoUnit();
    // The captions of the two buttons that change with what the window is doing.
    static QString startDisplayText(bool running);
    static QString addNoteText(bool adding);

    QPushButton* connect;      // 1015, checkable
    QPushButton* startDisplay; // 1014, checkable
    QPushButton* download;     // 1024
    QPushButton* charts;       // "charts": the History window
    QPushButton* program;      // 1011
    QPushButton* options;      // 1012
    QPushButton* help;         // 57670
    QPushButton* about;        // 1045

    std::array<QPushButton*, SlotCount> slotButtons; // 1029, 1031, ... 1039
    std::array<QPushButton*, SlotCount> slotHelp;    // 1030, 1032, ... 1040
    std::array<CColorStatic*, SlotCount> slotValues; // 1005..1009, 1013
    std::array<QPushButton*, SlotCount> slotResets;  // 1151..1156

    QRadioButton* effOff;                    // 1041
    QRadioButton* effBattery1;               // 1056
    QRadioButton* effBattery2;               // 1057
    std::array<QLabel*, 3> effCycles;        // 1052..1054
    std::array<QLabel*, 3> effAmpHour;       // 1046..1048
    std::array<QLabel*, 3> effSelfDischarge; // 1049..1051
    QLabel* effCapacity;                     // 1058

    // Battery 1 rows low, charged, high, time to charge, time to equalise, relay; then battery
    // 2 (its last row, 1073, is never written).
    std::array<CColorStatic*, StatusRowCount> statusRows;

    CColorStatic* unitTime;      // 1159
    CColorStatic* unitTimeLabel; // 1161
    CColorStatic* pcTime;        // 1160
    CColorStatic* pcTimeLabel;   // 1162
    QLabel* firmware;            // 1163
    QLabel* firmwareLabel;       // 1164
    CColorStatic* commStatus;    // 1042

    QPlainTextEdit* notes; // 1210
    QPushButton* addNote;  // 1211
    QCheckBox* useFile;    // 1016, hidden
    // "trend": the six slots over the last hour, beside the notes while "showTrend" is checked.
    QCheckBox* showTrend;
    LiveTrendWidget* trend;

private:
    // The parts of the window from top to bottom, each making its controls in w.
    QLayout* buildCommands(QWidget* w);
    QWidget* buildSlots(QWidget* w);
    QWidget* buildEfficiency(QWidget* w);
    QLayout* buildStatus(QWidget* w);
    QLayout* buildInfo(QWidget* w);
    QLayout* buildNotes(QWidget* w);
};
