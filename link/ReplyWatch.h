#pragma once

#include "config/SerialTimeouts.h"

#include <QtGlobal>

// How long the poll cycle and the download wait for the reply to their last request before they
// give the reply up. The link has no time-out of its own over TCP, so its user bounds the wait: a
// reply may take as long as the serial time-outs allow for its bytes, plus a margin for the
// network adapter; with no serial limit set, a fixed limit applies.
class ReplyWatch {
public:
    static constexpr qint64 MARGIN_MS = 1000;
    static constexpr qint64 UNLIMITED_FALLBACK_MS = 10000;

    // The limit for a reply of dataLength bytes (its checksum and the adapter's status byte
    // come on top).
    static qint64 limitFor(int dataLength, const SerialTimeouts& timeouts);

    void start(qint64 nowMs, int dataLength, const SerialTimeouts& timeouts);
    bool isOverdue(qint64 nowMs) const;

private:
    qint64 startedMs_ = 0;
    qint64 limitMs_ = UNLIMITED_FALLBACK_MS;
};
