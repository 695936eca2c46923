#include "simulator/OutboundQueue.h"

#include <algorithm>
#include <cmath>

OutboundQueue::OutboundQueue(std::function<void(const QByteArray&)> send,
                             std::function<void()> hangUp, QObject* parent)
    : QObject(parent), send_(std::move(send)), hangUp_(std::move(hangUp))
{
    clock_.start();
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &OutboundQueue::pump);
}

double OutboundQueue::nowMs() const
{
    return static_cast<double>(clock_.nsecsElapsed()) / 1e6;
}

void OutboundQueue::reply(const QList<Transmission>& bursts, int requestBytes)
{
    const double lineMs = paced_ ? requestBytes * ByteMs : 0.0;
    append(bursts, latencyMs_ + static_cast<int>(std::lround(lineMs)));
}

void OutboundQueue::send(const QList<Transmission>& bursts)
{
    append(bursts, 0);
}

void OutboundQueue::append(const QList<Transmission>& bursts, int firstDelayMs)
{
    bool first = true;
    for (Transmission burst : bursts) {
        if (first)
            burst.delayMs += firstDelayMs;
        first = false;
        queue_.append({burst});
    }
    pump();
}

void OutboundQueue::armFront()
{
    Pending& front = queue_.front();
    if (front.dueMs < 0)
        front.dueMs = nowMs() + front.burst.delayMs;
}

void OutboundQueue::pump()
{
    while (!queue_.isEmpty()) {
        armFront();
        Pending& front = queue_.front();
        if (!sendDue(front))
            return;
        const bool hangUp = front.burst.closeAfter;
        queue_.removeFirst();
        if (hangUp) {
            queue_.clear();
            hangUp_();
            return;
        }
    }
}

bool OutboundQueue::sendDue(Pending& front)
{
    const QByteArray& bytes = front.burst.bytes;
    const double now = nowMs();
    if (now < front.dueMs) {
        wakeAt(front.dueMs);
        return false;
    }
    if (!paced_) {
        if (!bytes.isEmpty())
            send_(bytes);
        return true;
    }
    const int due = static_cast<int>((now - front.dueMs) / ByteMs) + 1;
    const int count = std::min<int>(due, static_cast<int>(bytes.size()) - front.sent);
    if (count > 0)
        send_(bytes.mid(front.sent, count));
    front.sent += count;
    front.dueMs += count * ByteMs;
    if (front.sent < bytes.size()) {
        wakeAt(front.dueMs);
        return false;
    }
    return true;
}

void OutboundQueue::wakeAt(double dueMs)
{
    timer_.start(std::max(0, static_cast<int>(std::ceil(dueMs - nowMs()))));
}
