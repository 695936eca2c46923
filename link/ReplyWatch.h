#pragma once

#include "config/SerialTimeouts.h"

#include <QtGlobal>
#include <limits>

// How long the poll cycle and the download wait for the reply to their last request before they
// give the reply up. Over a serial line a reply may take as long as the serial time-outs allow
// for its bytes, plus a margin; with no serial limit set, a fixed limit applies. The serial
// time-outs belong to the PC's port and say nothing of a network adapter, whose own line to the
// unit runs with the default time-outs, so over TCP those set the limit.
class ReplyWatch {
public:
    static constexpr qint64 MARGIN_MS = 1000;
    static constexpr qint64 UNLIMITED_FALLBACK_MS = 10000;
    // The longest interval a timer takes.
    static constexpr qint64 LONGEST_MS = std::numeric_limits<int>::max();

    // The limit for a reply of dataLength bytes (its checksum and the adapter's status byte
    // come on top), at most LONGEST_MS.
    static qint64 limitFor(int dataLength, const SerialTimeouts& timeouts, int portType);

    void start(qint64 nowMs, int dataLength, const SerialTimeouts& timeouts, int portType);
    bool isOverdue(qint64 nowMs) const;

private:
    qint64 startedMs_ = 0;
    qint64 limitMs_ = UNLIMITED_FALLBACK_MS;
};
