#include "LogImages.h"

#include "logged/DischargeProfileDecoder.h"
#include "logged/EfficiencyLogDecoder.h"
#include "logged/PeriodicLogDecoder.h"

#include <QtEndian>
#include <bit>

namespace {

using Log = CLoggedData::Log;

void putWord(QByteArray& bytes, int offset, std::uint16_t word)
{
    qToLittleEndian(word, bytes.data() + offset);
}

// The unit's day word (day * 8 + three-hour block, with the valid bit) and minutes.
std::uint16_t dayWord(int minute, std::uint16_t validBit = 0)
{
    return static_cast<std::uint16_t>((minute / 1440 * 8 + minute % 1440 / 180) | validBit);
}

void store(CLoggedData& data, Log log, const QByteArray& image)
{
    data.area(log).storeAt(data.area(log).baseAddress(), image);
    data.decodeArea(log);
}

} // namespace

void PeriodicLogImage::append(int minute, std::uint16_t flags, const QByteArray& fields)
{
    const int size = 3 + 2 * std::popcount(static_cast<unsigned>(flags & 0x3FF));
    const int block = newest_ / 64 * 64;
    const bool sameFlags =
        newest_ != 0x1CC0 && (qFromLittleEndian<std::uint16_t>(bytes.constData() + block + 1) &
                              0x3FF) == (flags & 0x3FF);
    if (sameFlags && newest_ - block - 3 + 2 * size <= 61) {
        newest_ += size;
    } else {
        const int next = (block + 64) % 7424;
        bytes.replace(next, 64, QByteArray(64, '\0'));
        bytes[next] = static_cast<char>(newest_ == 0x1CC0 ? 0 : newest_ - block);
        putWord(bytes, next + 1, flags);
        newest_ = next + 3;
    }
    putWord(bytes, newest_, dayWord(minute));
    bytes[newest_ + 2] = static_cast<char>(minute % 180);
    bytes.replace(newest_ + 3, size - 3,
                  fields.isEmpty() ? QByteArray(size - 3, '\0') : fields.first(size - 3));
}

void putCycle(QByteArray& log, int index, int minute, std::uint32_t counterA,
              std::uint32_t counterB, bool valid)
{
    const int offset = (index % 7) * 9 + (index / 7) * 64;
    log[offset] = static_cast<char>(minute % 180);
    putWord(log, offset + 1, dayWord(minute, valid ? 0x8000 : 0));
    for (int i = 0; i < 3; ++i) {
        log[offset + 3 + i] = static_cast<char>(counterA >> (8 * i));
        log[offset + 6 + i] = static_cast<char>(counterB >> (8 * i));
    }
}

void putEntry(QByteArray& log, int index, std::uint8_t byte0, std::uint16_t dayAndVolts,
              std::uint16_t amps)
{
    const int offset = (index / 12) * 64 + (index % 12) * 5;
    log[offset] = static_cast<char>(byte0);
    putWord(log, offset + 1, dayAndVolts);
    putWord(log, offset + 3, amps);
}

QByteArray efficiencyIndexPage(std::uint8_t newest1, std::uint8_t flags1, std::uint8_t newest2,
                               std::uint8_t flags2)
{
    QByteArray page(252, '\0');
    for (std::uint8_t byte : {newest1, flags1, newest2, flags2})
        page.append(static_cast<char>(byte));
    return page;
}

void takePeriodic(CLoggedData& data, const PeriodicLogImage& image)
{
    data.area(Log::Periodic).setPointer(static_cast<std::uint16_t>(image.newest()));
    store(data, Log::Periodic, image.bytes);
}

void takeEfficiency(CLoggedData& data, const QByteArray& battery1, const QByteArray& battery2,
                    const QByteArray& indexPage)
{
    data.takeEfficiencyIndexes(indexPage);
    store(data, Log::Battery1Efficiency, battery1);
    store(data, Log::Battery2Efficiency, battery2);
}

std::vector<CPerData> decodePeriodic(QByteArrayView area, int newest, std::size_t room)
{
    std::vector<CPerData> records(room);
    records.resize(
        static_cast<std::size_t>(PeriodicLogDecoder::decode(area, newest, TestBaseTime, records)));
    return records;
}

std::vector<CEffData> decodeCycles(QByteArrayView log, int newest, bool wrapped, int cycles,
                                   std::size_t room)
{
    std::vector<CEffData> records(room);
    records.resize(static_cast<std::size_t>(
        EfficiencyLogDecoder::decode(log, newest, wrapped, TestBaseTime, records)));
    EfficiencyLogDecoder::compute(records);
    EfficiencyLogDecoder::average(records, cycles);
    return records;
}

ProfileEntries decodeProfile(QByteArrayView log, int newest, bool wrapped, bool present,
                             std::size_t room)
{
    ProfileEntries entries{std::vector<CIntData>(room), {}, {}, 0};
    entries.count = DischargeProfileDecoder::decode(log, newest, wrapped, present, entries.pool,
                                                    entries.battery1, entries.battery2);
    return entries;
}

// One record with all ten items, restated byte by byte: block 0 (no block before it, flags
// 0x03FF), day 2 block 5 minute 37; Ah1 0x13FF (code 1, 1023), Ah2 0x7005 (code 7, 5), Ah3
// 0x8C64 (negative 100), Wh1 0x207B (code 2, 123), Wh2 0x4007 (code 4, 7); Tmax -1 C, Tmin -128
// C; Volts1 0xF8FC (252 counts), Amps1 0x90FA (-250 x 0.01), Volts2 0x0104 (260 counts); 95%
// charged, 31% not.
std::vector<CPerData> allItems()
{
    QByteArray area(7424, '\0');
    area.replace(0, 26,
                 QByteArray::fromHex("00ff03 150025 ff13 0570 648c 7b20 0740 ff80 fcf8 "
                                     "fa90 0401 df1f"));
    return decodePeriodic(area, 3);
}

// Counter A falls by 100 per amp-hour charged, counter B rises by 100 per amp-hour discharged.
//   record 0  03/01 00:00
//   record 1  03/01 10:00                       (never valid: no cycle before it)
//   record 2  03/02 10:30  24.5 h, -40 / +50 Ah
//   record 3  03/03 06:30  20 h,   -27 / +30 Ah (valid unless told otherwise)
//   record 4  03/03 16:30  10 h,   -20 / +20 Ah
QByteArray fiveCycles(bool thirdValid)
{
    QByteArray log(2048, '\0');
    putCycle(log, 0, 0, 100000, 50000);
    putCycle(log, 1, 600, 90000, 52000);
    putCycle(log, 2, 600 + 1470, 85000, 56000);
    putCycle(log, 3, 600 + 1470 + 1200, 82000, 58700, thirdValid);
    putCycle(log, 4, 600 + 1470 + 1200 + 600, 80000, 60700);
    return log;
}

std::unique_ptr<CLoggedData> sampleDownload(int firstMinute, int records, bool otherLogs)
{
    auto data = std::make_unique<CLoggedData>();
    data->setUnitBaseTime(TestBaseTime);
    data->takeBatteryWord(1, QByteArray::fromHex("6400"));
    PeriodicLogImage periodic;
    for (int minute = firstMinute; minute < firstMinute + records; ++minute) {
        QByteArray fields(2, '\0');
        putWord(fields, 0, static_cast<std::uint16_t>(0x1000 + 100 * (minute % 10)));
        fields += QByteArray::fromHex(minute % 2 ? "d03c" : "503c");
        periodic.append(minute, CPerData::AMPHOURS1 | CPerData::BATTERYSTATE, fields);
    }
    takePeriodic(*data, periodic);
    if (otherLogs) {
        QByteArray cycles(2048, '\0');
        for (int index = 0; index < 3; ++index)
            putCycle(cycles, index, index * 1440, 1000 - 100 * index, 50 * index);
        takeEfficiency(*data, cycles, cycles, efficiencyIndexPage(2, 0, 2, 0));
        QByteArray profile(4096, '\0');
        for (int index = 1; index <= 10; ++index)
            putEntry(profile, index, index % 2 ? 0x10 : 0x8A, (5 << 11) | 240, 0x2005);
        data->takeDischargeProfilePointer(QByteArray::fromHex("003220"));
        store(*data, Log::DischargeProfile, profile);
    }
    return data;
}
