#pragma once

#include "logged/ui/CDownloadDlg.h"

#include <QDate>
#include <QObject>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class CDownloadProgressDlg;
class DownloadRunner;
class QWidget;
struct DownloadProgress;
struct Settings;

// The main window's "Download Data": the report labels first when they were never set up, the
// Download dialog, then one download on the runner with its progress window shown until the
// transfer ends.
class DownloadCommand : public QObject {
    Q_OBJECT

public:
    // Runs the "Custom Report Labels" dialog on the labels (changed only by its OK).
    using LabelsEditor = std::function<void(std::array<QString, 16>& labels, QWidget* parent)>;
    // Runs the Download dialog; nothing when it was cancelled.
    using ValuesDialog = std::function<std::optional<CDownloadDlg::Values>(
        const CDownloadDlg::Values& initial, QWidget* parent)>;

    // parentWidget: the window the dialogs and the progress window belong to.
    DownloadCommand(DownloadRunner& runner, QWidget* parentWidget);
    ~DownloadCommand() override;

    void setLabelsEditor(LabelsEditor editor) { editLabels_ = std::move(editor); }
    void setValuesDialog(ValuesDialog dialog) { runDialog_ = std::move(dialog); }
    // The folder picker of the standard Download dialog.
    void setFolderPicker(CDownloadDlg::FolderPicker picker) { pickFolder_ = std::move(picker); }
    // For tests: the date of the offered file name.
    void setToday(std::function<QDate()> today) { today_ = std::move(today); }

    // "Download Data" with the main window's settings (RUNCUSTOMLABELSDLG is cleared and the
    // labels may change). False when no download was started: one runs already, the link is
    // not open and ready, or the dialog was cancelled.
    bool run(Settings& settings);

private:
    std::optional<CDownloadDlg::Values> runStandardDialog(const CDownloadDlg::Values& initial,
                                                          QWidget* parent) const;
    void showProgress(const DownloadProgress& progress);
    void closeProgressWindow();

    DownloadRunner& runner_;
    QWidget* parentWidget_;
    LabelsEditor editLabels_;
    ValuesDialog runDialog_;
    CDownloadDlg::FolderPicker pickFolder_;
    std::function<QDate()> today_;
    std::unique_ptr<CDownloadProgressDlg> progress_;
};
