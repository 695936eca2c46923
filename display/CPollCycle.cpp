#include "display/CPollCycle.h"

#include "config/Settings.h"
#include "display/CLiveItemTable.h"
#include "display/PollRequests.h"
#include "link/CUnitLink.h"
#include "link/FirmwareVersion.h"
#include "link/LinkRequest.h"
#include "link/TcpLogin.h"
#include "resources/PromptService.h"

namespace {

constexpr std::array<int, CPollCycle::SCHEDULE_LENGTH> Schedule{
    TIMER_ITEM, TIMER_ITEM,   TIMER_ITEM,  TIMER_ITEM,      TIMER_ITEM,
    TIMER_ITEM, TIMER_STATUS, TIMER_CLOCK, TIMER_EFFICIENCY};

constexpr int StringPortProblem = 2001;
constexpr int StringBadAcknowledgement = 2601;

// The reply length a kind 4..15 must have; -1 for other kinds.
static_assert(PollRequests::Startup.size() == CPollCycle::STARTUP_STEPS);

int expectedLength(std::uint16_t kind)
{
    for (const PollRequest& step : PollRequests::Startup)
        if (step.kind == kind)
            return step.record.length;
    for (const auto& pair : PollRequests::Pairs)
        for (const PollRequest& step : pair)
            if (step.kind == kind)
                return step.record.length;
    return -1;
}

std::uint16_t littleEndianWord(QByteArrayView reply)
{
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(reply[0]) |
                                      (static_cast<std::uint8_t>(reply[1]) << 8));
}

} // namespace

CPollCycle::CPollCycle(CUnitLink& link, CLiveItemTable& items, const Settings& settings,
                       PromptService& prompts, QObject* parent)
    : QObject(parent), link_(link), items_(items), settings_(settings), prompts_(prompts),
      timers_([this](int id) { OnTimer(id); }), now_([] { return QDateTime::currentDateTime(); }),
      steadyNowMs_([] {
          QElapsedTimer steady;
          steady.start();
          return steady.msecsSinceReference();
      }),
      statusLine_{QStringLiteral("Not Connected"), RgbColor{0}, std::nullopt}
{}

CPollCycle::~CPollCycle() = default;

void CPollCycle::setClock(std::function<QDateTime()> now)
{
    now_ = std::move(now);
}

void CPollCycle::setUnitSearch(std::function<bool()> search)
{
    unitSearch_ = std::move(search);
}

void CPollCycle::setDownloadReceiver(std::function<void(int, LinkRequest*)> download)
{
    download_ = std::move(download);
}

void CPollCycle::setSteadyClock(std::function<qint64()> nowMs)
{
    steadyNowMs_ = std::move(nowMs);
}

qint64 CPollCycle::nowMs() const
{
    return steadyNowMs_();
}

void CPollCycle::setState(std::uint16_t bits)
{
    const auto before = state_;
    state_ = static_cast<std::uint16_t>(state_ | bits);
    if (state_ != before)
        Q_EMIT stateChanged(state_);
}

void CPollCycle::clearState(std::uint16_t bits)
{
    const auto before = state_;
    state_ = static_cast<std::uint16_t>(state_ & ~bits);
    if (state_ != before)
        Q_EMIT stateChanged(state_);
}

bool CPollCycle::isTcp() const
{
    return link_.GetPortType() == PORT_TCP;
}

int CPollCycle::requestInterval() const
{
    if (settings_.dispUpdate == DISPUPDATE_SLOW)
        return SLOW_INTERVAL_MS;
    return isTcp() ? TCP_INTERVAL_MS : SERIAL_INTERVAL_MS;
}

int CPollCycle::pairStep(int timerId) const
{
    if (timerId < TIMER_STATUS || timerId > TIMER_EFFICIENCY)
        return 0;
    return pairSteps_[static_cast<std::size_t>(timerId - TIMER_STATUS)];
}

// ---- Commands of the main window

bool CPollCycle::openLink()
{
    link_.SetOwner(this);
    const bool connecting = isTcp() && link_.GetState() == LINK_CLOSED;
    if (connecting)
        replyWatch_.start(nowMs(), 0, link_.GetSerialTimeouts());
    return link_.Open() != 0;
}

bool CPollCycle::startDisplay()
{
    if (!openLink()) {
        Q_EMIT displayRunningChanged(false);
        refreshStatusLine();
        return false;
    }
    // A second start while running must not leave two chains of timers.
    killPollTimers();
    timers_.arm(TIMER_STARTUP, 1);
    setState(ST_RUNNING | ST_STARTUP);
    Q_EMIT displayRunningChanged(true);
    Q_EMIT slotsChanged();
    refreshStatusLine();
    return true;
}

void CPollCycle::stopDisplay()
{
    clearState(ST_RUNNING);
    killPollTimers();
    link_.ReplyDone();
    refreshStatusLine();
    Q_EMIT displayRunningChanged(false);
}

void CPollCycle::killPollTimers()
{
    for (int id : {TIMER_ITEM, TIMER_STARTUP, TIMER_STATUS, TIMER_CLOCK, TIMER_EFFICIENCY})
        timers_.kill(id);
}

bool CPollCycle::pause()
{
    const bool wasRunning = testState(ST_RUNNING);
    timers_.kill(TIMER_ITEM);
    clearState(ST_RUNNING);
    return wasRunning;
}

void CPollCycle::refreshPollFlags()
{
    items_.markPolledItems(settings_.dispData);
}

void CPollCycle::restartStartup()
{
    setState(ST_STARTUP);
    startupStep_ = 1;
    sendStartupStep(startupStep_);
    timers_.arm(TIMER_STARTUP, 1);
}

void CPollCycle::connectUnit()
{
    link_.SetOwner(this);
    if (isTcp()) {
        link_.SetHost(settings_.hostText(), settings_.listenPort);
        openLink();
    } else {
        timers_.kill(TIMER_AUTOSEARCH);
        pingUnit();
    }
    timers_.arm(TIMER_AUTOSTART, AUTOSTART_MS);
    refreshStatusLine();
}

void CPollCycle::disconnectUnit()
{
    timers_.kill(TIMER_KEEPALIVE);
    // A start still pending from the connect would open the link again.
    timers_.kill(TIMER_AUTOSTART);
    if (testState(ST_RUNNING))
        stopDisplay();
    clearState(ST_CONNECTED);
    link_.Close();
    refreshStatusLine();
}

void CPollCycle::pingUnit()
{
    sendVersionRead();
}

bool CPollCycle::sendResetCode(std::uint8_t resetCode)
{
    if (testState(ST_RUNNING))
        stopDisplay();
    link_.SetOwner(this);
    setState(ST_BUSY);
    replyWatch_.start(nowMs(), 1, link_.GetSerialTimeouts());
    if (link_.Write(this, RecordMap::Command.address, 1, &resetCode))
        return true;
    clearState(ST_BUSY);
    return false;
}

void CPollCycle::armAutoSearch()
{
    if (!isTcp() && settings_.autoPollSerialPort != 0)
        timers_.arm(TIMER_AUTOSEARCH, AUTOSEARCH_FIRST_MS);
}

void CPollCycle::stopAutoSearch()
{
    timers_.kill(TIMER_AUTOSEARCH);
}

void CPollCycle::refreshStatusLine()
{
    StatusLine line = StatusLine::forLink(link_.GetState(), link_.GetError());
    if (line.text != statusLine_.text) {
        statusLine_ = std::move(line);
        Q_EMIT statusLineChanged(statusLine_);
    }
    Q_EMIT statusRefreshed();
}

// ---- Requests

bool CPollCycle::request(const PollRequest& read, std::uint16_t tag)
{
    return request(read.record.address, read.record.length, read.kind, tag);
}

bool CPollCycle::request(std::uint8_t address, int length, std::uint16_t kind, std::uint16_t tag)
{
    setState(ST_BUSY);
    link_.SetOwner(this);
    replyWatch_.start(nowMs(), length, link_.GetSerialTimeouts());
    if (link_.Read(this, address, length, kind, tag))
        return true;
    clearState(ST_BUSY);
    return false;
}

bool CPollCycle::sendVersionRead()
{
    firmwareVersion_ = 0.0f;
    return request(PollRequests::Version, 0);
}

void CPollCycle::armScheduled(int intervalMs)
{
    if (scheduleIndex_ >= SCHEDULE_LENGTH)
        scheduleIndex_ = 0;
    timers_.arm(Schedule[scheduleIndex_], intervalMs);
    ++scheduleIndex_;
}

// ---- Timer ticks

void CPollCycle::OnTimer(int id)
{
    timers_.kill(id);
    if (mustWaitForReply()) {
        timers_.arm(id, REPLY_WAIT_MS);
        return;
    }
    const int interval = requestInterval();
    switch (id) {
    case TIMER_ITEM:
        if (testState(ST_RUNNING))
            onItemTick(interval);
        break;
    case TIMER_STARTUP:
        if (testState(ST_STARTUP))
            onStartupTick(interval);
        break;
    case TIMER_STATUS:
    case TIMER_CLOCK:
    case TIMER_EFFICIENCY:
        if (testState(ST_RUNNING))
            onPairTick(id, interval);
        break;
    case TIMER_KEEPALIVE:
        onKeepAliveTick();
        break;
    case TIMER_AUTOSTART:
        startDisplay();
        break;
    case TIMER_AUTOSEARCH:
        onAutoSearchTick();
        break;
    default:
        break;
    }
    if (scheduleIndex_ >= SCHEDULE_LENGTH)
        scheduleIndex_ = 0;
    refreshStatusLine();
}

// A reply is awaited once the unit has answered since connecting; over TCP also while the
// adapter's login is still going on. The wait ends when the link reports an error or the reply
// is overdue: the reply is given up and the tick goes on.
bool CPollCycle::mustWaitForReply()
{
    const bool replyAwaited = testState(ST_BUSY | ST_CONNECTED);
    const bool loggingIn = isTcp() && link_.GetState() == LINK_CONNECTING;
    if (!replyAwaited && !loggingIn)
        return false;
    if (!replyIsLost())
        return true;
    giveUpReply();
    return false;
}

bool CPollCycle::replyIsLost() const
{
    return link_.GetState() == LINK_ERROR || replyWatch_.isOverdue(nowMs());
}

void CPollCycle::giveUpReply()
{
    // The status line shows why the wait ended before the next request changes the state.
    refreshStatusLine();
    clearState(ST_BUSY);
    // Over TCP a part of the lost reply may sit in the receive buffer; the next reply must
    // not be gathered behind it.
    link_.ResetReceive();
    link_.ReplyDone();
}

void CPollCycle::onItemTick(int intervalMs)
{
    if (requestNextItem() == ItemResult::Refused) {
        stopDisplay();
        askToContinue();
        return;
    }
    armScheduled(intervalMs);
}

CPollCycle::ItemResult CPollCycle::requestNextItem()
{
    if (!items_.hasPolledItem() || !advanceItemCursor())
        return ItemResult::NothingToRead;
    const LiveItem& item = items_.item(itemCursor_);
    const bool sent =
        request(static_cast<std::uint8_t>(item.address & 0xFF), item.length, REQ_ITEM, itemCursor_);
    return sent ? ItemResult::Sent : ItemResult::Refused;
}

bool CPollCycle::advanceItemCursor()
{
    for (int tries = 0; tries < CLiveItemTable::LAST_POLLED_ITEM; ++tries) {
        itemCursor_ = itemCursor_ >= CLiveItemTable::LAST_POLLED_ITEM
                          ? 1
                          : static_cast<std::uint16_t>(itemCursor_ + 1);
        if (items_.isPolled(itemCursor_))
            return true;
    }
    return false;
}

void CPollCycle::askToContinue()
{
    const PromptAnswer answer =
        prompts_.show(StringPortProblem, PromptIcon::Exclamation, PromptButtons::YesNo);
    if (answer == PromptAnswer::Yes)
        startDisplay();
}

void CPollCycle::onStartupTick(int intervalMs)
{
    switch (runStartupStep()) {
    case StepResult::More:
        timers_.arm(TIMER_STARTUP, intervalMs);
        break;
    case StepResult::Finished:
        clearState(ST_STARTUP);
        Q_EMIT slotLabelsChanged();
        if (testState(ST_RUNNING)) {
            scheduleIndex_ = 0;
            timers_.arm(Schedule[0], intervalMs);
        }
        break;
    case StepResult::Failed:
        setState(ST_STARTUP);
        stopDisplay();
        break;
    }
}

// The unit's configuration is read once per program run, and again after programming.
CPollCycle::StepResult CPollCycle::runStartupStep()
{
    if (startupStep_ >= STARTUP_STEPS)
        return StepResult::Finished;
    ++startupStep_;
    return sendStartupStep(startupStep_);
}

CPollCycle::StepResult CPollCycle::sendStartupStep(int step)
{
    const PollRequest& read = PollRequests::Startup[static_cast<std::size_t>(step - 1)];
    if (read.kind == REQ_VERSION)
        firmwareVersion_ = 0.0f;
    if (!request(read, 0))
        return StepResult::Failed;
    return step == STARTUP_STEPS ? StepResult::Finished : StepResult::More;
}

void CPollCycle::onPairTick(int timerId, int intervalMs)
{
    const auto pair = static_cast<std::size_t>(timerId - TIMER_STATUS);
    std::uint16_t& step = pairSteps_[pair];
    step = step >= 2 ? 1 : static_cast<std::uint16_t>(step + 1);
    const PollRequest& read = PollRequests::Pairs[pair][static_cast<std::size_t>(step - 1)];
    if (!request(read, 0)) {
        stopDisplay();
        return;
    }
    if (step == 1)
        timers_.arm(timerId, intervalMs);
    else
        armScheduled(intervalMs);
}

void CPollCycle::onKeepAliveTick()
{
    if (isTcp() && !testState(ST_RUNNING) && !testState(ST_BUSY) && testState(ST_CONNECTED))
        sendVersionRead();
}

void CPollCycle::onAutoSearchTick()
{
    if (isTcp() || settings_.autoPollSerialPort == 0)
        return;
    if (unitSearch_ && unitSearch_()) {
        Q_EMIT unitFound();
        connectUnit();
        return;
    }
    if (link_.GetState() == LINK_CLOSED)
        timers_.arm(TIMER_AUTOSEARCH, AUTOSEARCH_REPEAT_MS);
}

// ---- Replies

bool CPollCycle::event(QEvent* event)
{
    return handleLinkEvent(event) || QObject::event(event);
}

void CPollCycle::onTcpReply(int count, LinkRequest* request)
{
    dispatchReply(count, request);
    timers_.arm(TIMER_KEEPALIVE, KEEPALIVE_MS);
}

void CPollCycle::onSerialReply(int count, LinkRequest* request)
{
    dispatchReply(count, request);
}

void CPollCycle::onTcpStatus(int)
{
    refreshStatusLine();
}

void CPollCycle::onSerialStatus()
{
    refreshStatusLine();
}

void CPollCycle::onUserMessage(int message, int wParam)
{
    if (message == WM_DOWNLOAD_DONE)
        Q_EMIT downloadFinished(wParam);
}

void CPollCycle::dispatchReply(int count, LinkRequest* request)
{
    setState(ST_CONNECTED);
    const int kind = request ? request->kind : -1;
    if (kind == REQ_GREETING) {
        TcpLogin::onReply(link_, count, *request);
    } else if (kind == REQ_LOGIN) {
        clearState(ST_BUSY);
        TcpLogin::onReply(link_, count, *request);
    } else if (kind >= REQ_ITEM && kind <= REQ_EFF2) {
        clearState(ST_BUSY);
        handlePollReply(count, *request);
    } else if (kind == REQ_WRITEACK) {
        clearState(ST_BUSY);
        handleWriteAcknowledgement(count, request);
    } else if (kind == REQ_BULK) {
        clearState(ST_BUSY);
        if (download_)
            download_(count, request);
    }
    // A serial link stays receiving while the display runs, until the next request.
    if (isTcp() || !testState(ST_RUNNING))
        link_.ReplyDone();
    refreshStatusLine();
}

void CPollCycle::handlePollReply(int count, const LinkRequest& request)
{
    const QByteArrayView reply(request.data, count);
    if (request.kind == REQ_ITEM) {
        // A reply of the wrong length leaves the item showing "- - -".
        items_.acceptReply(request.tag, reply);
        Q_EMIT slotsChanged();
        return;
    }
    if (count != expectedLength(request.kind))
        return;
    if (request.kind <= REQ_BATT2CAP)
        handleConfigurationReply(request.kind, reply);
    else
        handleDisplayReply(request.kind, reply);
}

void CPollCycle::handleConfigurationReply(std::uint16_t kind, QByteArrayView reply)
{
    switch (kind) {
    case REQ_VERSION:
        showFirmwareVersion(static_cast<std::uint8_t>(reply[0]));
        break;
    case REQ_CHANNELNAMES:
        items_.applyChannelNames(reply);
        break;
    case REQ_BATTWORDS:
        items_.applyBatteryWords(reply);
        break;
    case REQ_SHUNTS:
        items_.applyShunts(reply);
        break;
    case REQ_BATT1CAP:
        battery1Capacity_ = littleEndianWord(reply);
        efficiency_.setBattery1Capacity(battery1Capacity_);
        break;
    case REQ_BATT2CAP:
        battery2Capacity_ = littleEndianWord(reply);
        break;
    default:
        break;
    }
}

void CPollCycle::handleDisplayReply(std::uint16_t kind, QByteArrayView reply)
{
    switch (kind) {
    case REQ_CLOCKDAY:
        clock_.setDayBytes(reply);
        break;
    case REQ_CLOCKMIN:
        showClock(clock_.takeMinuteByte(static_cast<std::uint8_t>(reply[0])));
        break;
    case REQ_ALARMSTATES:
        status_.applyAlarmStates(reply);
        break;
    case REQ_STATUSFLAGS:
        status_.applyFlags(reply);
        setState(ST_FLAGSNEW);
        refreshStatusPanel();
        break;
    case REQ_EFF1:
        efficiency_.applyBattery1Block(reply);
        break;
    case REQ_EFF2:
        // Battery 2's block is not decoded; its reply marks the end of the efficiency pair.
        Q_EMIT efficiencyChanged();
        break;
    default:
        break;
    }
}

void CPollCycle::handleWriteAcknowledgement(int count, LinkRequest* request)
{
    if (download_) {
        download_(count, request);
        return;
    }
    if (count == 1 && request->data[0] != request->tag)
        prompts_.show(StringBadAcknowledgement);
}

void CPollCycle::showFirmwareVersion(std::uint8_t versionByte)
{
    firmwareVersion_ = FirmwareVersion::fromByte(versionByte);
    Q_EMIT firmwareVersionChanged(firmwareVersion_, firmwareText());
}

void CPollCycle::showClock(int unitMinutes)
{
    setState(ST_CLOCKNEW);
    unitTime_ = UnitClock::formatMinutesAfterMidnight(unitMinutes);
    pcTime_ = UnitClock::formatTimeOfDay(now_().time());
    Q_EMIT clockChanged(unitTime_, pcTime_);
    clearState(ST_CLOCKNEW);
}

void CPollCycle::refreshStatusPanel()
{
    if (!testState(ST_FLAGSNEW))
        return;
    clearState(ST_FLAGSNEW);
    status_.refreshRows();
    Q_EMIT statusRowsChanged();
}

// ---- What the window shows

int CPollCycle::slotItem(int slot) const
{
    if (slot < 0 || slot >= SLOT_COUNT)
        return 0;
    return settings_.dispData[static_cast<std::size_t>(slot)];
}

QString CPollCycle::slotText(int slot) const
{
    return items_.slotText(slotItem(slot));
}

RgbColor CPollCycle::slotColor(int slot) const
{
    return items_.slotColor(slotItem(slot));
}

QString CPollCycle::slotLabel(int slot) const
{
    return items_.item(slotItem(slot)).labelText;
}

void CPollCycle::setBatteryCapacities(std::uint16_t battery1, std::uint16_t battery2)
{
    battery1Capacity_ = battery1;
    battery2Capacity_ = battery2;
}

QString CPollCycle::firmwareText() const
{
    return FirmwareVersion::text(firmwareVersion_);
}
