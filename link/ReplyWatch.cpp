#include "link/ReplyWatch.h"

#include "config/PortType.h"

#include <algorithm>

namespace {

// Checksum and, over TCP, the adapter's status byte.
constexpr int FramingBytes = 2;

} // namespace

qint64 ReplyWatch::limitFor(int dataLength, const SerialTimeouts& timeouts, int portType)
{
    const SerialTimeouts& line = portType == PORT_TCP ? SerialTimeouts{} : timeouts;
    if (line.readMultiplier == 0 && line.readConstant == 0)
        return UNLIMITED_FALLBACK_MS;
    // Both time-outs may be as large as 32 bits hold.
    const qint64 bytes = dataLength + FramingBytes;
    const qint64 limit =
        qint64(line.readMultiplier) * bytes + qint64(line.readConstant) + MARGIN_MS;
    return std::min(limit, LONGEST_MS);
}

void ReplyWatch::start(qint64 nowMs, int dataLength, const SerialTimeouts& timeouts, int portType)
{
    startedMs_ = nowMs;
    limitMs_ = limitFor(dataLength, timeouts, portType);
}

bool ReplyWatch::isOverdue(qint64 nowMs) const
{
    return nowMs - startedMs_ > limitMs_;
}
