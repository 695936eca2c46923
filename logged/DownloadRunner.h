#pragma once

#include "logged/DownloadProgress.h"
#include "logged/DownloadResult.h"
#include "logged/LogTimeText.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

class CUnitLink;
class DownloadSequence;
class PromptService;
struct DownloadJob;
struct LinkRequest;

// At most one download of the unit's logged data at a time, for the window that owns the link:
// the window routes the download's replies, the link's status changes and the completion
// message here. At the completion the program tells the user how it went and clears the unit's
// periodic log when that is safe; a caller that reports on its own (the command line) leaves
// both to itself.
class DownloadRunner : public QObject {
    Q_OBJECT

public:
    // Sends the command that clears the unit's periodic log; false when the link refused it.
    using LogClearer = std::function<bool()>;
    enum class Completion { TellTheUser, LeaveToCaller };

    // window: the link's owner that receives the download's replies and its completion.
    DownloadRunner(CUnitLink& link, PromptService& prompts, QObject* window,
                   QObject* parent = nullptr);
    ~DownloadRunner() override;

    void setLogClearer(LogClearer clearer) { clearLog_ = std::move(clearer); }
    void setCompletion(Completion completion) { completion_ = completion; }
    // The PC's clock and the zone of the files; the wall clock and local time unless set.
    void setClock(std::function<QDateTime()> now) { now_ = std::move(now); }
    void setTimeText(const LogTimeText& timeText) { timeText_ = timeText; }

    PromptService& prompts() const { return prompts_; }
    // The link is open and not busy with an exchange of its own.
    bool linkIsReady() const;
    bool isRunning() const { return sequence_ != nullptr; }

    // Starts the job; false when a download runs already.
    bool start(const DownloadJob& job);
    void takeReply(int count, LinkRequest* request);
    void checkLink();
    // The completion message WM_DOWNLOAD_DONE, wParam 1 for success.
    void complete(int wParam);

Q_SIGNALS:
    // The window holds back whatever else would talk to the unit while a download runs.
    void runningChanged(bool running);
    void progressChanged(const DownloadProgress& progress);
    // The transfer has ended; the completion follows.
    void transferEnded(bool success);
    void finished(const DownloadResult& result);

private:
    void clearPeriodicLog();

    CUnitLink& link_;
    PromptService& prompts_;
    QPointer<QObject> window_;
    LogClearer clearLog_;
    Completion completion_ = Completion::TellTheUser;
    std::function<QDateTime()> now_;
    LogTimeText timeText_;
    std::unique_ptr<DownloadSequence> sequence_;
};
