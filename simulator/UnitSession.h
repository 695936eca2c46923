#pragma once

#include "simulator/FaultPlan.h"
#include "simulator/SessionSettings.h"
#include "simulator/Transmission.h"
#include "simulator/UnitFrameParser.h"

class SimulatedUnit;

// The unit's side of one connection, apart from any transport: bytes in, bursts to send out.
// Over the network the adapter first sends its greeting (its interface version × 10, then 8
// bytes) and takes nothing but the login code until it has accepted it (answer 0; any other
// code gets 1 and another try); then every request comes with a 0x00 prefix and every reply
// starts with the adapter's status byte.
class UnitSession {
public:
    static constexpr int LoginCodeSize = 8;
    static constexpr quint8 LoginAccepted = 0x00;
    static constexpr quint8 LoginRefused = 0x01;

    UnitSession(UnitFrameParser::Framing framing, SimulatedUnit& unit, FaultPlan& faults,
                SessionSettings settings);

    // What the unit sends as soon as the connection is made.
    QList<Transmission> open();
    // nowMs: a monotonic time stamp of the arrival.
    QList<Transmission> receive(QByteArrayView bytes, qint64 nowMs);

    const SessionSettings& settings() const { return settings_; }

private:
    bool network() const { return framing_ == UnitFrameParser::Framing::Network; }
    QList<Transmission> takeLoginCode(QByteArrayView& bytes);
    QList<Transmission> serve(const UnitRequest& request);
    QByteArray answer(const UnitRequest& request);
    QByteArray checkedReply(const QByteArray& data) const;
    void log(const QString& text) const;

    UnitFrameParser::Framing framing_;
    SimulatedUnit& unit_;
    FaultPlan& faults_;
    SessionSettings settings_;
    UnitFrameParser parser_;
    QByteArray loginBytes_;
    bool loggedIn_ = false;
};
