#include "logged/EfficiencyLogDecoder.h"

#include "logged/LogBytes.h"
#include "logged/UnitTimeStamp.h"

#include <cmath>
#include <vector>

namespace {

constexpr std::uint32_t CounterMask = 0xFFFFFF; // the counters have 24 bits and roll over
constexpr std::uint16_t ValidBit = 0x8000;

} // namespace

int EfficiencyLogDecoder::recordOffset(int index)
{
    return (index % RecordsPerBlock) * RecordSize + (index / RecordsPerBlock) * BlockSize;
}

int EfficiencyLogDecoder::decode(QByteArrayView area, int newest, bool wrapped, qint64 unitBaseTime,
                                 std::span<CEffData> records)
{
    const int end = ((newest % RingSize) + RingSize + 1) % RingSize;
    int index = wrapped ? end : 0;
    qsizetype count = 0;
    const auto capacity = static_cast<qsizetype>(records.size());
    while (count < capacity) {
        CEffData record = decodeRecord(area, index, unitBaseTime);
        // The first two records have no complete cycle before them.
        if (count < 2)
            record.valid = 0;
        records[count++] = record;
        index = (index + 1) % RingSize;
        if (index == end)
            break;
    }
    return static_cast<int>(count);
}

CEffData EfficiencyLogDecoder::decodeRecord(QByteArrayView area, int index, qint64 unitBaseTime)
{
    const int offset = recordOffset(index);
    const std::uint16_t dayWord = logWord(area, offset + 1);
    const UnitTimeStamp stamp{static_cast<std::uint16_t>(dayWord & ~ValidBit),
                              logByte(area, offset)};
    CEffData record;
    record.present = 1;
    record.time = stamp.calendarTime(unitBaseTime);
    record.valid = (dayWord & ValidBit) ? 1 : 0;
    record.counterA = logTriple(area, offset + 3);
    record.counterB = logTriple(area, offset + 6);
    return record;
}

void EfficiencyLogDecoder::compute(std::span<CEffData> records)
{
    for (std::size_t k = 1; k < records.size(); ++k) {
        if (records[k].valid == 1)
            computeFromPrevious(records[k], records[k - 1]);
    }
}

// A zero charge or a zero cycle time gives infinity or not-a-number, as the unit's data is.
void EfficiencyLogDecoder::computeFromPrevious(CEffData& record, const CEffData& previous)
{
    const qint64 wholeMinutes = (record.time - previous.time) / 60;
    record.cycleHours = static_cast<float>(wholeMinutes) * (1.0f / 60.0f);
    const std::uint32_t charged = (previous.counterA - record.counterA) & CounterMask;
    const std::uint32_t discharged = (record.counterB - previous.counterB) & CounterMask;
    record.chargeAmpHours = static_cast<float>(charged * 0.01);
    record.dischargeAmpHours = -static_cast<float>(discharged * 0.01);
    record.netAmpHours = record.dischargeAmpHours + record.chargeAmpHours;
    record.selfDischarge = record.netAmpHours / record.cycleHours;
    record.chargeEfficiency = std::fabs(record.dischargeAmpHours / record.chargeAmpHours);
}

void EfficiencyLogDecoder::average(std::span<CEffData> records, int cycles)
{
    std::vector<CEffData*> validRecords;
    for (CEffData& record : records) {
        if (record.valid == 1)
            validRecords.push_back(&record);
    }
    if (cycles < 1 || validRecords.size() < static_cast<std::size_t>(cycles))
        return;
    const auto window = static_cast<std::size_t>(cycles);
    for (std::size_t start = 0; start + window <= validRecords.size(); ++start) {
        float hours = 0.0f;
        float charge = 0.0f;
        float discharge = 0.0f;
        for (std::size_t i = start; i < start + window; ++i) {
            hours += validRecords[i]->cycleHours;
            charge += validRecords[i]->chargeAmpHours;
            discharge += validRecords[i]->dischargeAmpHours;
        }
        CEffData& last = *validRecords[start + window - 1];
        last.averageChargeEfficiency = std::fabs(discharge / charge);
        last.averageSelfDischarge = (discharge + charge) / hours;
    }
}
