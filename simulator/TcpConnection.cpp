#include "simulator/TcpConnection.h"

#include <QTcpSocket>

TcpConnection::TcpConnection(QTcpSocket* socket, SimulatedUnit& unit, FaultPlan& faults,
                             const SessionSettings& settings, QObject* parent)
    : QObject(parent), socket_(socket),
      session_(UnitFrameParser::Framing::Network, unit, faults, settings),
      queue_([this](const QByteArray& bytes) { socket_->write(bytes); }, [this] { hangUp(); }, this)
{
    socket_->setParent(this);
    // Small pieces must leave as small pieces (the split-reply fault depends on it).
    socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    queue_.setPaced(settings.paced);
    queue_.setLatencyMs(settings.latencyMs);
    clock_.start();
    connect(socket_, &QTcpSocket::readyRead, this, &TcpConnection::receive);
    connect(socket_, &QTcpSocket::disconnected, this, &TcpConnection::finished);
}

void TcpConnection::start()
{
    queue_.send(session_.open());
}

void TcpConnection::receive()
{
    const QByteArray bytes = socket_->readAll();
    queue_.reply(session_.receive(bytes, clock_.elapsed()), static_cast<int>(bytes.size()));
}

void TcpConnection::hangUp()
{
    socket_->flush();
    socket_->disconnectFromHost();
}
