#pragma once

#include "display/BatteryStatus.h"
#include "display/EfficiencyTable.h"
#include "display/PollState.h"
#include "display/PollTimers.h"
#include "display/StatusLine.h"
#include "display/UnitClock.h"
#include "link/LinkReceiver.h"
#include "link/ReplyWatch.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <array>
#include <cstdint>
#include <functional>

class CLiveItemTable;
struct PollRequest;
class CUnitLink;
class PromptService;
struct Settings;

// The main window's conversation with the unit while the display runs: the state word, the
// one-shot timers, the start-up sequence that reads the unit's configuration, the poll cycle of
// six live item requests and the status, clock and efficiency pairs, the dispatch of every
// reply, the keep-alive over TCP and the automatic start and search timers. It knows no widget:
// the window reads what it shows through the getters and follows the signals.
class CPollCycle : public QObject, public LinkReceiver {
    Q_OBJECT

public:
    static constexpr int SLOT_COUNT = 6;
    static constexpr int SCHEDULE_LENGTH = 9;
    static constexpr int STARTUP_STEPS = 6;
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
    void setClock(std::function<QDateTime()> now);
    // Milliseconds on a clock that never jumps, for timing replies; a steady clock unless a
    // test sets one.
    void setSteadyClock(std::function<qint64()> nowMs);
    // The serial search of the automatic search timer: true when a unit answered (and the
    // link's COM port was set to it).
    void setUnitSearch(std::function<bool()> search);
    // While a download runs, write acknowledgements and bulk replies go to it; empty when none.
    void setDownloadReceiver(std::function<void(int count, LinkRequest* request)> download);

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
    // The firmware version read that checks a serial connection.
    void pingUnit();
    // Writes a live item's reset code to the unit's command record; stops a running display.
    bool sendResetCode(std::uint8_t resetCode);
    // Window opening: arms the automatic search for a serial port with AUTOPOLL_SERPORT set.
    void armAutoSearch();
    void stopAutoSearch();
    void refreshStatusLine();

    // The handler of timer id, as its timer calls it.
    void OnTimer(int id);
    bool isTimerArmed(int id) const { return timers_.isArmed(id); }
    int timerInterval(int id) const { return timers_.interval(id); }
    // T: the spacing of requests, decided at each tick.
    int requestInterval() const;

    std::uint16_t state() const { return state_; }
    bool testState(std::uint16_t bits) const { return (state_ & bits) == bits; }
    int scheduleIndex() const { return scheduleIndex_; }
    int startupStep() const { return startupStep_; }
    int pairStep(int timerId) const;
    int itemCursor() const { return itemCursor_; }

    // Display slots 0..5: item number, value text and colour, button caption.
    int slotItem(int slot) const;
    QString slotText(int slot) const;
    RgbColor slotColor(int slot) const;
    QString slotLabel(int slot) const;

    const BatteryStatus& batteryStatus() const { return status_; }
    const EfficiencyTable& efficiency() const { return efficiency_; }
    std::uint16_t battery1Capacity() const { return battery1Capacity_; }
    std::uint16_t battery2Capacity() const { return battery2Capacity_; }
    // The Program Modes menu hands back the capacities it wrote.
    void setBatteryCapacities(std::uint16_t battery1, std::uint16_t battery2);
    // 0 until the unit has told it.
    float firmwareVersion() const { return firmwareVersion_; }
    QString firmwareText() const;
    QString unitTimeText() const { return unitTime_; }
    QString pcTimeText() const { return pcTime_; }
    const StatusLine& statusLine() const { return statusLine_; }

    bool event(QEvent* event) override;
    void onTcpReply(int count, LinkRequest* request) override;
    void onSerialReply(int count, LinkRequest* request) override;
    void onTcpStatus(int state) override;
    void onSerialStatus() override;
    void onUserMessage(int message, int wParam) override;

Q_SIGNALS:
    void stateChanged(std::uint16_t state);
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
    void firmwareVersionChanged(float version, const QString& text);
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

    qint64 nowMs() const;
    void setState(std::uint16_t bits);
    void clearState(std::uint16_t bits);
    bool isTcp() const;

    bool openLink();
    void killPollTimers();
    bool request(std::uint8_t address, int length, std::uint16_t kind, std::uint16_t tag);
    bool request(const PollRequest& read, std::uint16_t tag);
    bool sendVersionRead();
    void armScheduled(int intervalMs);

    bool mustWaitForReply();
    bool replyIsLost() const;
    void giveUpReply();

    void onItemTick(int intervalMs);
    ItemResult requestNextItem();
    bool advanceItemCursor();
    void askToContinue();
    void onStartupTick(int intervalMs);
    StepResult runStartupStep();
    StepResult sendStartupStep(int step);
    void onPairTick(int timerId, int intervalMs);
    void onKeepAliveTick();
    void onAutoSearchTick();

    void dispatchReply(int count, LinkRequest* request);
    void handlePollReply(int count, const LinkRequest& request);
    void handleConfigurationReply(std::uint16_t kind, QByteArrayView reply);
    void handleDisplayReply(std::uint16_t kind, QByteArrayView reply);
    void handleWriteAcknowledgement(int count, LinkRequest* request);
    void showFirmwareVersion(std::uint8_t versionByte);
    void showClock(int unitMinutes);
    void refreshStatusPanel();

    CUnitLink& link_;
    CLiveItemTable& items_;
    const Settings& settings_;
    PromptService& prompts_;
    PollTimers timers_;
    std::function<QDateTime()> now_;
    std::function<qint64()> steadyNowMs_;
    std::function<bool()> unitSearch_;
    std::function<void(int, LinkRequest*)> download_;

    std::uint16_t state_ = 0;
    // Program-wide: stopping the display does not reset them.
    std::uint16_t scheduleIndex_ = 0;
    std::uint16_t startupStep_ = 0;
    std::array<std::uint16_t, 3> pairSteps_{};
    std::uint16_t itemCursor_ = 0;
    ReplyWatch replyWatch_;

    BatteryStatus status_;
    EfficiencyTable efficiency_;
    UnitClock clock_;
    std::uint16_t battery1Capacity_ = 0;
    std::uint16_t battery2Capacity_ = 0;
    float firmwareVersion_ = 0.0f;
    QString unitTime_;
    QString pcTime_;
    StatusLine statusLine_;
};
