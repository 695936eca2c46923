#include "mqtt/UnitReader.h"

#include "display/CLiveItemTable.h"
#include "display/PollRequests.h"
#include "link/CUnitLink.h"
#include "link/LinkRequest.h"
#include "link/ReplyWatch.h"
#include "link/TcpLogin.h"
#include "resources/StringTable.h"

namespace {

constexpr int StringNoAnswer = 1043;
constexpr int StringPortClosed = 1025;

} // namespace

UnitReader::UnitReader(CUnitLink& link, CLiveItemTable& items, const Settings& settings,
                       QObject* parent)
    : QObject(parent), link_(link), items_(items), replies_(items, settings)
{
    limit_.setSingleShot(true);
    connect(&limit_, &QTimer::timeout, this, [this] { fail(loadString(StringNoAnswer)); });
}

void UnitReader::readRound()
{
    planRound();
    reading_ = true;
    link_.SetOwner(this);
    if ((link_.GetState() == LINK_CLOSED || link_.GetState() == LINK_ERROR) && !open())
        return;
    if (loggedIn()) {
        sendNext();
        return;
    }
    limit_.start(LoginLimitMs);
}

// Connecting over TCP runs the event loop until the adapter answers; a close asked for meanwhile
// waits until the connect is over, for the link cannot drop a socket it is still waiting on.
bool UnitReader::open()
{
    link_.Close();
    opening_ = true;
    const bool opened = link_.Open() != 0;
    opening_ = false;
    if (closeAsked_) {
        closeAsked_ = false;
        close();
        return false;
    }
    if (!opened)
        fail(linkErrorText());
    return opened;
}

void UnitReader::close()
{
    if (opening_) {
        closeAsked_ = true;
        return;
    }
    reading_ = false;
    configured_ = false;
    limit_.stop();
    link_.ResetReceive();
    link_.Close();
}

// The configuration first when the link is new, then what the display polls.
void UnitReader::planRound()
{
    plan_.clear();
    next_ = 0;
    if (!configured_)
        for (const PollRequest& read : PollRequests::Startup)
            plan_.append({read.record.address, read.record.length, read.kind, 0});
    for (int n : chosen_) {
        const LiveItem& item = items_.item(n);
        plan_.append({static_cast<std::uint8_t>(item.address & 0xFF), item.length, REQ_ITEM,
                      static_cast<std::uint16_t>(n)});
    }
    for (const auto& pair : PollRequests::Pairs)
        for (const PollRequest& read : pair)
            plan_.append({read.record.address, read.record.length, read.kind, 0});
}

bool UnitReader::loggedIn() const
{
    return link_.GetPortType() != PORT_TCP || link_.GetLoginStage() == LOGIN_DONE;
}

void UnitReader::sendNext()
{
    if (next_ == plan_.size()) {
        limit_.stop();
        reading_ = false;
        configured_ = true;
        Q_EMIT roundRead();
        return;
    }
    const Step& step = plan_[next_];
    if (step.kind == REQ_VERSION)
        replies_.forgetFirmwareVersion();
    limit_.start(static_cast<int>(
        ReplyWatch::limitFor(step.length, link_.GetSerialTimeouts(), link_.GetPortType())));
    if (!link_.Read(this, step.address, step.length, step.kind, step.tag))
        fail(linkErrorText());
}

void UnitReader::onTcpReply(int count, LinkRequest* request)
{
    if (!reading_ || request == nullptr)
        return;
    if (request->kind == REQ_GREETING || request->kind == REQ_LOGIN) {
        onLogin(count, *request);
        return;
    }
    takeReply(count, *request);
}

void UnitReader::onSerialReply(int count, LinkRequest* request)
{
    if (reading_ && request != nullptr)
        takeReply(count, *request);
}

// The message's own state is 0 when a read sends it; the link's state is what counts.
void UnitReader::onTcpStatus(int)
{
    const int state = link_.GetState();
    if (reading_ && (state == LINK_ERROR || state == LINK_CLOSED))
        fail(linkErrorText());
}

void UnitReader::onLogin(int count, const LinkRequest& request)
{
    const TcpLogin::Outcome login = TcpLogin::onReply(link_, count, request);
    if (login.step == TcpLogin::Step::Confirmed)
        sendNext();
    else if (login.step == TcpLogin::Step::Ignored && request.kind == REQ_LOGIN)
        fail(QStringLiteral("The network adapter did not accept the login."));
}

// A reply of the wrong length is the display's to judge: a live item then has no value.
void UnitReader::takeReply(int count, const LinkRequest& request)
{
    if (next_ >= plan_.size() || request.kind != plan_[next_].kind)
        return;
    replies_.accept(count, request);
    link_.ReplyDone();
    link_.ResetReceive();
    ++next_;
    sendNext();
}

void UnitReader::fail(const QString& reason)
{
    if (!reading_)
        return;
    close();
    Q_EMIT roundFailed(reason);
}

QString UnitReader::linkErrorText() const
{
    if (link_.GetState() == LINK_CLOSED)
        return loadString(StringPortClosed);
    const QString text = loadString(link_.GetError());
    return text.isEmpty() ? loadString(StringNoAnswer) : text;
}
