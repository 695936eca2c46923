#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
struct DownloadProgress;

// "Zeltravanic Logged Data": the modeless window that shows what a download is fetching, a text
// line above a progress bar.
class CDownloadProgressDlg : public QDialog {
    Q_OBJECT

public:
    explicit CDownloadProgressDlg(QWidget* parent = nullptr);

    void showProgress(const DownloadProgress& progress);

    QLabel* textLine() const { return text_; }
    QProgressBar* bar() const { return bar_; }

    // Escape does not close it: the window goes when the download ends, not before.
    void reject() override {}

private:
    QLabel* text_ = nullptr;
    QProgressBar* bar_ = nullptr;
};
