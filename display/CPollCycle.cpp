#include "display/CPollCycle.h"

#include "config/Settings.h"
#include "display/CLiveItemTable.h"
#include "link/CUnitLink.h"
#include "link/TcpLogin.h"
#include "resources/PromptService.h"

namespace {

constexpr int StringPortProblem = 2001;

} // namespace

CPollCycle::CPollCycle(CUnitLink& link, CLiveItemTable& items, const Settings& settings,
                       PromptService& prompts, QObject* parent)
    : QObject(parent), link_(link), items_(items), settings_(settings), prompts_(prompts),
      timers_(*this, [this](int id) { OnTimer(id); }),
      exchange_(link, *this, state_, items, settings, prompts)
{
    connect(&recovery_, &LinkRecovery::retryDue, this, &CPollCycle::reconnect);
    connect(&exchange_, &PollExchange::unitAnswered, this, &CPollCycle::onUnitAnswered);
    connect(&exchange_, &PollExchange::loginRefused, this, &CPollCycle::failLogin);
    connect(&exchange_, &PollExchange::statusChanged, this, &CPollCycle::refreshStatusLine);
    connect(&exchange_, &PollExchange::slotsChanged, this, &CPollCycle::slotsChanged);
    connect(&exchange_, &PollExchange::firmwareVersionChanged, this,
            &CPollCycle::firmwareVersionChanged);
    connect(&exchange_, &PollExchange::clockChanged, this, &CPollCycle::clockChanged);
    connect(&exchange_, &PollExchange::statusRowsChanged, this, &CPollCycle::statusRowsChanged);
    connect(&exchange_, &PollExchange::efficiencyChanged, this, &CPollCycle::efficiencyChanged);
}

CPollCycle::~CPollCycle() = default;

bool CPollCycle::isTcp() const
{
    return link_.GetPortType() == PORT_TCP;
}

int CPollCycle::requestInterval() const
{
    if (settings_.displaySpeed == DISPSPEED_SLOW)
        return SLOW_INTERVAL_MS;
    return isTcp() ? TCP_INTERVAL_MS : SERIAL_INTERVAL_MS;
}

// ---- Commands of the main window

bool CPollCycle::recoveryOn() const
{
    return settings_.autoReconnect;
}

bool CPollCycle::startDisplay()
{
    if (!exchange_.openLink()) {
        Q_EMIT displayRunningChanged(false);
        if (recoveryOn() && linkWanted_)
            loseLink();
        else
            refreshStatusLine();
        return false;
    }
    // A second start while running must not leave two chains of timers.
    killPollTimers();
    timers_.arm(TIMER_STARTUP, 1);
    state_.set(ST_RUNNING | ST_STARTUP);
    Q_EMIT displayRunningChanged(true);
    Q_EMIT slotsChanged();
    refreshStatusLine();
    return true;
}

void CPollCycle::stopDisplay()
{
    state_.clear(ST_RUNNING);
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
    const bool wasRunning = state_.test(ST_RUNNING);
    timers_.kill(TIMER_ITEM);
    state_.clear(ST_RUNNING);
    return wasRunning;
}

void CPollCycle::refreshPollFlags()
{
    items_.markPolledItems(settings_.slotItems);
}

void CPollCycle::restartStartup()
{
    state_.set(ST_STARTUP);
    sendStartupStep(&startup_.restart());
    timers_.arm(TIMER_STARTUP, 1);
}

void CPollCycle::connectUnit()
{
    link_.SetOwner(this);
    linkWanted_ = true;
    link_.setFailuresShown(!recoveryOn());
    exchange_.replies().forgetUnit();
    Q_EMIT unitForgotten();
    if (openUnit())
        timers_.arm(TIMER_AUTOSTART, AUTOSTART_MS);
    else
        onConnectFailed();
    refreshStatusLine();
}

// TCP: connect (the login follows the greeting). Serial: the firmware version read.
bool CPollCycle::openUnit()
{
    if (isTcp()) {
        link_.SetHost(settings_.hostText(), settings_.adapterPort);
        return exchange_.openLink();
    }
    timers_.kill(TIMER_AUTOSEARCH);
    return exchange_.sendVersionRead();
}

void CPollCycle::onConnectFailed()
{
    if (recoveryOn())
        return loseLink();
    // The link has told the user once; a display started now would only tell again.
    linkWanted_ = false;
}

void CPollCycle::disconnectUnit()
{
    linkWanted_ = false;
    recovery_.stop();
    link_.setFailuresShown(true);
    timers_.kill(TIMER_KEEPALIVE);
    // A start still pending from the connect would open the link again.
    timers_.kill(TIMER_AUTOSTART);
    if (state_.test(ST_RUNNING))
        stopDisplay();
    state_.clear(ST_CONNECTED);
    link_.Close();
    refreshStatusLine();
}

bool CPollCycle::sendResetCode(std::uint8_t resetCode)
{
    if (state_.test(ST_RUNNING))
        stopDisplay();
    return exchange_.writeByte(RecordMap::Command.address, resetCode);
}

void CPollCycle::armAutoSearch()
{
    if (!isTcp() && settings_.searchForUnitAtStartup)
        timers_.arm(TIMER_AUTOSEARCH, AUTOSEARCH_FIRST_MS);
}

void CPollCycle::stopAutoSearch()
{
    timers_.kill(TIMER_AUTOSEARCH);
}

// ---- A lost link

// Everything that talked to the unit stops, the link is closed and a retry is armed.
void CPollCycle::loseLink(const QString& why)
{
    const QString failure = why.isEmpty() ? link_.failureText() : why;
    const bool wasRunning = state_.test(ST_RUNNING);
    killPollTimers();
    timers_.kill(TIMER_KEEPALIVE);
    timers_.kill(TIMER_AUTOSTART);
    state_.clear(ST_RUNNING | ST_BUSY | ST_CONNECTED);
    link_.Close();
    recovery_.lost(failure.isEmpty() ? QStringLiteral("Connection to %1 lost.").arg(link_.target())
                                     : failure,
                   wasRunning);
    if (wasRunning)
        Q_EMIT displayRunningChanged(false);
    Q_EMIT linkLost();
    refreshStatusLine();
}

// The transport went down by itself (TCP closed or failed).
void CPollCycle::onLinkDown()
{
    if (recoveryOn())
        return loseLink();
    Q_EMIT linkLost();
    if (state_.test(ST_RUNNING)) {
        stopDisplay();
        askToContinue();
    }
}

void CPollCycle::reconnect()
{
    recovery_.attempting(link_.target());
    refreshStatusLine();
    link_.Close();
    // It may be another unit, or the same one with other firmware.
    startup_.rewind();
    if (!openUnit())
        return loseLink();
    // Connected: the figures of the unit that was lost stay on screen, grey, until now.
    exchange_.replies().forgetUnit();
    Q_EMIT unitForgotten();
    if (recovery_.displayWasRunning())
        timers_.arm(TIMER_AUTOSTART, AUTOSTART_MS);
    refreshStatusLine();
}

void CPollCycle::onUnitAnswered()
{
    if (recovery_.isActive())
        recovery_.recovered();
}

// A refused or unanswered login is a failed connection: told once, or retried.
void CPollCycle::failLogin(const QString& failure)
{
    if (recoveryOn())
        return loseLink(failure);
    disconnectUnit();
    prompts_.show(failure, PromptIcon::Exclamation);
}

void CPollCycle::refreshStatusLine()
{
    StatusLine line = recovery_.statusLine(link_, linkWanted_);
    if (line.text != statusLine_.text) {
        statusLine_ = std::move(line);
        Q_EMIT statusLineChanged(statusLine_);
    }
    Q_EMIT statusRefreshed();
}

// ---- Timer ticks

void CPollCycle::OnTimer(int id)
{
    timers_.kill(id);
    if (exchange_.loginIsOverdue()) {
        failLogin(TcpLogin::unansweredText(link_.target()));
        return;
    }
    if (exchange_.mustWaitForReply()) {
        timers_.arm(id, REPLY_WAIT_MS);
        return;
    }
    const int interval = requestInterval();
    switch (id) {
    case TIMER_ITEM:
        if (state_.test(ST_RUNNING))
            onItemTick(interval);
        break;
    case TIMER_STARTUP:
        if (state_.test(ST_STARTUP))
            onStartupTick(interval);
        break;
    case TIMER_STATUS:
    case TIMER_CLOCK:
    case TIMER_EFFICIENCY:
        if (state_.test(ST_RUNNING))
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
    refreshStatusLine();
}

void CPollCycle::onItemTick(int intervalMs)
{
    if (requestNextItem() == ItemResult::Refused) {
        if (recoveryOn())
            return loseLink();
        stopDisplay();
        askToContinue();
        return;
    }
    timers_.arm(schedule_.next(), intervalMs);
}

CPollCycle::ItemResult CPollCycle::requestNextItem()
{
    const int n = schedule_.nextItem(items_);
    if (n == 0)
        return ItemResult::NothingToRead;
    const LiveItem& item = items_.item(n);
    const bool sent = exchange_.request(static_cast<std::uint8_t>(item.address & 0xFF), item.length,
                                        REQ_ITEM, static_cast<std::uint16_t>(n));
    return sent ? ItemResult::Sent : ItemResult::Refused;
}

void CPollCycle::askToContinue()
{
    const PromptAnswer answer =
        prompts_.show(StringPortProblem, PromptIcon::Exclamation, PromptButtons::YesNo);
    if (answer != PromptAnswer::Yes)
        return;
    // The port is opened afresh: a device that came back, or a new connection.
    link_.Close();
    startDisplay();
}

void CPollCycle::onStartupTick(int intervalMs)
{
    switch (sendStartupStep(startup_.advance())) {
    case StepResult::More:
        timers_.arm(TIMER_STARTUP, intervalMs);
        break;
    case StepResult::Finished:
        state_.clear(ST_STARTUP);
        Q_EMIT slotLabelsChanged();
        if (state_.test(ST_RUNNING))
            timers_.arm(schedule_.restart(), intervalMs);
        break;
    case StepResult::Failed:
        state_.set(ST_STARTUP);
        if (recoveryOn())
            return loseLink();
        stopDisplay();
        break;
    }
}

// No read: the sequence had finished before.
CPollCycle::StepResult CPollCycle::sendStartupStep(const PollRequest* read)
{
    if (!read)
        return StepResult::Finished;
    if (read->kind == REQ_VERSION)
        exchange_.replies().forgetFirmwareVersion();
    if (!exchange_.request(*read, 0))
        return StepResult::Failed;
    return startup_.isOnLastStep() ? StepResult::Finished : StepResult::More;
}

void CPollCycle::onPairTick(int timerId, int intervalMs)
{
    if (!exchange_.request(schedule_.nextPairStep(timerId), 0)) {
        if (recoveryOn())
            return loseLink();
        stopDisplay();
        return;
    }
    timers_.arm(schedule_.isFirstPairStep(timerId) ? timerId : schedule_.next(), intervalMs);
}

void CPollCycle::onKeepAliveTick()
{
    if (isTcp() && !state_.test(ST_RUNNING) && !state_.test(ST_BUSY) && state_.test(ST_CONNECTED))
        exchange_.sendVersionRead();
}

void CPollCycle::onAutoSearchTick()
{
    if (isTcp() || !settings_.searchForUnitAtStartup)
        return;
    if (unitSearch_ && unitSearch_()) {
        Q_EMIT unitFound();
        connectUnit();
        return;
    }
    if (link_.GetState() == LINK_CLOSED)
        timers_.arm(TIMER_AUTOSEARCH, AUTOSEARCH_REPEAT_MS);
}

// ---- The link's messages

bool CPollCycle::event(QEvent* event)
{
    return handleLinkEvent(event) || QObject::event(event);
}

void CPollCycle::onTcpReply(int count, LinkRequest* request)
{
    exchange_.dispatch(count, request);
    // Unless the reply ended the connection (a refused login).
    if (state_.test(ST_CONNECTED))
        timers_.arm(TIMER_KEEPALIVE, KEEPALIVE_MS);
}

void CPollCycle::onSerialReply(int count, LinkRequest* request)
{
    exchange_.dispatch(count, request);
}

void CPollCycle::onTcpStatus(int)
{
    const int state = link_.GetState();
    // A bad checksum spoils one reply, not the connection.
    const bool down =
        state == LINK_CLOSED || (state == LINK_ERROR && link_.GetError() != LINKERR_CHECKSUM);
    if (down && linkWanted_ && isTcp() && !recovery_.isActive())
        return onLinkDown();
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
