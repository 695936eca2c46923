#include "cli/InterruptWatcher.h"

#include <QEventLoop>
#include <QTimer>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

// All the handler can reach.
int pipeFds[2] = {-1, -1};

extern "C" void noteSignal(int signalNumber)
{
    const int saved = errno;
    const char byte = static_cast<char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(pipeFds[1], &byte, 1);
    errno = saved;
}

void installHandler(void (*handler)(int))
{
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    // Blocking reads and writes of the serial line go on after the handler has run.
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
}

} // namespace

InterruptWatcher::InterruptWatcher()
{
    if (pipeFds[0] >= 0 || ::pipe(pipeFds) != 0)
        return;
    ::fcntl(pipeFds[0], F_SETFL, O_NONBLOCK);
    ::fcntl(pipeFds[1], F_SETFL, O_NONBLOCK);
    notifier_ = std::make_unique<QSocketNotifier>(pipeFds[0], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &InterruptWatcher::drain);
    installHandler(noteSignal);
}

InterruptWatcher::~InterruptWatcher()
{
    if (!notifier_)
        return;
    installHandler(SIG_DFL);
    notifier_.reset();
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
    pipeFds[0] = pipeFds[1] = -1;
}

bool InterruptWatcher::sleep(int ms)
{
    if (interrupted_)
        return false;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    QMetaObject::Connection stop;
    if (notifier_)
        stop = connect(notifier_.get(), &QSocketNotifier::activated, &loop, &QEventLoop::quit);
    timer.start(ms);
    loop.exec();
    disconnect(stop);
    return !interrupted_;
}

void InterruptWatcher::drain()
{
    char bytes[16];
    while (::read(pipeFds[0], bytes, sizeof bytes) > 0)
        interrupted_ = true;
}
