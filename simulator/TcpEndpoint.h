#pragma once

#include "simulator/SessionSettings.h"

#include <QObject>
#include <QTcpServer>

class FaultPlan;
class SimulatedUnit;

// The unit's network adapter: listens on 127.0.0.1 and serves every client that connects.
class TcpEndpoint : public QObject {
    Q_OBJECT

public:
    static constexpr quint16 DefaultPort = 1701;

    TcpEndpoint(SimulatedUnit& unit, FaultPlan& faults, SessionSettings settings,
                QObject* parent = nullptr);

    // Port 0 takes any free port.
    bool listen(quint16 port, QString* error);
    quint16 port() const { return server_.serverPort(); }
    // Connections accepted since listening began, closed ones included.
    int acceptedCount() const { return accepted_; }

private:
    void accept();

    SimulatedUnit& unit_;
    FaultPlan& faults_;
    SessionSettings settings_;
    QTcpServer server_;
    int accepted_ = 0;
};
