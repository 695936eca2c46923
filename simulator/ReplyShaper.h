#pragma once

#include "simulator/FaultPlan.h"
#include "simulator/Transmission.h"

// Turns a correct reply into what actually goes on the line under a fault.
class ReplyShaper {
public:
    static constexpr int SplitChunk = 3;
    static constexpr int SplitPauseMs = 15;
    static constexpr int ExtraByteCount = 3;
    static constexpr int FloodByteCount = 3000;

    // canHangUp: the transport has a connection to drop (TCP).
    static QList<Transmission> shape(const QByteArray& reply, std::optional<FaultKind> fault,
                                     bool canHangUp);

private:
    static QByteArray garbageLike(const QByteArray& reply);
    static QList<Transmission> split(const QByteArray& reply);
};
