#pragma once

#include "logged/CLoggedData.h"
#include "logged/LogTimeText.h"

#include <QByteArray>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

// Memory images of the unit's logs, built the way the unit fills them, and what a test needs
// to turn them into a download. Times are minutes since the unit's day 0, 00:00, which the
// tests place at 03/01/2026 00:00:00 UTC so that the texts do not depend on the machine's zone.

inline constexpr qint64 TestBaseTime = 1772323200;

inline LogTimeText utcTimeText()
{
    return LogTimeText(QTimeZone::utc());
}

// The periodic log area (7424 bytes from unit address 0x0300).
class PeriodicLogImage {
public:
    // Appends a record; fields holds the item values in flag order (all zero when empty). A
    // change of flags or a full block starts the next block, whose first byte points at the
    // last record of the block before.
    void append(int minute, std::uint16_t flags, const QByteArray& fields = {});

    // The unit's newest-record pointer less 0x0300; 0x1CC0 while the log is empty.
    int newest() const { return newest_; }
    QByteArray bytes = QByteArray(7424, '\0');

private:
    int newest_ = 0x1CC0;
};

// One battery's efficiency log (2048 bytes): puts record `index` (0..223) into it.
void putCycle(QByteArray& log, int index, int minute, std::uint32_t counterA,
              std::uint32_t counterB, bool valid = true);
// The discharge profile log (4096 bytes from 0x2000): puts ring entry `index` (0..755) into it.
void putEntry(QByteArray& log, int index, std::uint8_t byte0, std::uint16_t dayAndVolts,
              std::uint16_t amps);

// The page read from 0x2F00: the newest index and flags byte (bit 7: wrapped) of each battery.
QByteArray efficiencyIndexPage(std::uint8_t newest1, std::uint8_t flags1, std::uint8_t newest2,
                               std::uint8_t flags2);

// Give a download a log's memory and ring state as its transfer would, and decode it.
void takePeriodic(CLoggedData& data, const PeriodicLogImage& image);
void takeEfficiency(CLoggedData& data, const QByteArray& battery1, const QByteArray& battery2,
                    const QByteArray& indexPage);

// Each log decoded on its own, oldest first, into pools of `room` records (the pools' capacity
// unless a test narrows it); the efficiency figures are computed and averaged over `cycles`.
std::vector<CPerData> decodePeriodic(QByteArrayView area, int newest, std::size_t room = 1392);
std::vector<CEffData> decodeCycles(QByteArrayView log, int newest, bool wrapped, int cycles = 5,
                                   std::size_t room = 224);
struct ProfileEntries {
    std::vector<CIntData> pool;
    std::vector<CIntData*> battery1, battery2;
    int count = 0;
};
ProfileEntries decodeProfile(QByteArrayView log, int newest, bool wrapped, bool present = true,
                             std::size_t room = 756);

// The worked periodic record with all ten items (LogImages.cpp restates it byte by byte).
std::vector<CPerData> allItems();
// A battery's log of five cycles (the third one marked valid unless told otherwise).
QByteArray fiveCycles(bool thirdValid = true);

// A download whose periodic log holds amp-hours (the minute in amp-hours, modulo 10) and
// battery state (80 %, charged on odd minutes), one record a minute from `firstMinute`.
// Battery 1 has a capacity, battery 2 none. With the other logs, each battery holds three
// cycles and five discharge profile entries.
std::unique_ptr<CLoggedData> sampleDownload(int firstMinute, int records, bool otherLogs = false);

template <typename Record> std::vector<Record*> pointersTo(std::span<Record> records)
{
    std::vector<Record*> pointers;
    for (Record& record : records)
        pointers.push_back(&record);
    return pointers;
}
