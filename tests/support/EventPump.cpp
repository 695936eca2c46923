#include "tests/support/EventPump.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

namespace EventPump {

void deliverPosted()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

bool waitUntil(const std::function<bool()>& condition, int limitMs)
{
    QDeadlineTimer limit(limitMs);
    while (!condition()) {
        if (limit.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::sendPostedEvents();
        QThread::msleep(1);
    }
    return true;
}

} // namespace EventPump
