#include "link/LineErrorCounters.h"

#include "link/SerialLineErrors.h"

#ifdef __linux__
#include <linux/serial.h>
#include <sys/ioctl.h>
#endif

void LineErrorCounters::attach(int handle)
{
    handle_ = handle;
    last_ = Counts{};
    readCounts(last_);
}

void LineErrorCounters::detach()
{
    handle_ = -1;
}

std::uint32_t LineErrorCounters::take()
{
    Counts now;
    if (!readCounts(now))
        return 0;
    using namespace SerialLineErrors;
    std::uint32_t flags = 0;
    if (now.frame != last_.frame)
        flags |= CE_FRAME;
    if (now.overrun != last_.overrun)
        flags |= CE_OVERRUN;
    if (now.parity != last_.parity)
        flags |= CE_RXPARITY;
    if (now.brk != last_.brk)
        flags |= CE_BREAK;
    if (now.bufferOverrun != last_.bufferOverrun)
        flags |= CE_RXOVER;
    last_ = now;
    return flags;
}

bool LineErrorCounters::readCounts(Counts& counts) const
{
#ifdef __linux__
    if (handle_ < 0)
        return false;
    serial_icounter_struct icount{};
    if (ioctl(handle_, TIOCGICOUNT, &icount) != 0)
        return false;
    counts = Counts{icount.frame, icount.overrun, icount.parity, icount.brk, icount.buf_overrun};
    return true;
#else
    (void)counts;
    return false;
#endif
}
