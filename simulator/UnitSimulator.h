#pragma once

#include "simulator/ComAlias.h"
#include "simulator/FaultPlan.h"
#include "simulator/SessionSettings.h"
#include "simulator/SimulatedUnit.h"
#include "simulator/SimulatorOptions.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <memory>

class SerialEndpoint;
class TcpEndpoint;

// A whole simulator as the command line describes it: the unit prepared from a scenario, an
// image and a fast-forward, its transports, its faults, its clock ticking with real time, and
// its clean end. Tests start one in-process, the executable runs one.
class UnitSimulator : public QObject {
    Q_OBJECT

public:
    // log: where --verbose lines go; none when empty.
    explicit UnitSimulator(SimulatorOptions options, std::function<void(const QString&)> log = {},
                           QObject* parent = nullptr);
    ~UnitSimulator() override;

    bool start(QString* error);
    // Saves the image if asked and takes the alias and the transports down; safe to repeat.
    bool stop(QString* error);

    // The lines for standard output: the serial path first, then "tcp 127.0.0.1:PORT".
    QStringList announcement() const;
    quint16 tcpPort() const;

    SimulatedUnit& unit() { return unit_; }
    FaultPlan& faults() { return faults_; }

Q_SIGNALS:
    // --max-seconds has passed.
    void timeIsUp();

private:
    bool prepareUnit(QString* error);
    bool openTransports(QString* error);
    SessionSettings sessionSettings() const;
    void tick();

    SimulatorOptions options_;
    std::function<void(const QString&)> log_;
    SimulatedUnit unit_;
    FaultPlan faults_;
    std::unique_ptr<SerialEndpoint> serial_;
    std::unique_ptr<TcpEndpoint> tcp_;
    ComAlias alias_;
    QTimer ticker_;
    QTimer deadline_;
    QElapsedTimer realTime_;
    qint64 unitMs_ = 0; // real time the unit has been moved on by
    bool stopped_ = false;
};
