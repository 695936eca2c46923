#pragma once

#include <QByteArray>
#include <QList>

// The charge cycles a battery completed, from which the unit shows its efficiency figures:
// three averages over the last 1, 4 and 15 cycles (or as many as there are).
class CycleHistory {
public:
    static constexpr int Kept = 15;
    static constexpr int Averages[3] = {1, 4, 15};

    struct Cycle {
        double chargeAmpHours = 0;
        double dischargeAmpHours = 0;
        double hours = 0;
    };

    void add(const Cycle& cycle);
    void clear() { cycles_.clear(); }
    int size() const { return static_cast<int>(cycles_.size()); }
    const QList<Cycle>& cycles() const { return cycles_; }

    // The 12-byte efficiency record (0xDA for battery 1, 0xD7 for battery 2): per average a
    // self-discharge word (0.01 A in bits 0-14, bit 15 set when positive), the amp-hour
    // efficiency in percent and the number of cycles averaged.
    QByteArray figures() const;

private:
    QList<Cycle> cycles_; // oldest first
};
