#include "display/EfficiencyTable.h"

namespace {

constexpr int AverageCount = 3;
constexpr int BytesPerAverage = 4;
constexpr std::uint16_t SelfDischargeMagnitude = 0x7FFF;
constexpr std::uint16_t SelfDischargeChargingBit = 0x8000;

std::uint8_t byteAt(QByteArrayView reply, qsizetype index)
{
    return index < reply.size() ? static_cast<std::uint8_t>(reply[index]) : 0;
}

} // namespace

void EfficiencyTable::clear()
{
    cells_.fill(EfficiencyCell{});
}

const EfficiencyCell& EfficiencyTable::cell(int index) const
{
    if (index < 0 || index >= CELL_COUNT)
        return outOfRange_;
    return cells_[static_cast<std::size_t>(index)];
}

void EfficiencyTable::applyBattery1Block(QByteArrayView reply)
{
    for (int average = 0; average < AverageCount; ++average) {
        const int first = BytesPerAverage * average;
        const auto word =
            static_cast<std::uint16_t>(byteAt(reply, first) | (byteAt(reply, first + 1) << 8));
        // The unit marks a positive figure with the top bit; without it the battery lost charge.
        float amps = static_cast<float>(word & SelfDischargeMagnitude) * 0.01f;
        if ((word & SelfDischargeChargingBit) == 0)
            amps = -amps;
        EfficiencyCell& discharge = at(SELF_DISCHARGE + average);
        discharge.value = amps;
        discharge.valueText = QString::asprintf("%.2f", static_cast<double>(amps));
        discharge.rawReply.fill(0);
        discharge.rawReply[0] = byteAt(reply, first);
        discharge.rawReply[1] = byteAt(reply, first + 1);
        setByteFigure(AMPHOUR_EFFICIENCY + average, byteAt(reply, first + 2));
        setByteFigure(CYCLES + average, byteAt(reply, first + 3));
    }
}

void EfficiencyTable::setByteFigure(int index, std::uint8_t value)
{
    EfficiencyCell& figure = at(index);
    figure.value = value;
    figure.valueText = QString::number(value);
    figure.rawReply.fill(0);
    figure.rawReply[0] = value;
}

QString EfficiencyTable::capacityText(int ampHours)
{
    return QStringLiteral("%1 Ahrs").arg(ampHours);
}

void EfficiencyTable::setBattery1Capacity(std::uint16_t ampHours)
{
    EfficiencyCell& capacity = at(CAPACITY);
    capacity.value = ampHours;
    capacity.valueText = capacityText(ampHours);
    capacity.rawReply.fill(0);
    capacity.rawReply[0] = static_cast<std::uint8_t>(ampHours & 0xFF);
    capacity.rawReply[1] = static_cast<std::uint8_t>(ampHours >> 8);
}
