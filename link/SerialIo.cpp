#include "link/SerialIo.h"

#include <QDeadlineTimer>
#include <QSerialPort>
#include <algorithm>
#include <climits>

namespace SerialIo {

namespace {

constexpr qint32 BaudRate = 2400;

QDeadlineTimer totalLimit(const Limits& limits, int bytes)
{
    if (limits.multiplier == 0 && limits.constant == 0)
        return QDeadlineTimer(QDeadlineTimer::Forever);
    return QDeadlineTimer(qint64(limits.multiplier) * bytes + limits.constant);
}

int remainingMs(const QDeadlineTimer& limit)
{
    if (limit.isForever())
        return -1;
    return static_cast<int>(std::min<qint64>(limit.remainingTime(), INT_MAX));
}

} // namespace

int read(QSerialPort& port, char* dest, int count, const Limits& limits)
{
    port.clearError();
    const QDeadlineTimer limit = totalLimit(limits, count);
    int got = 0;
    for (;;) {
        const qint64 n = port.read(dest + got, count - got);
        if (n < 0)
            return -1;
        got += static_cast<int>(n);
        if (got == count)
            return got;
        int wait = remainingMs(limit);
        if (got > 0 && limits.interval > 0) {
            const int interval =
                static_cast<int>(std::min<std::uint32_t>(limits.interval, INT_MAX));
            wait = wait < 0 ? interval : std::min(wait, interval);
        }
        if (wait == 0)
            return got;
        if (!port.waitForReadyRead(wait))
            return port.error() == QSerialPort::TimeoutError ? got : -1;
    }
}

bool write(QSerialPort& port, const QByteArray& bytes, const Limits& limits)
{
    port.clearError();
    if (port.write(bytes) < 0)
        return false;
    const QDeadlineTimer limit = totalLimit(limits, static_cast<int>(bytes.size()));
    // As with the native driver, a write that times out is not a failed call; how many bytes
    // went out is not checked.
    while (port.bytesToWrite() > 0 && !limit.hasExpired()) {
        if (!port.waitForBytesWritten(remainingMs(limit)))
            return port.error() == QSerialPort::TimeoutError;
    }
    return true;
}

bool configureLine(QSerialPort& port)
{
    port.setReadBufferSize(0);
    return port.setBaudRate(BaudRate) && port.setDataBits(QSerialPort::Data8) &&
           port.setParity(QSerialPort::NoParity) && port.setStopBits(QSerialPort::OneStop) &&
           port.setFlowControl(QSerialPort::NoFlowControl);
}

} // namespace SerialIo
