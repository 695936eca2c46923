#include "logged/CLoggedData.h"

#include "config/Settings.h"
#include "logged/DischargeProfileDecoder.h"
#include "logged/EfficiencyLogDecoder.h"
#include "logged/LogBytes.h"
#include "logged/PeriodicLogDecoder.h"

#include <algorithm>
#include <span>

namespace {

constexpr std::uint16_t PeriodicLogAddress = 0x0300;
constexpr std::uint16_t DischargeProfileAddress = 0x2000;
constexpr std::uint16_t Battery1EfficiencyAddress = 0x3000;
constexpr std::uint16_t Battery2EfficiencyAddress = 0x3800;
// The unit's log pointers are 14-bit memory addresses.
constexpr std::uint16_t PointerMask = 0x3FFF;
constexpr std::uint16_t WrappedBit = 0x8000;
// Where the efficiency ring indexes lie in the page read from 0x2F00.
constexpr int EfficiencyIndexOffset = 0xFC;
constexpr int PageSize = 256;
constexpr std::uint16_t EfficiencyIndexPage = 0x2F00;

template <typename Record> std::vector<Record*> pointersTo(std::span<Record> records)
{
    std::vector<Record*> pointers;
    pointers.reserve(records.size());
    for (Record& record : records)
        pointers.push_back(&record);
    return pointers;
}

} // namespace

CLoggedData::CLoggedData(QObject* parent)
    : QObject(parent),
      periodicPool_(PeriodicCapacity), efficiencyPools_{std::vector<CEffData>(EfficiencyCapacity),
                                                        std::vector<CEffData>(EfficiencyCapacity)},
      dischargeProfilePool_(DischargeProfileCapacity), periodicArea_(PeriodicLogAddress, 256, 29),
      dischargeProfileArea_(DischargeProfileAddress, 512, 8),
      efficiencyAreas_{LogArea(Battery1EfficiencyAddress, 512, 4),
                       LogArea(Battery2EfficiencyAddress, 512, 4)}
{}

CLoggedData::~CLoggedData() = default;

void CLoggedData::captureOptions(const Settings& settings)
{
    averagingCycles_ = settings.averagingCycles;
}

bool CLoggedData::takePeriodicPointer(QByteArrayView reply)
{
    if (reply.size() != 4)
        return false;
    const std::uint16_t pointer = logWord(reply, 2) & PointerMask;
    periodicArea_.setPointer(static_cast<std::uint16_t>(pointer - PeriodicLogAddress));
    periodicArea_.setPresent(true);
    return true;
}

bool CLoggedData::takeDischargeProfilePointer(QByteArrayView reply)
{
    if (reply.size() != 3)
        return false;
    const std::uint16_t value = logWord(reply, 1);
    const bool wrapped = (value & WrappedBit) != 0;
    const std::uint16_t pointer = value & PointerMask;
    dischargeProfileArea_.setWrapped(wrapped);
    // A pointer still at the log's start, never wrapped: the unit has logged nothing.
    if (!wrapped && pointer == DischargeProfileAddress) {
        dischargeProfileArea_.setPresent(false);
        dischargeProfileArea_.setPointer(DischargeProfileAddress);
    } else {
        dischargeProfileArea_.setPresent(true);
        dischargeProfileArea_.setPointer(
            static_cast<std::uint16_t>(pointer - DischargeProfileAddress));
    }
    return true;
}

bool CLoggedData::takeEfficiencyIndexes(QByteArrayView page)
{
    if (page.size() != PageSize)
        return false;
    for (int battery = 0; battery < 2; ++battery) {
        const int offset = EfficiencyIndexOffset + 2 * battery;
        const std::uint8_t newest = logByte(page, offset);
        const bool wrapped = (logByte(page, offset + 1) & 0x80) != 0;
        LogArea& area = efficiencyAreas_[battery];
        area.setPointer(newest);
        area.setWrapped(wrapped);
        area.setPresent(newest != 0 || wrapped);
    }
    // The page ends the discharge profile's area too.
    dischargeProfileArea_.storeAt(EfficiencyIndexPage, page);
    return true;
}

bool CLoggedData::takeBatteryWord(int battery, QByteArrayView reply)
{
    if (reply.size() != 2)
        return false;
    batteryWords_[batteryIndex(battery)] = logWord(reply, 0);
    return true;
}

int CLoggedData::batteryMask() const
{
    return (batteryWords_[0] != 0 ? 1 : 0) | (batteryWords_[1] != 0 ? 2 : 0);
}

LogArea& CLoggedData::area(Log log)
{
    switch (log) {
    case Log::Periodic:
        return periodicArea_;
    case Log::DischargeProfile:
        return dischargeProfileArea_;
    case Log::Battery1Efficiency:
        return efficiencyAreas_[0];
    case Log::Battery2Efficiency:
        break;
    }
    return efficiencyAreas_[1];
}

const LogArea& CLoggedData::area(Log log) const
{
    return const_cast<CLoggedData*>(this)->area(log);
}

void CLoggedData::decodeArea(Log log)
{
    area(log).setDone(true);
    switch (log) {
    case Log::Periodic:
        decodePeriodic();
        break;
    case Log::DischargeProfile:
        decodeDischargeProfile();
        break;
    case Log::Battery1Efficiency:
        decodeEfficiency(1);
        break;
    case Log::Battery2Efficiency:
        decodeEfficiency(2);
        break;
    }
}

void CLoggedData::decodePeriodic()
{
    const int count = PeriodicLogDecoder::decode(periodicArea_.buffer(), periodicArea_.pointer(),
                                                 unitBaseTime_, periodicPool_);
    periodic_ = pointersTo(std::span(periodicPool_).first(count));
}

void CLoggedData::decodeDischargeProfile()
{
    const LogArea& area = dischargeProfileArea_;
    DischargeProfileDecoder::decode(area.buffer(), area.pointer(), area.wrapped(), area.present(),
                                    dischargeProfilePool_, dischargeProfile_[0],
                                    dischargeProfile_[1]);
}

void CLoggedData::decodeEfficiency(int battery)
{
    const int index = batteryIndex(battery);
    const LogArea& area = efficiencyAreas_[index];
    std::vector<CEffData>& pool = efficiencyPools_[index];
    const int count = EfficiencyLogDecoder::decode(area.buffer(), area.pointer(), area.wrapped(),
                                                   unitBaseTime_, pool);
    const std::span<CEffData> records = std::span(pool).first(count);
    if (count > 0) {
        EfficiencyLogDecoder::compute(records);
        EfficiencyLogDecoder::average(records, averagingCycles_);
    }
    efficiency_[index] = pointersTo(records);
}

const std::vector<CEffData*>& CLoggedData::efficiency(int battery) const
{
    return efficiency_[batteryIndex(battery)];
}

const std::vector<CIntData*>& CLoggedData::dischargeProfile(int battery) const
{
    return dischargeProfile_[batteryIndex(battery)];
}

int CLoggedData::efficiencyCount(int battery) const
{
    return static_cast<int>(efficiency(battery).size());
}

int CLoggedData::dischargeProfileCount(int battery) const
{
    return static_cast<int>(dischargeProfile(battery).size());
}

void CLoggedData::clearRecords()
{
    periodic_.clear();
    for (int index = 0; index < 2; ++index) {
        efficiency_[index].clear();
        dischargeProfile_[index].clear();
    }
}

void CLoggedData::reverseRecordOrder()
{
    std::reverse(periodic_.begin(), periodic_.end());
    for (int index = 0; index < 2; ++index) {
        std::reverse(efficiency_[index].begin(), efficiency_[index].end());
        std::reverse(dischargeProfile_[index].begin(), dischargeProfile_[index].end());
    }
}
