#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

// The unit's log memory as the last download copied it, with what the unit said of each log
// then and what tells this unit from another: the base of the next download's plan.
struct UnitImage {
    // 0x0000-0x3FFF, of which the logs' areas are used.
    static constexpr int MemorySize = 0x4000;
    static constexpr int LogCount = 4;

    // One log as the unit reported it: the area's newest-entry pointer (rebased as the decoder
    // takes it), wrapped and present. kept: its memory is in the image.
    struct Log {
        bool kept = false;
        std::uint16_t pointer = 0;
        bool wrapped = false;
        bool present = false;

        friend bool operator==(const Log&, const Log&) = default;
    };

    // The link's name for the unit: "COM7", or host and port.
    QString link;
    // The replies of the unit's records that do not change between downloads.
    QByteArray identity;
    // The unit clock when it was copied: day word and minutes within the block.
    std::uint16_t clockDay = 0;
    std::uint8_t clockMinutes = 0;
    // Periodic, discharge profile, battery-1 efficiency, battery-2 efficiency.
    std::array<Log, LogCount> logs{};
    QByteArray memory = QByteArray(MemorySize, '\0');

    // Minutes since the unit clock's day 0, 00:00.
    static qint64 clockMinute(std::uint16_t dayWord, std::uint8_t minutes)
    {
        return qint64(dayWord >> 3) * 1440 + (dayWord & 7) * 180 + minutes;
    }

    friend bool operator==(const UnitImage&, const UnitImage&) = default;
};
