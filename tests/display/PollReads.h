#pragma once

#include <QByteArray>
#include <QList>
#include <ostream>

// One READ as the unit saw it: the address and length of its frame.
struct PollRead {
    int address = -1;
    int length = -1;

    friend bool operator==(const PollRead&, const PollRead&) = default;
    friend void PrintTo(const PollRead& read, std::ostream* out)
    {
        *out << "read 0x" << std::hex << read.address << std::dec << "/" << read.length;
    }
};

// The reads of the poll cycle, restated from what the unit is asked for.
namespace PollReads {

inline const PollRead Version{0xF7, 1};

// Firmware version, channel names, battery words, shunt types, both capacities.
inline const QList<PollRead> Startup{
    Version, {0xE1, 3}, {0xF2, 4}, {0xF6, 3}, {0xF2, 2}, {0xF1, 2},
};

// Alarm states and status flags, clock day and minute, both efficiency blocks.
inline const QList<PollRead> Pairs{
    {0xCE, 4}, {0x25, 2}, {0xF9, 2}, {0x24, 1}, {0xDA, 12}, {0xD7, 12},
};

inline QList<PollRead> repeated(const QList<PollRead>& reads, int times)
{
    QList<PollRead> out;
    for (int i = 0; i < times; ++i)
        out += reads;
    return out;
}

// The READ frames among the frames (0x81, address, length, checksum).
inline QList<PollRead> of(const QList<QByteArray>& frames)
{
    QList<PollRead> reads;
    for (const QByteArray& frame : frames)
        if (frame.size() == 4 && static_cast<unsigned char>(frame[0]) == 0x81)
            reads.append(
                {static_cast<unsigned char>(frame[1]), static_cast<unsigned char>(frame[2])});
    return reads;
}

} // namespace PollReads
