#include "display/PollExchange.h"

#include "link/CUnitLink.h"
#include "link/LinkRequest.h"
#include "link/TcpLogin.h"
#include "resources/PromptService.h"

#include <QElapsedTimer>

namespace {

constexpr int StringBadAcknowledgement = 2601;

} // namespace

PollExchange::PollExchange(CUnitLink& link, QObject& owner, PollStateWord& state,
                           CLiveItemTable& items, const Settings& settings, PromptService& prompts)
    : link_(link), owner_(owner), state_(state), prompts_(prompts), steadyNowMs_([] {
          QElapsedTimer steady;
          steady.start();
          return steady.msecsSinceReference();
      }),
      replies_(items, settings)
{}

bool PollExchange::isTcp() const
{
    return link_.GetPortType() == PORT_TCP;
}

// ---- Requests

bool PollExchange::openLink()
{
    link_.SetOwner(&owner_);
    const bool connecting = isTcp() && link_.GetState() == LINK_CLOSED;
    if (connecting)
        replyWatch_.start(nowMs(), 0, link_.GetSerialTimeouts(), link_.GetPortType());
    return link_.Open() != 0;
}

bool PollExchange::request(const PollRequest& read, std::uint16_t tag)
{
    return request(read.record.address, read.record.length, read.kind, tag);
}

bool PollExchange::request(std::uint8_t address, int length, std::uint16_t kind, std::uint16_t tag)
{
    state_.set(ST_BUSY);
    link_.SetOwner(&owner_);
    replyWatch_.start(nowMs(), length, link_.GetSerialTimeouts(), link_.GetPortType());
    if (link_.Read(&owner_, address, length, kind, tag))
        return true;
    state_.clear(ST_BUSY);
    return false;
}

bool PollExchange::sendVersionRead()
{
    replies_.forgetFirmwareVersion();
    return request(PollRequests::Version, 0);
}

bool PollExchange::writeByte(std::uint8_t address, std::uint8_t value)
{
    link_.SetOwner(&owner_);
    state_.set(ST_BUSY);
    replyWatch_.start(nowMs(), 1, link_.GetSerialTimeouts(), link_.GetPortType());
    if (link_.Write(&owner_, address, 1, &value))
        return true;
    state_.clear(ST_BUSY);
    return false;
}

// ---- Waiting for a reply

// A reply is awaited once the unit has answered since connecting; over TCP also while the
// adapter's login is still going on. The wait ends when the link reports an error or the reply
// is overdue: the reply is given up and the tick goes on.
bool PollExchange::mustWaitForReply()
{
    const bool replyAwaited = state_.test(ST_BUSY | ST_CONNECTED);
    const bool loggingIn = isTcp() && link_.GetState() == LINK_CONNECTING;
    if (!replyAwaited && !loggingIn)
        return false;
    if (!replyIsLost())
        return true;
    giveUpReply();
    return false;
}

bool PollExchange::loginIsOverdue() const
{
    return isTcp() && link_.GetState() == LINK_CONNECTING && replyWatch_.isOverdue(nowMs());
}

bool PollExchange::replyIsLost() const
{
    return link_.GetState() == LINK_ERROR || replyWatch_.isOverdue(nowMs());
}

void PollExchange::giveUpReply()
{
    // The status line shows why the wait ended before the next request changes the state.
    Q_EMIT statusChanged();
    state_.clear(ST_BUSY);
    // Over TCP a part of the lost reply may sit in the receive buffer; the next reply must
    // not be gathered behind it.
    link_.ResetReceive();
    link_.ReplyDone();
}

// ---- Replies

void PollExchange::dispatch(int count, LinkRequest* request)
{
    state_.set(ST_CONNECTED);
    const int kind = request ? request->kind : -1;
    if (kind >= REQ_ITEM)
        Q_EMIT unitAnswered();
    if (kind == REQ_GREETING) {
        TcpLogin::onReply(link_, count, *request);
    } else if (kind == REQ_LOGIN) {
        if (!acceptLoginReply(count, *request))
            return;
    } else if (kind >= REQ_ITEM && kind <= REQ_EFF2) {
        state_.clear(ST_BUSY);
        handlePollReply(count, *request);
    } else if (kind == REQ_WRITEACK) {
        state_.clear(ST_BUSY);
        handleWriteAcknowledgement(count, request);
    } else if (kind == REQ_BULK) {
        state_.clear(ST_BUSY);
        if (download_)
            download_(count, request);
    }
    // A serial link stays receiving while the display runs, until the next request.
    if (isTcp() || !state_.test(ST_RUNNING))
        link_.ReplyDone();
    Q_EMIT statusChanged();
}

bool PollExchange::acceptLoginReply(int count, LinkRequest& request)
{
    state_.clear(ST_BUSY);
    const TcpLogin::Step step = TcpLogin::onReply(link_, count, request).step;
    if (step == TcpLogin::Step::Confirmed)
        Q_EMIT unitAnswered();
    if (step != TcpLogin::Step::Ignored)
        return true;
    Q_EMIT loginRefused(TcpLogin::refusedText(link_.target()));
    return false;
}

void PollExchange::handlePollReply(int count, const LinkRequest& request)
{
    switch (replies_.accept(count, request)) {
    case PollReplies::News::SlotValues:
        Q_EMIT slotsChanged();
        break;
    case PollReplies::News::Firmware:
        Q_EMIT firmwareVersionChanged(replies_.snapshot().firmwareText());
        break;
    case PollReplies::News::Clock: {
        state_.set(ST_CLOCKNEW);
        const UnitSnapshot said = replies_.snapshot();
        Q_EMIT clockChanged(said.unitTime, said.pcTime);
        state_.clear(ST_CLOCKNEW);
        break;
    }
    case PollReplies::News::StatusFlags:
        state_.set(ST_FLAGSNEW);
        refreshStatusPanel();
        break;
    case PollReplies::News::Efficiency:
        Q_EMIT efficiencyChanged();
        break;
    case PollReplies::News::Nothing:
        break;
    }
}

void PollExchange::handleWriteAcknowledgement(int count, LinkRequest* request)
{
    if (download_) {
        download_(count, request);
        return;
    }
    if (count == 1 && request->data[0] != request->tag)
        prompts_.show(StringBadAcknowledgement);
}

void PollExchange::refreshStatusPanel()
{
    if (!state_.test(ST_FLAGSNEW))
        return;
    state_.clear(ST_FLAGSNEW);
    replies_.refreshStatusRows();
    Q_EMIT statusRowsChanged();
}
