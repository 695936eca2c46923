#include "tests/simulator/RawClients.h"

#include "link/LoginCode.h"
#include "tests/support/EventPump.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

RawPtyClient::RawPtyClient(const QString& devicePath)
{
    fd_ = ::open(devicePath.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0)
        return;
    termios settings{};
    ::tcgetattr(fd_, &settings);
    ::cfmakeraw(&settings);
    ::tcsetattr(fd_, TCSANOW, &settings);
}

RawPtyClient::~RawPtyClient()
{
    if (fd_ >= 0)
        ::close(fd_);
}

void RawPtyClient::send(const QByteArray& bytes)
{
    [[maybe_unused]] const ssize_t written =
        ::write(fd_, bytes.constData(), static_cast<size_t>(bytes.size()));
}

QByteArray RawPtyClient::receive(int count, int limitMs)
{
    EventPump::waitUntil(
        [&] {
            char buffer[1024];
            const ssize_t got = ::read(fd_, buffer, sizeof buffer);
            if (got > 0)
                received_.append(buffer, got);
            return received_.size() >= count;
        },
        limitMs);
    const QByteArray result = received_.left(count);
    received_.remove(0, result.size());
    return result;
}

RawTcpClient::RawTcpClient(quint16 port)
{
    QObject::connect(&socket_, &QTcpSocket::readyRead, [this] {
        ++readEvents_;
        received_ += socket_.readAll();
    });
    socket_.connectToHost(QHostAddress::LocalHost, port);
    EventPump::waitUntil([this] { return isConnected(); });
}

void RawTcpClient::send(const QByteArray& bytes)
{
    socket_.write(bytes);
    socket_.flush();
}

QByteArray RawTcpClient::receive(int count, int limitMs)
{
    EventPump::waitUntil([&] { return received_.size() >= count; }, limitMs);
    const QByteArray result = received_.left(count);
    received_.remove(0, result.size());
    return result;
}

bool RawTcpClient::logIn()
{
    if (receive(9).size() != 9)
        return false;
    send(QByteArray(reinterpret_cast<const char*>(LoginCode.data()), LoginCode.size()));
    return receive(1) == QByteArray(1, '\0');
}

bool RawTcpClient::waitForDisconnect(int limitMs)
{
    return EventPump::waitUntil(
        [this] { return socket_.state() == QAbstractSocket::UnconnectedState; }, limitMs);
}
