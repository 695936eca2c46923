#include "cli/UnitSession.h"

#include "link/CUnitLink.h"
#include "link/LinkRequest.h"
#include "link/TcpLogin.h"
#include "resources/StringTable.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

UnitSession::UnitSession(CUnitLink& link) : link_(link) {}

bool UnitSession::connectUnit()
{
    link_.SetOwner(this);
    if (link_.GetPortType() != PORT_TCP)
        return true;
    if (!link_.Open())
        return fail(QStringLiteral("Could not connect to %1.").arg(QStringLiteral("the unit")),
                    true);
    QDeadlineTimer limit(ReplyLimitMs);
    while (link_.GetLoginStage() != LOGIN_DONE && link_.GetState() == LINK_CONNECTING &&
           !limit.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    if (link_.GetLoginStage() == LOGIN_DONE)
        return true;
    return fail(QStringLiteral("The network adapter did not accept the login."), true);
}

std::optional<QByteArray> UnitSession::read(std::uint8_t address, int length)
{
    replied_ = false;
    if (!link_.Read(this, address, length, REQ_PARAM, 0)) {
        fail(linkErrorText(), link_.GetState() == LINK_ERROR && link_.GetError() == 1024);
        return std::nullopt;
    }
    if (!waitForReply())
        return std::nullopt;
    return reply_;
}

std::optional<QByteArray> UnitSession::bulkRead(std::uint16_t pageAddress, int pages)
{
    replied_ = false;
    link_.SetOwner(this);
    if (!link_.BulkRead(pageAddress, pages, 0)) {
        fail(linkErrorText(), false);
        return std::nullopt;
    }
    if (!waitForReply())
        return std::nullopt;
    return reply_;
}

bool UnitSession::write(std::uint8_t address, const QByteArray& data)
{
    replied_ = false;
    if (!link_.Write(this, address, static_cast<int>(data.size()),
                     reinterpret_cast<const std::uint8_t*>(data.constData())))
        return fail(linkErrorText(), false);
    if (!waitForReply())
        return false;
    if (reply_.size() != 1 || static_cast<std::uint8_t>(reply_[0]) != replyTag_)
        return fail(loadString(2601), false);
    return true;
}

bool UnitSession::waitForReply()
{
    QDeadlineTimer limit(ReplyLimitMs);
    QCoreApplication::sendPostedEvents(this);
    while (!replied_ && !limit.hasExpired() && link_.GetState() != LINK_ERROR &&
           link_.GetState() != LINK_CLOSED)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    QCoreApplication::sendPostedEvents(this);
    if (replied_)
        return true;
    return fail(link_.GetState() == LINK_ERROR || link_.GetState() == LINK_CLOSED
                    ? linkErrorText()
                    : loadString(1043),
                false);
}

void UnitSession::onTcpReply(int count, LinkRequest* request)
{
    if (TcpLogin::onReply(link_, count, *request).step != TcpLogin::Step::NotLogin)
        return;
    takeReply(count, *request);
}

void UnitSession::onSerialReply(int count, LinkRequest* request)
{
    takeReply(count, *request);
}

void UnitSession::takeReply(int count, const LinkRequest& request)
{
    reply_ = QByteArray(reinterpret_cast<const char*>(request.data), count);
    replyTag_ = request.tag;
    replied_ = true;
    link_.ReplyDone();
    link_.ResetReceive();
}

bool UnitSession::fail(const QString& text, bool beforeSending)
{
    errorText_ = text;
    connectionFailed_ = beforeSending;
    return false;
}

QString UnitSession::linkErrorText() const
{
    if (link_.GetState() == LINK_CLOSED)
        return loadString(1025);
    const QString text = loadString(link_.GetError());
    return text.isEmpty() ? loadString(1043) : text;
}
