#pragma once

#include "link/LinkConstants.h"
#include "link/RecordMap.h"

#include <array>
#include <cstdint>

// One READ of the poll cycle: the record and the request kind its reply is dispatched by.
struct PollRequest {
    UnitRecord record;
    std::uint16_t kind;
};

// What the poll cycle reads besides the live items. The command-line program reads the same
// records for the same purposes.
namespace PollRequests {

inline constexpr PollRequest Version{RecordMap::Version, REQ_VERSION};
inline constexpr PollRequest ChannelNames{RecordMap::ChannelNames, REQ_CHANNELNAMES};
inline constexpr PollRequest BatteryWords{RecordMap::BatteryWords, REQ_BATTWORDS};
inline constexpr PollRequest ShuntTypes{RecordMap::ShuntTypes, REQ_SHUNTS};
inline constexpr PollRequest AlarmStates{RecordMap::AlarmStates, REQ_ALARMSTATES};
inline constexpr PollRequest StatusFlags{RecordMap::StatusFlags, REQ_STATUSFLAGS};

// Steps 1..6 of the start-up sequence: the unit's configuration. The channel names, then the
// battery words (which settle the labels of AD13 and AD14), then the shunts relabel and retype
// the live items.
inline constexpr std::array<PollRequest, 6> Startup{{
    Version,
    ChannelNames,
    BatteryWords,
    ShuntTypes,
    {RecordMap::Battery1Capacity, REQ_BATT1CAP},
    {RecordMap::Battery2Capacity, REQ_BATT2CAP},
}};

// The two steps of timers 3, 4 and 5: status and alarm flags, the unit clock, the efficiency
// figures.
inline constexpr std::array<std::array<PollRequest, 2>, 3> Pairs{{
    {{AlarmStates, StatusFlags}},
    {{{RecordMap::ClockDay, REQ_CLOCKDAY}, {RecordMap::ClockMinute, REQ_CLOCKMIN}}},
    {{{RecordMap::Battery1Efficiency, REQ_EFF1}, {RecordMap::Battery2Efficiency, REQ_EFF2}}},
}};

} // namespace PollRequests
