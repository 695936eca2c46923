#include "programming/PeriodicLoggingRecord.h"

#include "programming/ParameterCoding.h"

#include <bit>

namespace PeriodicLoggingRecord {

namespace {

struct Interval {
    const char* text;
    int code;
    int recordsPerDay;
};

constexpr Interval INTERVALS[INTERVAL_COUNT] = {
    {"1 min", 0xFF, 1440}, {"2 min", 0xEF, 720}, {"3 min", 0xBF, 480}, {"5 min", 0x7F, 288},
    {"10 min", 0x6F, 144}, {"15 min", 0x3F, 96}, {"30 min", 0x2F, 48}, {"1 hr", 0x27, 24},
    {"2 hr", 0x23, 12},    {"4 hr", 0x21, 6},    {"6 hr", 0x03, 4},    {"8 hr", 0x20, 3},
    {"12 hr", 0x01, 2},    {"24 hr", 0x00, 1},
};

struct ItemBox {
    Item item;
    const char* text;
};

constexpr ItemBox ITEM_BOXES[ITEM_COUNT] = {
    {ITEM_AHR1, "AHr 1"},
    {ITEM_AHR2, "AHr 2"},
    {ITEM_AHR3, "AHr 3"},
    {ITEM_WHR1, "WHr 1"},
    {ITEM_WHR2, "WHr 2"},
    {ITEM_FILTVOLTS1, "Filt Volts 1"},
    {ITEM_FILTAMPS1, "Filt Amps 1"},
    {ITEM_FILTVOLTS2, "Filt Volts 2"},
    {ITEM_PERCENTFULL, "% Full (both Batteries)"},
    {ITEM_TEMP, "Temp (min/max)"},
};

constexpr int ALL_ITEMS = 0x3FF;
constexpr int BLOCK_MASK = 7;
constexpr int MINUTES_PER_BLOCK = 180;
// The log memory: 116 blocks of 64 bytes; a record is 3 bytes of time stamp and 2 per item.
constexpr int LOG_BLOCKS = 116;
constexpr int BLOCK_BYTES = 64;

std::optional<int> entryWithCode(int code)
{
    for (int entry = 0; entry < INTERVAL_COUNT; ++entry)
        if (INTERVALS[entry].code == code)
            return entry;
    return std::nullopt;
}

} // namespace

Item itemAt(int checkBox)
{
    return ITEM_BOXES[checkBox].item;
}

QString itemText(int checkBox)
{
    return QString::fromLatin1(ITEM_BOXES[checkBox].text);
}

QString intervalText(int entry)
{
    return QString::fromLatin1(INTERVALS[entry].text);
}

int intervalCode(int entry)
{
    return INTERVALS[entry].code;
}

int recordsPerDay(int entry)
{
    return INTERVALS[entry].recordsPerDay;
}

Values decode(QByteArrayView record)
{
    Values values;
    values.items =
        (ParameterCoding::byteAt(record, 10) | ParameterCoding::byteAt(record, 11) << 8) &
        ALL_ITEMS;
    values.interval = entryWithCode(ParameterCoding::byteAt(record, 0));
    values.minuteOfDay = ParameterCoding::byteAt(record, 3) +
                         MINUTES_PER_BLOCK * (ParameterCoding::byteAt(record, 1) & BLOCK_MASK);
    return values;
}

QByteArray encode(const Values& values, QByteArrayView recordRead)
{
    QByteArray record = ParameterCoding::fitted(recordRead, LENGTH);
    const int codeRead = ParameterCoding::byteAt(recordRead, 0);
    record[0] = static_cast<char>(values.interval ? intervalCode(*values.interval) : codeRead);
    const int byte1 = ParameterCoding::byteAt(recordRead, 1) & ~BLOCK_MASK;
    record[1] = static_cast<char>(byte1 | (values.minuteOfDay / MINUTES_PER_BLOCK & BLOCK_MASK));
    record[3] = static_cast<char>(values.minuteOfDay % MINUTES_PER_BLOCK);
    record[10] = static_cast<char>(values.items & 0xFF);
    record[11] = static_cast<char>(values.items >> 8 & 0x03);
    return record;
}

std::optional<float> capacityDays(int items, std::optional<int> interval)
{
    if (!interval)
        return std::nullopt;
    const int recordSize = 3 + 2 * std::popcount(static_cast<unsigned>(items & ALL_ITEMS));
    const int recordsPerBlock = BLOCK_BYTES / recordSize;
    const auto totalRecords = static_cast<float>(recordsPerBlock * LOG_BLOCKS);
    return totalRecords / static_cast<float>(recordsPerDay(*interval));
}

QString capacityText(int items, std::optional<int> interval)
{
    const std::optional<float> days = capacityDays(items, interval);
    if (!days)
        return QStringLiteral("Cannot be computed");
    if (*days < 1.0f)
        return QString::asprintf("%.2f days", static_cast<double>(*days));
    if (*days < 10.0f)
        return QString::asprintf("%.1f days", static_cast<double>(*days));
    return QString::asprintf("%.0f days", static_cast<double>(*days));
}

} // namespace PeriodicLoggingRecord
