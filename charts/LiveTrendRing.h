#pragma once

#include <QList>
#include <QPointF>
#include <QtGlobal>
#include <array>
#include <vector>

// The values of the six display slots over the last hour, as the poll cycle reads them: a ring
// per slot of a fixed size, so that a long session takes no more memory than a short one. A
// value older than an hour before the newest one of its slot drops out.
class LiveTrendRing {
public:
    static constexpr int SlotCount = 6;
    static constexpr qint64 WindowMs = 3600 * 1000;
    // A newest value that came this soon after the one before gives its place to the next, so
    // that a slot holds two values a second at most and always the latest: the window offers
    // every slot's value whenever any of them changes.
    static constexpr qint64 MinSpacingMs = 500;
    // Two values a second for an hour, and the latest.
    static constexpr int Capacity = 7201;

    // slot 0..5; a time before the slot's newest value starts the slot again (the clock went
    // back).
    void push(int slot, qint64 timeMs, double value);
    void clear();
    void clear(int slot);

    // Oldest first: x the time in milliseconds since the epoch, y the value.
    QList<QPointF> points(int slot) const;
    int size(int slot) const;
    // The newest time of any slot; 0 when every slot is empty.
    qint64 newestTime() const;

private:
    struct Slot {
        std::vector<QPointF> values = std::vector<QPointF>(Capacity);
        int first = 0;
        int count = 0;

        const QPointF& at(int index) const { return values[(first + index) % Capacity]; }
    };
    void dropOlderThan(Slot& slot, double timeMs);

    std::array<Slot, SlotCount> slots_;
};
