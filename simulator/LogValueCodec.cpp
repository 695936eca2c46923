#include "simulator/LogValueCodec.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int MaxMagnitude = 1023;
constexpr quint16 SignBit = 0x8000;

struct Scale {
    int code;
    double multiplier;
};

template <std::size_t N> quint16 packScaled(double value, const Scale (&scales)[N])
{
    const double magnitude = std::fabs(value);
    for (const Scale& scale : scales) {
        const long steps = std::lround(magnitude / scale.multiplier);
        if (steps <= MaxMagnitude) {
            const quint16 sign = value < 0 && steps > 0 ? SignBit : 0;
            return static_cast<quint16>(sign | scale.code << 12 | steps);
        }
    }
    const quint16 sign = value < 0 ? SignBit : 0;
    return static_cast<quint16>(sign | scales[N - 1].code << 12 | MaxMagnitude);
}

} // namespace

quint16 LogValueCodec::periodicScaled(double value)
{
    static constexpr Scale scales[] = {{1, 0.01},  {2, 0.1},    {3, 1.0},    {4, 10.0},
                                       {5, 100.0}, {6, 1000.0}, {7, 10000.0}};
    return packScaled(value, scales);
}

quint16 LogValueCodec::dischargeAmps(double amps)
{
    static constexpr Scale scales[] = {{0, 0.001}, {1, 0.01}, {2, 0.1}, {3, 1.0}};
    return packScaled(amps, scales);
}

quint16 LogValueCodec::volts(double volts)
{
    const long steps = std::lround(std::max(0.0, volts) / 0.05);
    return static_cast<quint16>(std::min(steps, 0x7FFL));
}
