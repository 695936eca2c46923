#include "link/CUnitSocket.h"

#include "link/LinkFrame.h"
#include "link/LinkReceiver.h"
#include "resources/PromptService.h"

#include <QDateTime>
#include <QEventLoop>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <cstring>

CUnitSocket::CUnitSocket(PromptService& prompts, QObject* parent)
    : QObject(parent), prompts_(prompts)
{
    request_.data = data_.data();
}

CUnitSocket::~CUnitSocket()
{
    if (socket_) {
        socket_->disconnect(this);
        delete socket_.data();
    }
}

void CUnitSocket::setHost(const QString& host, std::uint32_t port)
{
    host_ = host;
    tcpPort_ = port;
}

int CUnitSocket::OpenConnection()
{
    if (state_ != LINK_CLOSED)
        return 1;
    if (!connectSocket())
        return 0;
    loginStage_ = LOGIN_NONE;
    state_ = LINK_CONNECTING;
    PrepareRequest(nullptr, 8, REQ_GREETING, 0, false);
    return 1;
}

// Blocks the caller like a blocking socket connect, while timers and posted events go on.
bool CUnitSocket::connectSocket()
{
    releaseSocket();
    socket_ = new QTcpSocket(this);
    QTcpSocket* socket = socket_;
    QEventLoop wait;
    QTimer limit;
    limit.setSingleShot(true);
    bool timedOut = false;
    connect(socket, &QTcpSocket::connected, &wait, &QEventLoop::quit);
    connect(socket, &QTcpSocket::errorOccurred, &wait, &QEventLoop::quit);
    connect(&limit, &QTimer::timeout, &wait, [&] {
        timedOut = true;
        wait.quit();
    });
    connecting_ = true;
    socket->connectToHost(host_, static_cast<quint16>(tcpPort_));
    if (socket->state() != QAbstractSocket::ConnectedState &&
        socket->error() == QAbstractSocket::UnknownSocketError) {
        limit.start(ConnectLimitMs);
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    }
    connecting_ = false;
    if (!socket_) {
        ReportSocketError(failureText(QAbstractSocket::RemoteHostClosedError, {}));
        return false;
    }
    if (socket->state() != QAbstractSocket::ConnectedState) {
        const QString reason = timedOut ? failureText(QAbstractSocket::SocketTimeoutError, {})
                                        : failureText(socket->error(), socket->errorString());
        releaseSocket();
        ReportSocketError(reason);
        return false;
    }
    failure_.clear();
    disconnect(socket, nullptr, &wait, nullptr);
    connect(socket, &QTcpSocket::readyRead, this, &CUnitSocket::OnReceive);
    connect(socket, &QTcpSocket::bytesWritten, this, &CUnitSocket::PortStatus);
    connect(socket, &QTcpSocket::disconnected, this, &CUnitSocket::OnClose);
    connect(socket, &QTcpSocket::errorOccurred, this, &CUnitSocket::OnSocketError);
    return true;
}

void CUnitSocket::releaseSocket()
{
    if (!socket_)
        return;
    QTcpSocket* socket = socket_;
    socket_ = nullptr;
    socket->disconnect(this);
    socket->abort();
    // The socket may be inside one of its own signals; let it finish first.
    socket->deleteLater();
}

void CUnitSocket::Close()
{
    releaseSocket();
    state_ = LINK_CLOSED;
}

void CUnitSocket::PrepareRequest(QObject* owner, int dataLength, std::uint16_t kind,
                                 std::uint16_t tag, bool verify)
{
    if (owner)
        owner_ = owner;
    request_.kind = kind;
    request_.tag = tag;
    request_.length = static_cast<std::uint16_t>(dataLength);
    request_.verify = verify ? 1 : 0;
    request_.issued = QDateTime::currentSecsSinceEpoch();
    data_.fill(0);
}

int CUnitSocket::SendFrame(const QByteArray& bytes)
{
    if (!socket_ || socket_->write(bytes) != bytes.size()) {
        ReportSocketError(socket_
                              ? failureText(socket_->error(), socket_->errorString())
                              : QStringLiteral("The connection to %1 is not open.").arg(target()));
        return 0;
    }
    socket_->flush();
    return 1;
}

void CUnitSocket::ResetReceive()
{
    accumulated_.fill(0);
    data_.fill(0);
    received_ = 0;
    request_.kind = 0;
    request_.tag = 0;
    request_.length = 0;
    request_.verify = 0;
    request_.status = 0;
}

void CUnitSocket::ReportSocketError(const QString& failure)
{
    failure_ = failure;
    state_ = LINK_ERROR;
    if (failuresShown_)
        prompts_.ask(Prompt{failure, QStringLiteral("Socket Error"), PromptIcon::Information,
                            PromptButtons::Ok});
}

QString CUnitSocket::target() const
{
    return QStringLiteral("%1:%2").arg(host_).arg(tcpPort_);
}

QString CUnitSocket::failureText(QAbstractSocket::SocketError error,
                                 const QString& platformText) const
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return QStringLiteral("Connection to %1 refused.").arg(target());
    case QAbstractSocket::RemoteHostClosedError:
        return QStringLiteral("Connection to %1 closed by the unit.").arg(target());
    case QAbstractSocket::HostNotFoundError:
        return QStringLiteral("Host %1 not found.").arg(target());
    case QAbstractSocket::SocketTimeoutError:
        return QStringLiteral("Connection to %1 timed out.").arg(target());
    default:
        return QStringLiteral("Connection to %1 failed: %2").arg(target(), platformText);
    }
}

void CUnitSocket::PortStatus()
{
    postLinkMessage(owner_, WM_LINK_TCPSTATUS, state_, nullptr);
}

void CUnitSocket::OnClose()
{
    failure_ = failureText(QAbstractSocket::RemoteHostClosedError, {});
    state_ = LINK_CLOSED;
    PortStatus();
}

void CUnitSocket::OnSocketError()
{
    // The peer closing is reported by OnClose; errors while connecting by OpenConnection.
    if (connecting_ || !socket_ || socket_->error() == QAbstractSocket::RemoteHostClosedError)
        return;
    ReportSocketError(failureText(socket_->error(), socket_->errorString()));
    PortStatus();
}

// Each chunk of up to one buffer is one receive event, as the adapter's replies are framed.
void CUnitSocket::OnReceive()
{
    while (socket_ && socket_->bytesAvailable() > 0)
        receiveChunk(socket_->read(LinkBufferSize));
}

void CUnitSocket::receiveChunk(const QByteArray& chunk)
{
    // Bytes beyond a full buffer can never be part of a reply; they are dropped.
    const int room = LinkBufferSize - received_;
    const int kept = std::min<int>(room, static_cast<int>(chunk.size()));
    std::memcpy(accumulated_.data() + received_, chunk.constData(), kept);
    received_ = static_cast<std::uint16_t>(received_ + kept);
    handleReceived();
}

void CUnitSocket::handleReceived()
{
    if (request_.kind == REQ_WRITEACK) {
        if (received_ != 2)
            return PortStatus();
        request_.status = accumulated_[0];
        return deliver(&accumulated_[1], 1);
    }
    if (loginStage_ == LOGIN_DONE) {
        if (received_ != request_.length + 2)
            return PortStatus();
        int end = received_;
        if (request_.verify) {
            if (!LinkFrame::checksumHolds(accumulated_.data(), received_)) {
                state_ = LINK_ERROR;
                errorCode_ = LINKERR_CHECKSUM;
                return PortStatus();
            }
            end -= 1;
        }
        request_.status = accumulated_[0];
        return deliver(&accumulated_[1], end - 1);
    }
    request_.kind = loginStage_;
    request_.tag = 0;
    if (loginStage_ == LOGIN_NONE) {
        // TCP may split the greeting anywhere: it is gathered until it is whole.
        if (received_ < GreetingBytes)
            return PortStatus();
        request_.status = accumulated_[0];
        return deliver(&accumulated_[1], received_ - 1);
    }
    deliver(accumulated_.data(), received_);
}

void CUnitSocket::deliver(const std::uint8_t* data, int count)
{
    data_.fill(0);
    std::memcpy(data_.data(), data, count);
    postLinkMessage(owner_, WM_LINK_TCPREPLY, count, &request_);
    received_ = 0;
    PortStatus();
}
