#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;
struct DownloadProgress;

// "Zeltravanic Logged Data": the modeless window that shows what a download is fetching, a text
// line above a progress bar.
class CDownloadProgressDlg : public QDialog {
    Q_OBJECT

public:
    explicit CDownloadProgressDlg(QWidget* parent = nullptr);

    void showProgress(const DownloadProgress& progress);
    // What "Cancel" asks for; the window stays until the download has ended.
    void setCancelAction(std::function<void()> cancel) { cancel_ = std::move(cancel); }
    QPushButton* cancelButton() const { return cancelButton_; }

    QProgressBar* bar() const { return bar_; }

    // Escape does not close it: the window goes when the download ends, not before.
    void reject() override {}

private:
    QLabel* text_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    std::function<void()> cancel_;
};
