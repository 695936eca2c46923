#pragma once

#include <QByteArray>
#include <QList>

// Who may change a record's bytes.
enum class RecordAccess {
    Parameter, // program parameter: WRITE changes it, factory defaults restore it
    Clock,     // unit clock: WRITE sets the clock
    Network,   // network adapter settings: WRITE changes them, factory defaults leave them
    Unit,      // measured or kept by the unit: WRITE leaves it alone
    Command,   // write only: the unit acts on the byte and keeps nothing
};

// One addressable record of the unit. Some records are followed by bytes of the unit's own
// that only a longer READ shows (the discharge-profile pointer behind P43).
struct RecordDefinition {
    quint8 address = 0;
    int length = 0;
    int tail = 0;
    RecordAccess access = RecordAccess::Unit;
    QByteArray factory; // length + tail bytes
};

// The records the unit serves, with their lengths and factory contents. The unit keeps them
// in one block of memory in falling address order, which is why a READ longer than a record
// runs on into the record below it: 4 bytes at 0xF2 are P14 then P15, 4 bytes at 0xCE are the
// alarm enables of battery 1 then battery 2.
class RecordCatalog {
public:
    static const QList<RecordDefinition>& all();
    // nullptr when the unit has no record at that address.
    static const RecordDefinition* find(quint8 address);
};
