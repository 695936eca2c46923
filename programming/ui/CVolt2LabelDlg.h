#pragma once

#include <QDialog>

class QLineEdit;

// "Volt 2 Label": the program's own name for the second battery voltage. It is shown on this
// program's display only and never goes to the unit.
class CVolt2LabelDlg : public QDialog {
public:
    static constexpr int MAX_CHARS = 10;

    explicit CVolt2LabelDlg(const QString& label, QWidget* parent = nullptr);

    QString label() const;

private:
    QLineEdit* edit_;
};
