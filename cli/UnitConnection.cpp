#include "cli/UnitConnection.h"

#include "link/CUnitLink.h"
#include "link/LinkRequest.h"
#include "link/RecordMap.h"
#include "link/ReplyWatch.h"
#include "link/TcpLogin.h"
#include "resources/StringTable.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <limits>

UnitConnection::UnitConnection(CUnitLink& link) : link_(link)
{
    // A failure is printed once, as the error text, not also as a message box.
    link_.setFailuresShown(false);
}

bool UnitConnection::connectUnit()
{
    link_.SetOwner(this);
    // A serial port that cannot be opened is a connection error, not a unit that is silent.
    if (link_.GetPortType() != PORT_TCP)
        return link_.Open() ? true : fail(linkErrorText(), true);
    if (!link_.Open())
        return fail(linkErrorText(), true);
    // Two exchanges: the adapter's greeting, then its answer to the login.
    waitUntil(
        [this] {
            return link_.GetLoginStage() == LOGIN_DONE || link_.GetState() != LINK_CONNECTING ||
                   loginRefused_;
        },
        2 * replyLimitMs(0));
    if (link_.GetLoginStage() == LOGIN_DONE)
        return true;
    return fail(loginRefused_ ? TcpLogin::refusedText(link_.target())
                              : TcpLogin::unansweredText(link_.target()),
                true);
}

std::optional<QByteArray> UnitConnection::read(std::uint8_t address, int length)
{
    replied_ = false;
    if (!link_.Read(this, address, length, REQ_PARAM, 0)) {
        fail(linkErrorText(), link_.GetState() == LINK_ERROR && link_.GetError() == 1024);
        return std::nullopt;
    }
    if (!waitForReply(length))
        return std::nullopt;
    return reply_;
}

std::optional<QList<QByteArray>>
UnitConnection::readRecords(std::initializer_list<UnitRecord> records)
{
    QList<QByteArray> replies;
    for (const UnitRecord& record : records) {
        const auto reply = read(record.address, record.length);
        if (!reply)
            return std::nullopt;
        replies.append(*reply);
    }
    return replies;
}

std::optional<QByteArray> UnitConnection::bulkRead(std::uint16_t pageAddress, int pages)
{
    replied_ = false;
    link_.SetOwner(this);
    if (!link_.BulkRead(pageAddress, pages, 0)) {
        fail(linkErrorText(), false);
        return std::nullopt;
    }
    if (!waitForReply(pages * RecordMap::LogPageBytes))
        return std::nullopt;
    return reply_;
}

bool UnitConnection::write(std::uint8_t address, const QByteArray& data)
{
    replied_ = false;
    if (!link_.Write(this, address, static_cast<int>(data.size()),
                     reinterpret_cast<const std::uint8_t*>(data.constData())))
        return fail(linkErrorText(), false);
    // The unit answers a WRITE with its one acknowledgement byte.
    if (!waitForReply(1))
        return false;
    if (acknowledgement_ != WriteAcknowledgement::Verdict::Matches)
        return fail(loadString(2601), false);
    return true;
}

qint64 UnitConnection::replyLimitMs(int dataLength) const
{
    return ReplyWatch::limitFor(dataLength, link_.GetSerialTimeouts(), link_.GetPortType());
}

bool UnitConnection::waitUntil(const std::function<bool()>& done, qint64 limitMs)
{
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    limit.start(static_cast<int>(std::min<qint64>(limitMs, std::numeric_limits<int>::max())));
    // A serial exchange has ended before the call returned; its reply is already posted.
    QCoreApplication::sendPostedEvents(this);
    waiting_ = &loop;
    while (!done() && !linkHasFailed() && limit.isActive())
        loop.exec();
    waiting_ = nullptr;
    return done();
}

void UnitConnection::wake()
{
    if (waiting_ != nullptr)
        waiting_->quit();
}

bool UnitConnection::linkHasFailed() const
{
    return link_.GetState() == LINK_ERROR || link_.GetState() == LINK_CLOSED;
}

bool UnitConnection::waitForReply(int dataLength)
{
    if (waitUntil([this] { return replied_; }, replyLimitMs(dataLength)))
        return true;
    return fail(linkHasFailed() ? linkErrorText() : loadString(1043), false);
}

void UnitConnection::onTcpReply(int count, LinkRequest* request)
{
    const TcpLogin::Outcome login = TcpLogin::onReply(link_, count, *request);
    // Any answer to the login code but the confirmation is a refusal; no need to wait longer.
    if (login.step == TcpLogin::Step::Ignored && request->kind == REQ_LOGIN)
        loginRefused_ = true;
    if (login.step != TcpLogin::Step::NotLogin)
        return wake();
    takeReply(count, *request);
}

void UnitConnection::onSerialReply(int count, LinkRequest* request)
{
    takeReply(count, *request);
}

void UnitConnection::takeReply(int count, const LinkRequest& request)
{
    reply_ = QByteArray(reinterpret_cast<const char*>(request.data), count);
    acknowledgement_ = WriteAcknowledgement::judge(count, request);
    replied_ = true;
    link_.ReplyDone();
    link_.ResetReceive();
    wake();
}

bool UnitConnection::fail(const QString& text, bool beforeSending)
{
    errorText_ = text;
    connectionFailed_ = beforeSending;
    return false;
}

QString UnitConnection::linkErrorText() const
{
    const QString failure = link_.failureText();
    if (!failure.isEmpty())
        return failure;
    if (link_.GetState() == LINK_CLOSED)
        return loadString(1025);
    const QString text = loadString(link_.GetError());
    return text.isEmpty() ? loadString(1043) : text;
}
