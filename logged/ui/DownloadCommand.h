#pragma once

#include "logged/DownloadResult.h"
#include "logged/LogTimeText.h"
#include "logged/ui/CDownloadDlg.h"

#include <QDate>
#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class CDownloadProgressDlg;
class CUnitLink;
class DownloadSequence;
class PromptService;
class QWidget;
struct DownloadJob;
struct LinkRequest;
struct Settings;

// The main window's "Download Data": the report labels first when they were never set up, the
// Download dialog, then one download with its progress window, and at its completion the
// messages, the end of the download and the clearing of the unit's periodic log when that is
// safe. The main window routes the download's replies, the link's status changes and the
// completion message here.
class DownloadCommand : public QObject {
    Q_OBJECT

public:
    // Runs the "Custom Report Labels" dialog on the labels (changed only by its OK).
    using LabelsEditor = std::function<void(std::array<QString, 16>& labels, QWidget* parent)>;
    // Runs the Download dialog; nothing when it was cancelled.
    using ValuesDialog = std::function<std::optional<CDownloadDlg::Values>(
        const CDownloadDlg::Values& initial, QWidget* parent)>;
    // Sends the command that clears the unit's periodic log; false when the link refused it.
    using LogClearer = std::function<bool()>;

    // window: the link's owner that receives the download's replies and its completion.
    DownloadCommand(CUnitLink& link, PromptService& prompts, QObject* window,
                    QWidget* parentWidget);
    ~DownloadCommand() override;

    void setLabelsEditor(LabelsEditor editor) { editLabels_ = std::move(editor); }
    void setValuesDialog(ValuesDialog dialog) { runDialog_ = std::move(dialog); }
    // The folder picker of the standard Download dialog.
    void setFolderPicker(CDownloadDlg::FolderPicker picker) { pickFolder_ = std::move(picker); }
    void setLogClearer(LogClearer clearer) { clearLog_ = std::move(clearer); }
    // For tests: the date of the offered file name, the PC's clock and the zone of the files.
    void setToday(std::function<QDate()> today) { today_ = std::move(today); }
    void setClock(std::function<QDateTime()> now) { now_ = std::move(now); }
    void setTimeText(const LogTimeText& timeText) { timeText_ = timeText; }

    // "Download Data" with the main window's settings (RUNCUSTOMLABELSDLG is cleared and the
    // labels may change). False when no download was started: one runs already, the link is
    // not open and ready, or the dialog was cancelled.
    bool run(Settings& settings);
    bool isRunning() const { return sequence_ != nullptr; }
    DownloadSequence* sequence() const { return sequence_.get(); }
    CDownloadProgressDlg* progressWindow() const { return progress_.get(); }

    void takeReply(int count, LinkRequest* request);
    void checkLink();
    // The completion message WM_DOWNLOAD_DONE, wParam 1 for success.
    void complete(int wParam);

Q_SIGNALS:
    // The main window holds its "Download Data" back while a download runs.
    void runningChanged(bool running);
    void finished(const DownloadResult& result);

private:
    bool linkIsReady() const;
    std::optional<CDownloadDlg::Values> runStandardDialog(const CDownloadDlg::Values& initial,
                                                          QWidget* parent) const;
    void startSequence(const DownloadJob& job);
    void closeProgressWindow();
    void clearPeriodicLog();

    CUnitLink& link_;
    PromptService& prompts_;
    QPointer<QObject> window_;
    QWidget* parentWidget_;
    LabelsEditor editLabels_;
    ValuesDialog runDialog_;
    CDownloadDlg::FolderPicker pickFolder_;
    LogClearer clearLog_;
    std::function<QDate()> today_;
    std::function<QDateTime()> now_;
    LogTimeText timeText_;
    std::unique_ptr<DownloadSequence> sequence_;
    std::unique_ptr<CDownloadProgressDlg> progress_;
};
