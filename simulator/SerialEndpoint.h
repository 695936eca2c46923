#pragma once

#include "simulator/OutboundQueue.h"
#include "simulator/UnitSession.h"

#include <QElapsedTimer>
#include <QObject>
#include <QSocketNotifier>
#include <memory>

class FaultPlan;
class SimulatedUnit;

// The unit on a serial line: a pseudo-terminal whose other end (the slave device, e.g.
// /dev/pts/4) the program opens as its COM port. The simulator keeps the slave open itself,
// so the line stays up while the program closes and reopens it.
class SerialEndpoint : public QObject {
    Q_OBJECT

public:
    SerialEndpoint(SimulatedUnit& unit, FaultPlan& faults, const SessionSettings& settings,
                   QObject* parent = nullptr);
    ~SerialEndpoint() override;

    bool open(QString* error);
    const QString& devicePath() const { return devicePath_; }

private:
    void readLine();
    void writeLine(const QByteArray& bytes);
    void flushLine();
    void closeFds();

    UnitSession session_;
    OutboundQueue queue_;
    QElapsedTimer clock_;
    int master_ = -1;
    int slave_ = -1;
    QString devicePath_;
    QByteArray unsent_;
    std::unique_ptr<QSocketNotifier> readNotifier_;
    std::unique_ptr<QSocketNotifier> writeNotifier_;
};
