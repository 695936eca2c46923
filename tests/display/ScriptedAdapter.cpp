#include "tests/display/ScriptedAdapter.h"

#include "tests/display/UnitRecords.h"

namespace {

constexpr int LoginCodeLength = 8;
// Status byte (interface version 1.2) and eight bytes of greeting.
const QByteArray Greeting("\x0C\x01\x02\x03\x04\x05\x06\x07\x08", 9);
const QByteArray LoginAccepted(1, '\0');

} // namespace

ScriptedAdapter::ScriptedAdapter(UnitRecords& records) : records_(records)
{
    QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] { accept(); });
}

bool ScriptedAdapter::listen()
{
    return server_.listen(QHostAddress::LocalHost);
}

void ScriptedAdapter::accept()
{
    socket_ = server_.nextPendingConnection();
    ++connections_;
    pending_.clear();
    loginCode_.clear();
    QObject::connect(socket_, &QTcpSocket::readyRead, socket_, [this] { receive(); });
    socket_->write(Greeting);
    socket_->flush();
}

void ScriptedAdapter::receive()
{
    pending_ += socket_->readAll();
    if (loginCode_.size() < LoginCodeLength) {
        if (pending_.size() < LoginCodeLength)
            return;
        loginCode_ = pending_.left(LoginCodeLength);
        pending_.remove(0, LoginCodeLength);
        socket_->write(LoginAccepted);
        socket_->flush();
    }
    takeFrames();
}

// A frame is the 0x00 prefix and a READ (4 bytes) or a WRITE (4 bytes and its data).
int ScriptedAdapter::frameLength(const QByteArray& pending)
{
    if (pending.size() < 2)
        return 0;
    const auto command = static_cast<unsigned char>(pending[1]);
    int length = 5;
    if (command == 0x01) {
        if (pending.size() < 4)
            return 0;
        length += static_cast<unsigned char>(pending[3]);
    }
    return pending.size() >= length ? length : 0;
}

void ScriptedAdapter::takeFrames()
{
    while (const int length = frameLength(pending_)) {
        const QByteArray frame = pending_.mid(1, length - 1);
        pending_.remove(0, length);
        frames_.append(frame);
        const QByteArray answer = records_.tcpAnswer(frame);
        if (!answer.isEmpty()) {
            socket_->write(answer);
            socket_->flush();
        }
    }
}
