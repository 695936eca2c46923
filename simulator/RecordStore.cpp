#include "simulator/RecordStore.h"

#include <algorithm>

RecordStore::RecordStore()
{
    for (const RecordDefinition& record : RecordCatalog::all()) {
        placements_[record.address] = {static_cast<int>(memory_.size()), &record};
        memory_.append(record.factory);
        for (int i = 0; i < record.length + record.tail; ++i)
            owners_.append(&record);
    }
}

const RecordStore::Placement& RecordStore::placement(quint8 address) const
{
    return placements_[address];
}

QByteArray RecordStore::read(quint8 address, int length) const
{
    QByteArray reply(length, '\0');
    const Placement& place = placement(address);
    if (place.record == nullptr || place.record->access == RecordAccess::Command)
        return reply;
    const int available = std::min<int>(length, static_cast<int>(memory_.size()) - place.offset);
    std::copy_n(memory_.constData() + place.offset, available, reply.data());
    return reply;
}

bool RecordStore::writable(int offset) const
{
    const RecordDefinition* owner = owners_.at(offset);
    const int placeOffset = placements_[owner->address].offset;
    if (offset - placeOffset >= owner->length)
        return false; // the tail behind a record is the unit's own
    return owner->access == RecordAccess::Parameter || owner->access == RecordAccess::Clock ||
           owner->access == RecordAccess::Network;
}

QList<quint8> RecordStore::write(quint8 address, QByteArrayView data)
{
    QList<quint8> changed;
    const Placement& place = placement(address);
    if (place.record == nullptr)
        return changed;
    const int end = std::min<int>(place.offset + static_cast<int>(data.size()),
                                  static_cast<int>(memory_.size()));
    for (int offset = place.offset; offset < end; ++offset) {
        if (!writable(offset))
            continue;
        memory_[offset] = data[offset - place.offset];
        const quint8 owner = owners_.at(offset)->address;
        if (!changed.contains(owner))
            changed.append(owner);
    }
    return changed;
}

QByteArray RecordStore::bytes(quint8 address) const
{
    const Placement& place = placement(address);
    if (place.record == nullptr)
        return {};
    return memory_.mid(place.offset, place.record->length + place.record->tail);
}

quint8 RecordStore::byte(quint8 address, int index) const
{
    const Placement& place = placement(address);
    if (place.record == nullptr || index >= place.record->length + place.record->tail)
        return 0;
    return static_cast<quint8>(memory_.at(place.offset + index));
}

quint16 RecordStore::word(quint8 address, int index) const
{
    return static_cast<quint16>(byte(address, index) | byte(address, index + 1) << 8);
}

void RecordStore::set(quint8 address, QByteArrayView data)
{
    const Placement& place = placement(address);
    if (place.record == nullptr)
        return;
    const int count =
        std::min<int>(static_cast<int>(data.size()), place.record->length + place.record->tail);
    std::copy_n(data.data(), count, memory_.data() + place.offset);
}

void RecordStore::setByte(quint8 address, int index, quint8 value)
{
    const Placement& place = placement(address);
    if (place.record == nullptr || index >= place.record->length + place.record->tail)
        return;
    memory_[place.offset + index] = static_cast<char>(value);
}

void RecordStore::setWord(quint8 address, int index, quint16 value)
{
    setByte(address, index, static_cast<quint8>(value & 0xFF));
    setByte(address, index + 1, static_cast<quint8>(value >> 8));
}

void RecordStore::restoreFactoryParameters()
{
    for (const RecordDefinition& record : RecordCatalog::all()) {
        if (record.access != RecordAccess::Parameter)
            continue;
        // Only the parameter bytes: a tail behind a parameter is the unit's own state.
        const int offset = placements_[record.address].offset;
        std::copy_n(record.factory.constData(), record.length, memory_.data() + offset);
    }
}
