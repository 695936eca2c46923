#pragma once

#include "programming/UnitSettings.h"

#include <QDialog>

class PromptService;
class QPushButton;
class QTableWidget;

// "Load Defaults from File...": a settings file beside the unit, one row per record with the
// unit's value, the file's and a tick for each record that differs and may be written (the
// network adapter's unticked). "Write Selected" writes the ticked records, each acknowledged and
// read back, and shows what was written or where it stopped.
class CSettingsRestoreDlg : public QDialog {
public:
    // The link, the table and the prompts must outlive the dialog.
    CSettingsRestoreDlg(CUnitLink& link, ParameterTable& table, float unitFirmware,
                        SettingsFile file, PromptService& prompts, QWidget* parent = nullptr);

    // Reads the unit's copy of every record of the file and fills the table; a record that
    // cannot be read is reported and the dialog has nothing to show.
    bool compare();

    // The records written while the dialog was open, in the order written.
    const QList<SettingsRecords::Kept>& written() const { return written_; }

private:
    enum Column : int { COLUMN_PARAMETER = 0, COLUMN_UNIT, COLUMN_FILE, COLUMN_NOTE, COLUMNS };
    static constexpr int VALUE_WIDTH = 300;

    QString heading() const;
    void fillTable();
    void fillRow(int row, const UnitSettings::Compared& compared);
    QSet<int> ticked() const;
    void writeSelected();

    UnitSettings settings_;
    SettingsFile file_;
    PromptService& prompts_;
    QList<UnitSettings::Compared> comparison_;
    QList<SettingsRecords::Kept> written_;
    QTableWidget* records_;
    QPushButton* write_;
};
