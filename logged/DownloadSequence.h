#pragma once

#include "link/LinkReceiver.h"
#include "link/RecordMap.h"
#include "logged/CLoggedData.h"
#include "logged/DownloadJob.h"
#include "logged/DownloadProgress.h"
#include "logged/DownloadResult.h"
#include "logged/IncrementalDownload.h"
#include "logged/LogTimeText.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>

class CUnitLink;
class PromptService;

// One download of the unit's logged data: a chain of requests, each issued from the handler of
// the reply before it, through the steps of DownloadSteps. When the chain ends the completion
// message (WM_DOWNLOAD_DONE, wParam 1 success, 0 failure) is posted to the window; its handler
// calls complete(), which writes the files and reports through finished().
//
// The window is the link's owner that receives the replies: the main window routes every
// reply of kind 18, every write acknowledgement and every link status change here while the
// download runs. Without a window the sequence is its own window (a program without a main
// window: it then also answers the network adapter's login).
class DownloadSequence : public QObject, public LinkReceiver {
    Q_OBJECT

public:
    static constexpr int SETUP_STEPS = 6;
    static constexpr int LAST_STEP = 11;

    DownloadSequence(CUnitLink& link, PromptService& prompts, QObject* window = nullptr,
                     QObject* parent = nullptr);
    ~DownloadSequence() override;

    // The PC's local time, for the clock setting and for placing the unit's clock on the
    // calendar; the wall clock unless a test sets one.
    void setClock(std::function<QDateTime()> now);
    // How record times are written; the PC's local time unless a test pins a zone.
    void setTimeText(const LogTimeText& timeText);
    // Where the images of the units' memory are kept, so that a download reads only what the
    // unit wrote since the last one; without a folder every download reads everything.
    void setImageFolder(const QString& folder) { incremental_ = IncrementalDownload(folder); }

    // Starts the chain at step 0; false when this sequence has been started before. A request
    // the link refuses ends the download as failed (the completion still comes).
    bool start(const DownloadJob& job);
    // From start() until complete() has run.
    bool isRunning() const { return phase_ == Phase::Transfer || phase_ == Phase::Ended; }
    // The chain has ended and the completion is due.
    bool hasEnded() const { return phase_ == Phase::Ended; }
    int step() const { return step_; }
    const DownloadProgress& progress() const { return progress_; }
    const CLoggedData& data() const { return *data_; }

    // A reply the window routes here; replies that are not awaited are ignored.
    void takeReply(int count, const LinkRequest* request);
    // A link status change: a link that failed or closed while a reply is awaited ends the
    // download as failed.
    void checkLink();
    // "Cancel": the download ends when the request in flight has been answered (or lost),
    // as a failure that writes no file.
    void cancel() { cancelRequested_ = true; }
    // The completion step: after a success the files are written (the cumulative file first);
    // either way the result goes out through finished() and is returned.
    DownloadResult complete(bool success);

    bool event(QEvent* event) override;
    void onTcpReply(int count, LinkRequest* request) override;
    void onSerialReply(int count, LinkRequest* request) override;
    void onTcpStatus(int state) override;
    void onSerialStatus() override;
    void onUserMessage(int message, int wParam) override;

Q_SIGNALS:
    void progressChanged(const DownloadProgress& progress);
    // The chain has ended (the progress window closes); the completion message is on its way.
    void transferEnded(bool success);
    void finished(const DownloadResult& result);

private:
    enum class Phase { Ready, Transfer, Ended, Completed };

    QObject* window() const;
    void issue(int step);
    bool read(UnitRecord record);
    bool bulkRead(std::uint16_t unitAddress, int length);
    bool write(std::uint8_t address, QByteArray bytes);
    void await(std::uint16_t kind, int length);
    void issueTimeSync();
    void issueArea(int step);

    void handleReply(QByteArrayView reply);
    void handleSetupReply(QByteArrayView reply);
    void handleClockDay(QByteArrayView reply);
    void handleClockMinutes(QByteArrayView reply);
    void handleAreaReply(QByteArrayView reply);
    void finishArea();
    void handleAcknowledgement(QByteArrayView reply, std::uint16_t checksum);
    void issueIdentity();

    void setProgress(const QString& text, int maximum);
    void stepProgress();
    void fail();
    void endCancelled();
    void end(bool success);
    DownloadResult summarise(bool success);

    CUnitLink& link_;
    PromptService& prompts_;
    QPointer<QObject> window_;
    std::function<QDateTime()> now_;
    LogTimeText timeText_;
    DownloadJob job_;
    std::unique_ptr<CLoggedData> data_;
    Phase phase_ = Phase::Ready;
    int step_ = 0;
    bool succeeded_ = false;
    bool cancelRequested_ = false;

    // The reply awaited: its kind and data length.
    bool awaiting_ = false;
    std::uint16_t awaitedKind_ = 0;
    int awaitedLength_ = 0;
    // The link has no time-out of its own over TCP: a reply that does not come ends the
    // download once the serial time-outs for its bytes (and a margin) have passed.
    QTimer replyLimit_;

    // The clock setting: 0 read the day word, 1 write it, 2 write the minutes.
    std::uint16_t timeSyncStep_ = 0;
    int acknowledgements_ = 0;
    std::uint16_t newDayWord_ = 0;
    std::uint8_t newMinutes_ = 0;
    std::uint16_t clockDayWord_ = 0;

    IncrementalDownload incremental_{QString()};
    size_t identityRead_ = 0;

    DownloadProgress progress_;
};
