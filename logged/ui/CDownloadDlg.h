#pragma once

#include "logged/ui/LoggedDataChoices.h"

#include <QDate>
#include <QDialog>
#include <QString>
#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;

// "Download Logged Data": where the data files go (folder and base name) and which logs to
// fetch. It only turns its controls into values; the download itself is started by its caller.
class CDownloadDlg : public QDialog {
public:
    struct Values {
        QString folder;
        QString fileName;
        bool periodic = true;
        bool efficiency = true;
        bool dischargeProfile = true;
        // Read every log whole instead of only what the unit wrote since the last download.
        bool full = false;

        friend bool operator==(const Values&, const Values&) = default;
    };

    using FolderPicker = LoggedDataChoices::FolderPicker;

    explicit CDownloadDlg(const Values& values, QWidget* parent = nullptr);

    void setFolderPicker(FolderPicker picker) { pickFolder_ = std::move(picker); }
    Values values() const;
    // "Browse...": a chosen folder replaces the folder text.
    void browse();

    QPushButton* browseButton() const { return browse_; }

private:
    QWidget* buildDataFileGroup(const Values& values);
    QCheckBox* addCheck(LoggedDataChoices::Log log, bool checked);
    void showFolder(const QString& folder);

    FolderPicker pickFolder_;
    QLineEdit* folder_ = nullptr;
    QPushButton* browse_ = nullptr;
    QLineEdit* fileName_ = nullptr;
    QCheckBox* periodic_ = nullptr;
    QCheckBox* dischargeProfile_ = nullptr;
    QCheckBox* efficiency_ = nullptr;
    QCheckBox* full_ = nullptr;
    QPushButton* download_ = nullptr;
};
