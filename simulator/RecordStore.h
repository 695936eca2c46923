#pragma once

#include "simulator/RecordCatalog.h"

#include <QByteArray>
#include <QList>
#include <array>

// The unit's addressable records, as bytes. A READ starts at a record and may run on into the
// records laid out after it; a WRITE changes only bytes that a WRITE may change.
class RecordStore {
public:
    RecordStore();

    // length bytes from the record at address on; zeros for an address the unit does not
    // know and past the end of the record memory.
    QByteArray read(quint8 address, int length) const;
    // Writes data from the record at address on, skipping bytes the unit keeps to itself.
    // Returns the addresses of the records whose bytes changed.
    QList<quint8> write(quint8 address, QByteArrayView data);

    // The record's own bytes (length + tail), for the unit's inner workings.
    QByteArray bytes(quint8 address) const;
    quint8 byte(quint8 address, int index) const;
    quint16 word(quint8 address, int index) const;
    // Sets the record's own bytes from the start, whoever may write them.
    void set(quint8 address, QByteArrayView data);
    void setByte(quint8 address, int index, quint8 value);
    void setWord(quint8 address, int index, quint16 value);

    // Program parameters back to their factory contents (the clock and the network adapter's
    // settings stay as they are).
    void restoreFactoryParameters();

private:
    struct Placement {
        int offset = -1;
        const RecordDefinition* record = nullptr;
    };

    const Placement& placement(quint8 address) const;
    bool writable(int offset) const;

    std::array<Placement, 256> placements_{};
    QList<const RecordDefinition*> owners_; // the record owning each byte of memory_
    QByteArray memory_;
};
