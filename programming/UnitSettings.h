#pragma once

#include "programming/RecordExchange.h"
#include "programming/SettingsFile.h"

#include <QSet>

class CUnitLink;
class ParameterTable;

// Saves a unit's settings to a file, compares a file with the unit and writes the records that
// differ back, with the link's own checks on every record: a record that cannot be read fails
// the save or the comparison and is named; every write waits for its acknowledgement and is read
// back. The desktop program and the command line both work through this class.
class UnitSettings {
public:
    // One record of a file beside the unit's.
    struct Compared {
        SettingsRecords::Kept record;
        QByteArray fileBytes;
        int fileLine = 0;
        QString fileText;
        // None when the unit's firmware does not offer the record.
        std::optional<QByteArray> unitBytes;
        QString unitText;
        // Why the record may not be written to this unit; empty when it may.
        QString note;

        bool differs() const { return unitBytes != fileBytes; }
        bool isWritable() const { return differs() && note.isEmpty(); }
        // The network blocks are compared but not offered ticked: two adapters with one static
        // address clash on a network.
        bool isTickedByDefault() const { return isWritable() && !record.isNetwork(); }
    };

    struct Report {
        // Each acknowledged and read back as written, in the order written.
        QList<SettingsRecords::Kept> written;
        // Why the restore stopped, naming the record; empty when it did not.
        QString failure;

        bool completed() const { return failure.isEmpty(); }
        // For people: what was written, or where the restore stopped and what it had written.
        QString summary() const;
    };

    // The link and the table (whose slots cache what is written) must outlive this object.
    UnitSettings(CUnitLink& link, ParameterTable& table, float unitFirmware);

    // Reads every kept record the unit's firmware offers.
    std::optional<SettingsFile> save(const QDateTime& now);
    // Values the unit holds that their dialogs would refuse; a file saved with them is refused
    // until they are corrected in it.
    const QStringList& warnings() const { return warnings_; }

    // Reads the unit's copy of every record of the file.
    std::optional<QList<Compared>> compare(const SettingsFile& file);
    // "P11-13 Shunt Types is skipped: ...", for each record that differs but may not be written.
    static QStringList skipped(const QList<Compared>& comparison);

    // Writes the records of the comparison whose slots are selected and that may be written,
    // in the comparison's order; each written record's unit side becomes what was read back.
    // Stops at the first record that is not acknowledged or not read back as written.
    Report restore(QList<Compared>& comparison, const QSet<int>& selectedSlots);

    // Why save or compare failed.
    const QString& errorText() const { return error_; }

private:
    std::optional<QByteArray> readRecord(const SettingsRecords::Kept& record);
    QString writeAndConfirm(Compared& row);

    RecordExchange exchange_;
    float unitFirmware_;
    QString error_;
    QStringList warnings_;
};
