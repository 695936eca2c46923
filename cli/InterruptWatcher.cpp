#include "cli/InterruptWatcher.h"

#include <QEventLoop>
#include <QTimer>

InterruptWatcher::InterruptWatcher()
{
    connect(&signals_, &SignalWatcher::terminationRequested, this, [this] { interrupted_ = true; });
}

bool InterruptWatcher::sleep(int ms)
{
    if (interrupted_)
        return false;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    const QMetaObject::Connection stop =
        connect(&signals_, &SignalWatcher::terminationRequested, &loop, &QEventLoop::quit);
    timer.start(ms);
    loop.exec();
    disconnect(stop);
    return !interrupted_;
}
