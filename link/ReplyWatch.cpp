#include "link/ReplyWatch.h"

namespace {

// Checksum and, over TCP, the adapter's status byte.
constexpr int FramingBytes = 2;

} // namespace

qint64 ReplyWatch::limitFor(int dataLength, const SerialTimeouts& timeouts)
{
    if (timeouts.readMultiplier == 0 && timeouts.readConstant == 0)
        return UNLIMITED_FALLBACK_MS;
    const qint64 bytes = dataLength + FramingBytes;
    return qint64(timeouts.readMultiplier) * bytes + timeouts.readConstant + MARGIN_MS;
}

void ReplyWatch::start(qint64 nowMs, int dataLength, const SerialTimeouts& timeouts)
{
    startedMs_ = nowMs;
    limitMs_ = limitFor(dataLength, timeouts);
}

bool ReplyWatch::isOverdue(qint64 nowMs) const
{
    return nowMs - startedMs_ > limitMs_;
}
