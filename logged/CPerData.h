#pragma once

#include <QtGlobal>
#include <array>
#include <cstdint>

// One record of the unit's periodic log. Which values the unit logged is told by the item flags
// of the record's block; a value whose flag is clear stays 0.
struct CPerData {
    // Item flag bits, in the order the unit packs the values into a record.
    enum Item : std::uint16_t {
        AMPHOURS1 = 1 << 0,
        AMPHOURS2 = 1 << 1,
        AMPHOURS3 = 1 << 2,
        WATTHOURS1 = 1 << 3,
        WATTHOURS2 = 1 << 4,
        TEMPERATURE = 1 << 5,
        VOLTS1 = 1 << 6,
        AMPS1 = 1 << 7,
        VOLTS2 = 1 << 8,
        BATTERYSTATE = 1 << 9,
    };
    static constexpr std::uint16_t ItemMask = 0x03FF;
    static constexpr int ItemCount = 10;
    // valid bit 0: the record has been decoded.
    static constexpr std::uint8_t VALID = 0x01;

    std::uint8_t valid = 0;
    std::uint16_t itemFlags = 0;
    qint64 time = 0; // calendar seconds
    std::array<float, 3> ampHours{};
    std::array<float, 2> wattHours{};
    float tempMin = 0.0f; // degrees Celsius
    float tempMax = 0.0f;
    float volts1 = 0.0f;
    float amps1 = 0.0f;
    float volts2 = 0.0f;
    std::array<std::uint8_t, 2> percentFull{};
    std::array<int, 2> charged{}; // 0 or 1

    bool isValid() const { return (valid & VALID) != 0; }
    bool has(Item item) const { return (itemFlags & item) != 0; }
};
