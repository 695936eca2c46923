#pragma once

#include <QDialog>

class QPlainTextEdit;

// "Serial Port Timeout Values": what the five serial time-outs mean, read-only, with "OK".
class CTimeoutExplainDlg : public QDialog {
public:
    explicit CTimeoutExplainDlg(QWidget* parent = nullptr);

    // Strings 3050 to 3055 one after the other; each but the last ends with its blank line.
    static QString explanation();

private:
    QPlainTextEdit* text_ = nullptr;
};
