#include "simulator/TcpEndpoint.h"

#include "simulator/TcpConnection.h"

#include <QTcpSocket>

TcpEndpoint::TcpEndpoint(SimulatedUnit& unit, FaultPlan& faults, SessionSettings settings,
                         QObject* parent)
    : QObject(parent), unit_(unit), faults_(faults), settings_(std::move(settings))
{
    connect(&server_, &QTcpServer::newConnection, this, &TcpEndpoint::accept);
}

bool TcpEndpoint::listen(quint16 port, QString* error)
{
    if (server_.listen(QHostAddress::LocalHost, port))
        return true;
    *error =
        QStringLiteral("cannot listen on 127.0.0.1:%1: %2").arg(port).arg(server_.errorString());
    return false;
}

void TcpEndpoint::accept()
{
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        ++accepted_;
        auto* connection = new TcpConnection(socket, unit_, faults_, settings_, this);
        connect(connection, &TcpConnection::finished, connection, &QObject::deleteLater);
        if (settings_.log)
            settings_.log(QStringLiteral("client connected from port %1").arg(socket->peerPort()));
        connection->start();
    }
}
