#include "simulator/RecordCatalog.h"

#include <algorithm>

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray result;
    for (int value : values)
        result.append(static_cast<char>(value));
    return result;
}

QByteArray zeros(int count)
{
    return QByteArray(count, '\0');
}

QByteArray text(const char* value, int size)
{
    QByteArray result(value);
    result.resize(size, '\0');
    return result;
}

RecordDefinition parameter(quint8 address, QByteArray factory)
{
    const int length = static_cast<int>(factory.size());
    return {address, length, 0, RecordAccess::Parameter, std::move(factory)};
}

RecordDefinition unitRecord(quint8 address, int length)
{
    return {address, length, 0, RecordAccess::Unit, zeros(length)};
}

QList<RecordDefinition> liveRecords()
{
    // The live measurements: volts, amps, amp-hours, watts, watt-hours, percent full, days
    // since charged and equalised, temperature. The battery model fills them.
    const std::pair<quint8, int> live[] = {
        {0x01, 2}, {0x02, 2}, {0x03, 2}, {0x04, 2}, {0x05, 3}, {0x06, 3}, {0x07, 3},
        {0x08, 3}, {0x09, 3}, {0x0A, 3}, {0x0C, 3}, {0x0D, 3}, {0x0F, 4}, {0x12, 3},
        {0x13, 3}, {0x15, 4}, {0x16, 4}, {0x17, 3}, {0x18, 3}, {0x19, 1}, {0x1A, 1},
        {0x1B, 1}, {0x1C, 2}, {0x1D, 2}, {0x1E, 2}, {0x1F, 2}};
    QList<RecordDefinition> records;
    for (const auto& [address, length] : live)
        records.append(unitRecord(address, length));
    return records;
}

QList<RecordDefinition> displaySwitchRecords()
{
    // P1..P5: the five live items the unit's display switch offers in each position.
    return {parameter(0xFF, bytes({1, 7, 13, 22, 28})), parameter(0xFE, bytes({2, 8, 14, 23, 19})),
            parameter(0xFD, bytes({3, 10, 15, 18, 20})),
            parameter(0xFC, bytes({4, 11, 21, 24, 26})),
            parameter(0xFB, bytes({9, 12, 16, 17, 25}))};
}

QList<RecordDefinition> programRecords()
{
    return {
        parameter(0xE1, bytes({0x06, 0x06, 0x01})),     // P6-9: Battery 1, Battery 2, Solar
        parameter(0xF6, bytes({0x10, 0x00, 0x00})),     // P11-13: 500A/50mV on Amps 1
        parameter(0xF2, bytes({200, 0})),               // P14: 200 Ah
        parameter(0xF1, bytes({100, 0})),               // P15: 100 Ah
        parameter(0xF3, bytes({1})),                    // P16: 0.5 minutes
        parameter(0xF0, zeros(7)),                      // P17-20
        parameter(0xCE, bytes({0x66, 0x01})),           // P22-23: low and high audible, rest visual
        parameter(0xCD, bytes({0x66, 0x01})),           // P24-25
        parameter(0xEC, bytes({118, 0, 50})),           // P26: 11.8 V or below 50 %
        parameter(0xEA, bytes({150, 0, 0})),            // P27: 15.0 V
        parameter(0xEB, bytes({118, 0, 50})),           // P28
        parameter(0xE9, bytes({150, 0, 0})),            // P29
        parameter(0xD4, bytes({120, 0, 0, 138, 0, 0})), // P30-31: on below 12.0 V, off above 13.8 V
        parameter(0xE8, bytes({142, 0, 4})),            // P32: above 14.2 V and below 4 A
        parameter(0xE7, bytes({142, 0, 2})),            // P33: above 14.2 V and below 2 A
        parameter(0xE5, bytes({90, 5, 0})),             // P34-35: 90 %, 0.05 A
        parameter(0xE3, bytes({30})),                   // P36: equalise every 30 days
        parameter(0xE2, bytes({7})),                    // P37: charge every 7 days
        // P39-42: every hour from midnight; AHr 1, AHr 2, Temp, Filt Volts 1/2, % Full.
        parameter(0xD0, bytes({0x27, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x63, 0x03})),
    };
}

QList<RecordDefinition> unitRecords()
{
    return {
        // P43: 5 % steps for both batteries, followed by the discharge-profile pointer
        // (0x2000: empty).
        {0xD1, 1, 2, RecordAccess::Parameter, bytes({0xE0, 0x00, 0x20})},
        // Periodic log: records since the last clear, then the newest-record pointer (0x1FC0:
        // empty).
        {0xD2, 4, 0, RecordAccess::Unit, bytes({0, 0, 0xC0, 0x1F})},
        unitRecord(0xDA, 12),                          // battery 1 efficiency figures
        unitRecord(0xD7, 12),                          // battery 2 efficiency figures
        unitRecord(0x25, 2),                           // status flags
        {0xF7, 1, 0, RecordAccess::Unit, bytes({25})}, // firmware version 2.5
        {0xF9, 2, 0, RecordAccess::Clock, zeros(2)},
        {0x24, 1, 0, RecordAccess::Clock, zeros(1)},
        {0x27, 1, 0, RecordAccess::Command, zeros(1)},
    };
}

QList<RecordDefinition> networkRecords()
{
    // The adapter's own defaults: DHCP, 255.255.0.0, port 1701, "ZELTRAVANIC1".
    return {
        {0x90, 14, 0, RecordAccess::Network, bytes({1, 0, 0, 0, 0, 0, 0, 0, 0, 16, 0, 0, 0, 0})},
        {0x91, 6, 0, RecordAccess::Network, bytes({0, 0, 0, 0, 0xA5, 0x06})},
        {0x92, 16, 0, RecordAccess::Network, text("ZELTRAVANIC1", 16)},
        {0x93, 16, 0, RecordAccess::Network, zeros(16)},
    };
}

QList<RecordDefinition> buildCatalog()
{
    QList<RecordDefinition> records = liveRecords();
    records += displaySwitchRecords();
    records += programRecords();
    records += unitRecords();
    records += networkRecords();
    std::sort(
        records.begin(), records.end(),
        [](const RecordDefinition& a, const RecordDefinition& b) { return a.address > b.address; });
    return records;
}

} // namespace

const QList<RecordDefinition>& RecordCatalog::all()
{
    static const QList<RecordDefinition> catalog = buildCatalog();
    return catalog;
}

const RecordDefinition* RecordCatalog::find(quint8 address)
{
    for (const RecordDefinition& record : all()) {
        if (record.address == address)
            return &record;
    }
    return nullptr;
}
