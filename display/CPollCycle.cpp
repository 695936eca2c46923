#include "display/CPollCycle.h"

#include "config/Settings.h"
#include "display/CLiveItemTable.h"
#include "link/CUnitLink.h"
#include "link/LinkRequest.h"
#include "link/TcpLogin.h"
#include "resources/PromptService.h"

#include <QElapsedTimer>

namespace {

constexpr int StringPortProblem = 2001;
constexpr int StringBadAcknowledgement = 2601;

} // namespace

CPollCycle::CPollCycle(CUnitLink& link, CLiveItemTable& items, const Settings& settings,
                       PromptService& prompts, QObject* parent)
    : QObject(parent), link_(link), items_(items), settings_(settings), prompts_(prompts),
      timers_(*this, [this](int id) { OnTimer(id); }), steadyNowMs_([] {
          QElapsedTimer steady;
          steady.start();
          return steady.msecsSinceReference();
      }),
      replies_(items, settings)
{}

CPollCycle::~CPollCycle() = default;

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
    sendStartupStep(&startup_.restart());
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
        sendVersionRead();
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
    replies_.forgetFirmwareVersion();
    return request(PollRequests::Version, 0);
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
    timers_.arm(schedule_.next(), intervalMs);
}

CPollCycle::ItemResult CPollCycle::requestNextItem()
{
    const int n = schedule_.nextItem(items_);
    if (n == 0)
        return ItemResult::NothingToRead;
    const LiveItem& item = items_.item(n);
    const bool sent = request(static_cast<std::uint8_t>(item.address & 0xFF), item.length, REQ_ITEM,
                              static_cast<std::uint16_t>(n));
    return sent ? ItemResult::Sent : ItemResult::Refused;
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
    switch (sendStartupStep(startup_.advance())) {
    case StepResult::More:
        timers_.arm(TIMER_STARTUP, intervalMs);
        break;
    case StepResult::Finished:
        clearState(ST_STARTUP);
        Q_EMIT slotLabelsChanged();
        if (testState(ST_RUNNING))
            timers_.arm(schedule_.restart(), intervalMs);
        break;
    case StepResult::Failed:
        setState(ST_STARTUP);
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
        replies_.forgetFirmwareVersion();
    if (!request(*read, 0))
        return StepResult::Failed;
    return startup_.isOnLastStep() ? StepResult::Finished : StepResult::More;
}

void CPollCycle::onPairTick(int timerId, int intervalMs)
{
    if (!request(schedule_.nextPairStep(timerId), 0)) {
        stopDisplay();
        return;
    }
    timers_.arm(schedule_.isFirstPairStep(timerId) ? timerId : schedule_.next(), intervalMs);
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
    switch (replies_.accept(count, request)) {
    case PollReplies::News::SlotValues:
        Q_EMIT slotsChanged();
        break;
    case PollReplies::News::Firmware:
        Q_EMIT firmwareVersionChanged(replies_.snapshot().firmwareText());
        break;
    case PollReplies::News::Clock: {
        setState(ST_CLOCKNEW);
        const UnitSnapshot said = replies_.snapshot();
        Q_EMIT clockChanged(said.unitTime, said.pcTime);
        clearState(ST_CLOCKNEW);
        break;
    }
    case PollReplies::News::StatusFlags:
        setState(ST_FLAGSNEW);
        refreshStatusPanel();
        break;
    case PollReplies::News::Efficiency:
        Q_EMIT efficiencyChanged();
        break;
    case PollReplies::News::Nothing:
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

void CPollCycle::refreshStatusPanel()
{
    if (!testState(ST_FLAGSNEW))
        return;
    clearState(ST_FLAGSNEW);
    replies_.refreshStatusRows();
    Q_EMIT statusRowsChanged();
}
