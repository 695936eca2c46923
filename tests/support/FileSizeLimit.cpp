#include "tests/support/FileSizeLimit.h"

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

bool FileSizeLimit::isSupported()
{
#ifdef Q_OS_UNIX
    return true;
#else
    return false;
#endif
}

FileSizeLimit::FileSizeLimit(qint64 bytes)
{
#ifdef Q_OS_UNIX
    // A write past the limit then fails with an error instead of ending the process.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    if (getrlimit(RLIMIT_FSIZE, &limit) != 0)
        return;
    oldLimit_ = limit.rlim_cur;
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    active_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
#else
    Q_UNUSED(bytes);
#endif
}

FileSizeLimit::~FileSizeLimit()
{
#ifdef Q_OS_UNIX
    if (!active_)
        return;
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(oldLimit_);
    setrlimit(RLIMIT_FSIZE, &limit);
#endif
}
