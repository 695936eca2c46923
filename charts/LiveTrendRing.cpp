#include "charts/LiveTrendRing.h"

void LiveTrendRing::push(int slot, qint64 timeMs, double value)
{
    if (slot < 0 || slot >= SlotCount)
        return;
    Slot& ring = slots_[static_cast<std::size_t>(slot)];
    if (ring.count > 0 && timeMs < ring.at(ring.count - 1).x())
        ring.count = 0;
    if (ring.count > 1 && ring.at(ring.count - 1).x() - ring.at(ring.count - 2).x() < MinSpacingMs)
        --ring.count;
    if (ring.count == Capacity) {
        ring.first = (ring.first + 1) % Capacity;
        --ring.count;
    }
    ring.values[static_cast<std::size_t>((ring.first + ring.count) % Capacity)] =
        QPointF(static_cast<double>(timeMs), value);
    ++ring.count;
    dropOlderThan(ring, static_cast<double>(timeMs - WindowMs));
}

void LiveTrendRing::dropOlderThan(Slot& slot, double timeMs)
{
    while (slot.count > 0 && slot.at(0).x() < timeMs) {
        slot.first = (slot.first + 1) % Capacity;
        --slot.count;
    }
}

void LiveTrendRing::clear()
{
    for (int slot = 0; slot < SlotCount; ++slot)
        clear(slot);
}

void LiveTrendRing::clear(int slot)
{
    if (slot >= 0 && slot < SlotCount)
        slots_[static_cast<std::size_t>(slot)].count = 0;
}

QList<QPointF> LiveTrendRing::points(int slot) const
{
    QList<QPointF> points;
    if (slot < 0 || slot >= SlotCount)
        return points;
    const Slot& ring = slots_[static_cast<std::size_t>(slot)];
    points.reserve(ring.count);
    for (int i = 0; i < ring.count; ++i)
        points.append(ring.at(i));
    return points;
}

int LiveTrendRing::size(int slot) const
{
    return slot >= 0 && slot < SlotCount ? slots_[static_cast<std::size_t>(slot)].count : 0;
}

qint64 LiveTrendRing::newestTime() const
{
    qint64 newest = 0;
    for (const Slot& ring : slots_)
        if (ring.count > 0)
            newest = std::max(newest, static_cast<qint64>(ring.at(ring.count - 1).x()));
    return newest;
}
