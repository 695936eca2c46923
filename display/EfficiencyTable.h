#pragma once

#include <QByteArrayView>
#include <QString>
#include <array>
#include <cstdint>

// One figure of the battery efficiency panel: the value, its text and the reply bytes it came
// from.
struct EfficiencyCell {
    static constexpr qsizetype RAW_REPLY_SIZE = 13;

    float value = 0.0f;
    QString valueText;
    std::array<std::uint8_t, RAW_REPLY_SIZE> rawReply{};
};

// The efficiency figure table: records 0..9 for battery 1, 10..19 for battery 2. Of each
// battery's ten: 0..2 the cycle counts of the three averages, 3..5 their amp-hour efficiency in
// percent, 6..8 their self-discharge amps, 9 the capacity.
class EfficiencyTable {
public:
    static constexpr int CELL_COUNT = 20;
    static constexpr int CELLS_PER_BATTERY = 10;
    static constexpr int CYCLES = 0;
    static constexpr int AMPHOUR_EFFICIENCY = 3;
    static constexpr int SELF_DISCHARGE = 6;
    static constexpr int CAPACITY = 9;

    // "%1 Ahrs", as the capacity cell shows it.
    static QString capacityText(int ampHours);

    // All values zero, all texts empty.
    void clear();
    // The 12 bytes of record 0xDA: per average, the self-discharge word, the amp-hour
    // efficiency and the number of cycles.
    void applyBattery1Block(QByteArrayView reply);
    void setBattery1Capacity(std::uint16_t ampHours);

    const EfficiencyCell& cell(int index) const;

private:
    EfficiencyCell& at(int index) { return cells_[static_cast<std::size_t>(index)]; }
    void setByteFigure(int index, std::uint8_t value);

    std::array<EfficiencyCell, CELL_COUNT> cells_{};
    EfficiencyCell outOfRange_{};
};
