#include "display/BatteryStatus.h"

#include "resources/StringTable.h"

namespace {

constexpr int FirstRowString = 3000;
constexpr RgbColor Black = RgbColor::fromRgb(0, 0, 0);
constexpr RgbColor White = RgbColor::fromRgb(255, 255, 255);
constexpr RgbColor Red = RgbColor::fromRgb(255, 0, 0);
constexpr RgbColor Magenta = RgbColor::fromRgb(255, 0, 255);

// Where each row's flag sits: byte and bit of record 0x25.
struct FlagBit {
    int byte;
    int bit;
};
constexpr std::array<FlagBit, BatteryStatus::ROW_COUNT> FlagBits{
    {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {0, 7}, {1, 0}, {1, 1}, {1, 2}, {1, 3}, {1, 4}}};

// Where each row's 2-bit alarm state sits in record 0xCE; the relay row has none.
constexpr FlagBit NoAlarmState{-1, -1};
constexpr std::array<FlagBit, BatteryStatus::ROW_COUNT> AlarmBits{
    {{0, 0}, {0, 2}, {0, 4}, {0, 6}, {1, 0}, NoAlarmState, {2, 0}, {2, 2}, {2, 4}, {2, 6}, {3, 0}}};
constexpr std::uint8_t RelayAlarmState = 1;

std::uint8_t byteAt(QByteArrayView reply, int index)
{
    return index < reply.size() ? static_cast<std::uint8_t>(reply[index]) : 0;
}

} // namespace

void BatteryStatus::applyFlags(QByteArrayView reply)
{
    for (std::size_t row = 0; row < FlagBits.size(); ++row)
        flags_[row] = (byteAt(reply, FlagBits[row].byte) >> FlagBits[row].bit) & 1;
}

void BatteryStatus::applyAlarmStates(QByteArrayView reply)
{
    for (std::size_t row = 0; row < AlarmBits.size(); ++row) {
        if (AlarmBits[row].byte < 0) {
            alarmStates_[row] = RelayAlarmState;
            continue;
        }
        const int state = (byteAt(reply, AlarmBits[row].byte) >> AlarmBits[row].bit) & 3;
        alarmStates_[row] = static_cast<std::uint8_t>(state == 3 ? 2 : state);
    }
}

QString BatteryStatus::title(int battery)
{
    return QStringLiteral("Battery %1 Status").arg(battery);
}

QString BatteryStatus::alarmOffText()
{
    return QStringLiteral("ALARM OFF");
}

void BatteryStatus::refreshRows()
{
    for (int i = 0; i < ROW_COUNT; ++i) {
        StatusRow& shown = rows_[static_cast<std::size_t>(i)];
        if (!flag(i)) {
            shown = StatusRow{QStringLiteral("---"), true, Black, White};
        } else if (alarmState(i) == 0) {
            shown.text = alarmOffText();
            shown.enabled = false;
        } else {
            const RgbColor colour = alarmState(i) == 1 ? Red : Magenta;
            shown = StatusRow{loadString(FirstRowString + i), true, colour, Black};
        }
    }
}
