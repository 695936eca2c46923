#pragma once

#include <QByteArray>
#include <QList>

// The program's way of walking the unit's logs, written here from the reading rules alone, so
// the writers are checked against how the logs are read and not against themselves. Each
// returns the offsets of the records in oldest-first order.
namespace LogReaders {

// area: the 7424 bytes from 0x0300; pointer: the unit's pointer (0xD2 bytes 2-3).
QList<int> periodicRecords(const QByteArray& area, int pointer);
// The newest index and wrapped bit from 0x2FFC.. (offsets into the 2048-byte area).
QList<int> efficiencyRecords(int newest, bool wrapped);
// The pointer word served behind P43 (offsets into the 4096 bytes from 0x2000).
QList<int> dischargeEntries(int pointerWord);

} // namespace LogReaders
