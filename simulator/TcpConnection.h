#pragma once

#include "simulator/OutboundQueue.h"
#include "simulator/UnitSession.h"

#include <QElapsedTimer>
#include <QObject>

class QTcpSocket;

// One client of the network adapter: greeting, login, then requests and replies.
class TcpConnection : public QObject {
    Q_OBJECT

public:
    // Takes the socket as its child.
    TcpConnection(QTcpSocket* socket, SimulatedUnit& unit, FaultPlan& faults,
                  const SessionSettings& settings, QObject* parent = nullptr);

    void start();

Q_SIGNALS:
    void finished();

private:
    void receive();
    void hangUp();

    QTcpSocket* socket_;
    UnitSession session_;
    OutboundQueue queue_;
    QElapsedTimer clock_;
};
