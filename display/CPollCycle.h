#pragma once

#include "display/PollReplies.h"
#include "display/PollSchedule.h"
#include "display/PollState.h"
#include "display/PollTimers.h"
#include "display/StartupSequence.h"
#include "display/StatusLine.h"
#include "link/LinkReceiver.h"
#include "link/ReplyWatch.h"

#include <QObject>
#include <cstdint>
#include <functional>

class CLiveItemTable;
class CUnitLink;
class PromptService;
struct Settings;

// The main window's conversation with the unit while the display runs: the state word, the
// one-shot timers, the start-up sequence, the poll schedule, the dispatch of every reply, the
// keep-alive over TCP and the automatic start and search. It knows no widget: the window reads
// what the unit said from the snapshot and follows the signals.
class CPollCycle : public QObject, public LinkReceiver {
    Q_OBJECT

public:
    // A tick that finds a reply outstanding looks again this much later.
    static constexpr int REPLY_WAIT_MS = 100;
    static constexpr int SERIAL_INTERVAL_MS = 50;
    static constexpr int TCP_INTERVAL_MS = 300;
    static constexpr int SLOW_INTERVAL_MS = 1000;
    static constexpr int KEEPALIVE_MS = 30000;
    static constexpr int AUTOSTART_MS = 100;
    static constexpr int AUTOSEARCH_FIRST_MS = 100;
    static constexpr int AUTOSEARCH_REPEAT_MS = 2000;

    // settings are the main window's, read where they apply (slots, DISPUPDATE, search, host).
    CPollCycle(CUnitLink& link, CLiveItemTable& items, const Settings& settings,
               PromptService& prompts, QObject* parent = nullptr);
    ~CPollCycle() override;

    // The PC's local time for the "PC Time" field; the wall clock unless a test sets one.
    void setClock(std::function<QDateTime()> now) { replies_.setClock(std::move(now)); }
    // Milliseconds on a clock that never jumps, for timing replies; a steady clock unless a
    // test sets one.
    void setSteadyClock(std::function<qint64()> nowMs) { steadyNowMs_ = std::move(nowMs); }
    // The serial search of the automatic search timer: true when a unit answered (and the
    // link's COM port was set to it).
    void setUnitSearch(std::function<bool()> search) { unitSearch_ = std::move(search); }
    // While a download runs, write acknowledgements and bulk replies go to it; empty when none.
    void setDownloadReceiver(std::function<void(int count, LinkRequest* request)> download)
    {
        download_ = std::move(download);
    }

    // "Start Display" pressed, or the automatic start: false when the link cannot be opened.
    bool startDisplay();
    // "Start Display" released, or a failure while polling. Decoded values stay.
    void stopDisplay();
    // Before a display slot is chosen: stops live item requests; whether the display ran.
    bool pause();
    // The poll flags follow the six display slots (DISPDATA1..6) of the settings.
    void refreshPollFlags();
    // After the Program Modes menu: read the unit's configuration again.
    void restartStartup();
    // "Connect" switched on (ends by arming the automatic start) and off.
    void connectUnit();
    void disconnectUnit();
    // Writes a live item's reset code to the unit's command record; stops a running display.
    bool sendResetCode(std::uint8_t resetCode);
    // Window opening: arms the automatic search for a serial port with AUTOPOLL_SERPORT set.
    void armAutoSearch();
    void stopAutoSearch();
    void refreshStatusLine();

    bool testState(std::uint16_t bits) const { return (state_ & bits) == bits; }
    UnitSnapshot snapshot() const { return replies_.snapshot(); }
    // The Program Modes menu hands back the capacities it wrote.
    void setBatteryCapacities(std::uint16_t battery1, std::uint16_t battery2)
    {
        replies_.setBatteryCapacities(battery1, battery2);
    }

    bool event(QEvent* event) override;
    void onTcpReply(int count, LinkRequest* request) override;
    void onSerialReply(int count, LinkRequest* request) override;
    void onTcpStatus(int state) override;
    void onSerialStatus() override;
    void onUserMessage(int message, int wParam) override;

Q_SIGNALS:
    // After every start (true) and stop (false), also a start that failed: the "Start Display"
    // button follows it.
    void displayRunningChanged(bool running);
    // The six value fields are to be redrawn.
    void slotsChanged();
    // The start-up sequence finished: the slot buttons take their items' labels again.
    void slotLabelsChanged();
    void statusRowsChanged();
    // A battery 2 efficiency reply: the efficiency panel is to be refreshed.
    void efficiencyChanged();
    void clockChanged(const QString& unitTime, const QString& pcTime);
    void firmwareVersionChanged(const QString& text);
    // Only when the status line's text changes.
    void statusLineChanged(const StatusLine& line);
    // After every status line refresh: the window updates "Connect" and the button states.
    void statusRefreshed();
    // The automatic search found the unit: "Connect" is shown pressed.
    void unitFound();
    void downloadFinished(int result);

private:
    enum class StepResult { More, Finished, Failed };
    enum class ItemResult { Sent, NothingToRead, Refused };

    // The handler of timer id, as its timer calls it.
    void OnTimer(int id);

    qint64 nowMs() const { return steadyNowMs_(); }
    void setState(std::uint16_t bits) { state_ = static_cast<std::uint16_t>(state_ | bits); }
    void clearState(std::uint16_t bits) { state_ = static_cast<std::uint16_t>(state_ & ~bits); }
    bool isTcp() const;
    int requestInterval() const;

    bool openLink();
    void killPollTimers();
    bool request(std::uint8_t address, int length, std::uint16_t kind, std::uint16_t tag);
    bool request(const PollRequest& read, std::uint16_t tag);
    bool sendVersionRead();

    bool mustWaitForReply();
    bool replyIsLost() const;
    void giveUpReply();

    void onItemTick(int intervalMs);
    ItemResult requestNextItem();
    void askToContinue();
    void onStartupTick(int intervalMs);
    StepResult sendStartupStep(const PollRequest* read);
    void onPairTick(int timerId, int intervalMs);
    void onKeepAliveTick();
    void onAutoSearchTick();

    void dispatchReply(int count, LinkRequest* request);
    void handlePollReply(int count, const LinkRequest& request);
    void handleWriteAcknowledgement(int count, LinkRequest* request);
    void refreshStatusPanel();

    CUnitLink& link_;
    CLiveItemTable& items_;
    const Settings& settings_;
    PromptService& prompts_;
    PollTimers timers_;
    std::function<qint64()> steadyNowMs_;
    std::function<bool()> unitSearch_;
    std::function<void(int, LinkRequest*)> download_;

    std::uint16_t state_ = 0;
    StartupSequence startup_;
    PollSchedule schedule_;
    ReplyWatch replyWatch_;
    PollReplies replies_;
    StatusLine statusLine_ = StatusLine::notConnected();
};
