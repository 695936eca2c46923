#pragma once

#include <QDialog>
#include <QString>
#include <array>

class CLiveItemTable;
class QLineEdit;

// "Custom Report Labels": the ten column labels of the periodic data export.
class CReportLabelsDlg : public QDialog {
public:
    static constexpr int FieldCount = 10;

    // labels is changed only when the dialog closes with OK.
    CReportLabelsDlg(std::array<QString, 16>& labels, const CLiveItemTable& items,
                     QWidget* parent = nullptr);

    QLineEdit* field(int index) const { return fields_[static_cast<std::size_t>(index)]; }
    // Fills the fields with the labels of the live items each column reports.
    void fillWithDefaultLabels();

    void accept() override;

private:
    std::array<QString, 16>& labels_;
    const CLiveItemTable& items_;
    std::array<QLineEdit*, FieldCount> fields_{};
};
