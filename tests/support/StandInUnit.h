#pragma once

#include "config/SerialTimeouts.h"
#include "simulator/FaultPlan.h"
#include "simulator/SessionSettings.h"
#include "simulator/SimulatedUnit.h"
#include "simulator/UnitRequest.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>

class CUnitLink;
class ComAlias;
class SerialEndpoint;
class TcpEndpoint;

// The two ways to the unit, for tests written once and run over both:
//     INSTANTIATE_TEST_SUITE_P(Both, MyTest, BothTransports, TransportName);
enum class Transport { Serial, Tcp };

const char* nameOf(Transport transport);
void PrintTo(Transport transport, std::ostream* out);
std::string TransportName(const ::testing::TestParamInfo<Transport>& info);
inline const auto BothTransports = ::testing::Values(Transport::Serial, Transport::Tcp);

// The unit for every test that talks to one: the unit simulator's own SimulatedUnit, FaultPlan,
// SerialEndpoint (a real pseudo-terminal) and TcpEndpoint (the network adapter on a real
// 127.0.0.1 socket), served from a thread of their own - the program's serial link blocks the
// test's thread for a whole exchange, so a unit in that thread could never answer.
//
// Its clock stands still: no time passes for the unit unless a test moves it on (withUnit), so
// what it answers is fixed. Everything that touches the unit runs on the unit's thread and
// returns when done, so a test may set records and faults between requests as it likes.
//
//     StandInUnit unit;                                  // factory records, day 0, 00:00
//     unit.setRecord(0x01, bytesOf({252, 0}));           // battery 1 reads 12.6 V from now on
//     unit.addFault(FaultKind::NoReply, "read@0x25:1");  // the simulator's selector text
//     unit.attach(link, Transport::Serial);              // COM7 at the pseudo-terminal
//     ... requests ...
//     unit.frames();                                     // what the program sent, in order
class StandInUnit {
public:
    static constexpr int ComNumber = 7;
    // Short serial time-outs: a silent unit fails a request in half a second. No reply that
    // comes at all comes anywhere near them.
    static constexpr SerialTimeouts QuickTimeouts{200, 1, 500, 10, 2000};

    // settings: the simulator's session settings (the adapter's status byte, pacing...).
    explicit StandInUnit(SessionSettings settings = {}, int day = 0, int minuteOfDay = 0);
    ~StandInUnit();
    StandInUnit(const StandInUnit&) = delete;
    StandInUnit& operator=(const StandInUnit&) = delete;

    // Both transports are up (fails the test in the constructor otherwise).
    bool isReady() const { return ready_; }
    // The pseudo-terminal's device, which the program opens as its COM port.
    const QString& serialDevice() const { return serialDevice_; }
    quint16 tcpPort() const { return tcpPort_; }
    // "127.0.0.1:PORT", as the command line takes it.
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(tcpPort_); }

    // Registers the line as COM<number> in the program's folder of port aliases (under the test's
    // throwaway home, where the main window and the command line look); it goes with the unit.
    bool aliasAs(int number = ComNumber);
    // That folder, for a link built on its own: CUnitLink(prompts, ComPortDirectory(folder)).
    static QString aliasFolder();

    // Points the link at the unit: serial through COM7 (an alias in the link's own directory)
    // with the given time-outs, or TCP to 127.0.0.1 and the adapter's port. Closes the link.
    void attach(CUnitLink& link, Transport transport,
                const SerialTimeouts& timeouts = QuickTimeouts) const;
    // attach, then open; over TCP waits until the link's owner has logged in (LinkWindow does,
    // as every window of the program does). False when it did not.
    bool open(CUnitLink& link, Transport transport,
              const SerialTimeouts& timeouts = QuickTimeouts) const;

    // The record's own bytes, and what a READ of length bytes from it answers.
    QByteArray record(quint8 address) const;
    QByteArray read(quint8 address, int length) const;
    // SimulatedUnit::setRecord: a measured record is held at these bytes, a clock record sets
    // the clock, others are set as they stand.
    void setRecord(quint8 address, const QByteArray& bytes);
    // Anything else on the unit (a scenario, moving its clock on, an image), on its thread.
    void withUnit(const std::function<void(SimulatedUnit&)>& task) const;

    // The unit goes as a switched-off unit or an unplugged adapter does: the adapter stops
    // listening and drops its connections, the serial line's device disappears.
    void unplug();
    // It comes back: the adapter on the same port, a new serial device under the same COM alias
    // (as an adapter that is plugged in again under its by-id name).
    bool plugIn();

    // Fault rules, as the simulator's fault options take them ("all", "N",
    // "read|bulk|write[@ADDRESS][:N]"); false for a selector it does not understand. A rule
    // counts requests from when it is added: "read@0x25:1" spoils the next READ of 0x25,
    // "write:1" the next WRITE's acknowledgement (BadChecksum), "all" with NoReply mutes the
    // unit until clearFaults().
    bool addFault(FaultKind fault, const QString& selector);
    void addFault(const FaultPlan::Rule& rule);
    void clearFaults();

    // The requests the unit took, oldest first (faulted ones included, bad frames not).
    QList<UnitRequest> requests() const;
    // Their frames as sent on the serial line (over TCP without the 0x00 prefix).
    QList<QByteArray> frames() const;
    QList<UnitRequest> writes() const;
    void clearRequests();
    // Runs the test's event loop until the unit has taken count requests in all.
    bool waitForRequests(int count, int limitMs = 10000) const;
    // TCP connections the adapter has accepted so far, closed ones included.
    int connectionsMade() const;

private:
    void onUnitThread(const std::function<void()>& task) const;
    bool openEndpoints(quint16 tcpPort, QString* error);

    QThread thread_;
    std::unique_ptr<QObject> anchor_; // lives on thread_: what runs there runs through it
    std::unique_ptr<SimulatedUnit> unit_;
    FaultPlan faults_;
    std::unique_ptr<SerialEndpoint> serial_;
    std::unique_ptr<TcpEndpoint> tcp_;
    std::unique_ptr<ComAlias> alias_;
    SessionSettings settings_;
    int aliasNumber_ = 0;
    bool ready_ = false;
    QString serialDevice_;
    quint16 tcpPort_ = 0;
    QList<UnitRequest> requests_; // kept on the unit's thread
};
