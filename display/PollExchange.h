#pragma once

#include "display/PollReplies.h"
#include "display/PollRequests.h"
#include "display/PollStateWord.h"
#include "link/ReplyWatch.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>

class CLiveItemTable;
class CUnitLink;
class PromptService;
struct LinkRequest;
struct Settings;

// The poll cycle's exchange with the unit, one request at a time: a request goes out with its
// reply's time limit started, a tick that finds it outstanding waits for it or gives it up, and
// each reply goes where it belongs: the adapter's login replies to the TCP login, the reads to
// PollReplies (what they changed to the signals), write acknowledgements and bulk replies to a
// running download. It sets the busy and connected bits of the state word; the poll cycle
// decides what to ask and when.
class PollExchange : public QObject {
    Q_OBJECT

public:
    // owner: the link's receiver, which hands every reply to dispatch.
    PollExchange(CUnitLink& link, QObject& owner, PollStateWord& state, CLiveItemTable& items,
                 const Settings& settings, PromptService& prompts);

    void setSteadyClock(std::function<qint64()> nowMs) { steadyNowMs_ = std::move(nowMs); }
    void setDownloadReceiver(std::function<void(int count, LinkRequest* request)> download)
    {
        download_ = std::move(download);
    }
    PollReplies& replies() { return replies_; }
    const PollReplies& replies() const { return replies_; }

    // Opens the link; over TCP a connection's time limit starts (the login follows).
    bool openLink();
    bool request(std::uint8_t address, int length, std::uint16_t kind, std::uint16_t tag);
    bool request(const PollRequest& read, std::uint16_t tag);
    bool sendVersionRead();
    // Writes one byte to the record at address.
    bool writeByte(std::uint8_t address, std::uint8_t value);

    // Whether a tick is to wait for the reply outstanding; a lost reply is given up instead.
    bool mustWaitForReply();
    // Over TCP, the adapter's login has not answered in time.
    bool loginIsOverdue() const;
    void dispatch(int count, LinkRequest* request);

Q_SIGNALS:
    // A reply of the unit itself, or the adapter's confirmed login.
    void unitAnswered();
    // The adapter ignored the login: failure says so.
    void loginRefused(const QString& failure);
    // A reply was handled or given up: the status line may say something else now.
    void statusChanged();
    void slotsChanged();
    void firmwareVersionChanged(const QString& text);
    void clockChanged(const QString& unitTime, const QString& pcTime);
    void statusRowsChanged();
    void efficiencyChanged();

private:
    qint64 nowMs() const { return steadyNowMs_(); }
    bool isTcp() const;
    bool replyIsLost() const;
    void giveUpReply();
    // False when the login was refused.
    bool acceptLoginReply(int count, LinkRequest& request);
    void handlePollReply(int count, const LinkRequest& request);
    void handleWriteAcknowledgement(int count, LinkRequest* request);
    void refreshStatusPanel();

    CUnitLink& link_;
    QObject& owner_;
    PollStateWord& state_;
    PromptService& prompts_;
    std::function<qint64()> steadyNowMs_;
    std::function<void(int, LinkRequest*)> download_;
    ReplyWatch replyWatch_;
    PollReplies replies_;
};
