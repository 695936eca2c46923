#include "simulator/CycleHistory.h"

#include <algorithm>
#include <cmath>

void CycleHistory::add(const Cycle& cycle)
{
    cycles_.append(cycle);
    if (cycles_.size() > Kept)
        cycles_.removeFirst();
}

QByteArray CycleHistory::figures() const
{
    QByteArray bytes(12, '\0');
    for (int group = 0; group < 3; ++group) {
        const int count = std::min(Averages[group], size());
        Cycle sum;
        for (int i = size() - count; i < size(); ++i) {
            sum.chargeAmpHours += cycles_.at(i).chargeAmpHours;
            sum.dischargeAmpHours += cycles_.at(i).dischargeAmpHours;
            sum.hours += cycles_.at(i).hours;
        }
        if (count == 0 || sum.chargeAmpHours <= 0 || sum.hours <= 0)
            continue;
        const double selfDischarge = (sum.chargeAmpHours - sum.dischargeAmpHours) / sum.hours;
        const long hundredths = std::min(std::lround(std::fabs(selfDischarge) * 100.0), 0x7FFFL);
        const quint16 word = static_cast<quint16>(hundredths | (selfDischarge > 0 ? 0x8000 : 0));
        const long percent = std::lround(sum.dischargeAmpHours / sum.chargeAmpHours * 100.0);
        bytes[4 * group] = static_cast<char>(word & 0xFF);
        bytes[4 * group + 1] = static_cast<char>(word >> 8);
        bytes[4 * group + 2] = static_cast<char>(std::min(percent, 255L));
        bytes[4 * group + 3] = static_cast<char>(count);
    }
    return bytes;
}
