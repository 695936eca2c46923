#pragma once

#include "display/LinkRecovery.h"
#include "display/PollExchange.h"
#include "display/PollSchedule.h"
#include "display/PollState.h"
#include "display/PollStateWord.h"
#include "display/PollTimers.h"
#include "display/StartupSequence.h"
#include "display/StatusLine.h"
#include "link/LinkReceiver.h"

#include <QObject>
#include <cstdint>
#include <functional>

class CLiveItemTable;
class CUnitLink;
class PromptService;
struct Settings;

// The main window's conversation with the unit while the display runs: the state word, the
// one-shot timers, the start-up sequence, the poll schedule, the keep-alive over TCP, the
// automatic start and search, and the answer to a lost link. Sending the requests and routing
// their replies is PollExchange's. It knows no widget: the window reads what the unit said from
// the snapshot and follows the signals.
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

    // settings are the main window's, read where they apply (slots, speed, search, host).
    CPollCycle(CUnitLink& link, CLiveItemTable& items, const Settings& settings,
               PromptService& prompts, QObject* parent = nullptr);
    ~CPollCycle() override;

    // The PC's local time for the "PC Time" field; the wall clock unless a test sets one.
    void setClock(std::function<QDateTime()> now) { exchange_.replies().setClock(std::move(now)); }
    // Milliseconds on a clock that never jumps, for timing replies; a steady clock unless a
    // test sets one.
    void setSteadyClock(std::function<qint64()> nowMs)
    {
        exchange_.setSteadyClock(std::move(nowMs));
    }
    // The serial search of the automatic search timer: true when a unit answered (and the
    // link's COM port was set to it).
    void setUnitSearch(std::function<bool()> search) { unitSearch_ = std::move(search); }
    // While a download runs, write acknowledgements and bulk replies go to it; empty when none.
    void setDownloadReceiver(std::function<void(int count, LinkRequest* request)> download)
    {
        exchange_.setDownloadReceiver(std::move(download));
    }

    // "Start Display" pressed, or the automatic start: false when the link cannot be opened.
    bool startDisplay();
    // "Start Display" released, or a failure while polling. Decoded values stay.
    void stopDisplay();
    // Before a display slot is chosen: stops live item requests; whether the display ran.
    bool pause();
    // The poll flags follow the six display slots (slotItems) of the settings.
    void refreshPollFlags();
    // After the Program Modes menu: read the unit's configuration again.
    void restartStartup();
    // "Connect" switched on (ends by arming the automatic start) and off.
    void connectUnit();
    void disconnectUnit();
    // Writes a live item's reset code to the unit's command record; stops a running display.
    bool sendResetCode(std::uint8_t resetCode);
    // Window opening: arms the automatic search for a serial port with searchForUnitAtStartup set.
    void armAutoSearch();
    void stopAutoSearch();
    void refreshStatusLine();

    bool testState(std::uint16_t bits) const { return state_.test(bits); }
    // Between a lost link and the unit's first answer on the new one (AUTORECONNECT).
    bool isReconnecting() const { return recovery_.isActive(); }
    LinkRecovery& recovery() { return recovery_; }
    UnitSnapshot snapshot() const { return exchange_.replies().snapshot(); }
    // The Program Modes menu hands back the capacities it wrote.
    void setBatteryCapacities(std::uint16_t battery1, std::uint16_t battery2)
    {
        exchange_.replies().setBatteryCapacities(battery1, battery2);
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
    // The link was lost: what the window shows of the unit is stale from now on.
    void linkLost();
    // A new connection: the previous unit's values are gone.
    void unitForgotten();

private:
    enum class StepResult { More, Finished, Failed };
    enum class ItemResult { Sent, NothingToRead, Refused };

    // The handler of timer id, as its timer calls it.
    void OnTimer(int id);

    bool isTcp() const;
    int requestInterval() const;

    bool recoveryOn() const;
    bool openUnit();
    void onConnectFailed();
    void loseLink(const QString& why = {});
    void onLinkDown();
    void reconnect();
    void onUnitAnswered();
    void failLogin(const QString& failure);
    void killPollTimers();

    void onItemTick(int intervalMs);
    ItemResult requestNextItem();
    void askToContinue();
    void onStartupTick(int intervalMs);
    StepResult sendStartupStep(const PollRequest* read);
    void onPairTick(int timerId, int intervalMs);
    void onKeepAliveTick();
    void onAutoSearchTick();

    CUnitLink& link_;
    CLiveItemTable& items_;
    const Settings& settings_;
    PromptService& prompts_;
    PollTimers timers_;
    std::function<bool()> unitSearch_;

    PollStateWord state_;
    PollExchange exchange_;
    StartupSequence startup_;
    PollSchedule schedule_;
    StatusLine statusLine_ = StatusLine::notConnected();
    LinkRecovery recovery_;
    // "Connect" is on: a link that goes down was lost, not closed.
    bool linkWanted_ = false;
};
