#pragma once

#include "programming/ParameterTable.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>
#include <optional>

// The records a settings file keeps: every record of the parameter table that a person sets
// through a parameter dialog, and the network adapter's three settings blocks. Never kept: the
// unit's clock (P38), which a copy would set wrong the moment it is written; the erase and
// initialise command (P45-49), which is an action, not a setting; the charge-control record
// ("P17-20"), which the program neither reads nor writes; and the adapter's fourth block, which
// the program always writes as zeros.
//
// How a record reads and which values it accepts come from the encodings its dialog uses, so a
// file shows a value as the dialog would and refuses what the dialog would refuse.
namespace SettingsRecords {

// Which firmware offers a record as the dialogs do.
enum class FirmwareRule {
    Any,
    // The meaning of some of its bits changed with the new-features firmware (the relay's
    // "charge criteria" percent, the Amps 2 sum bit of the shunts).
    LayoutChangesWithNewFeatures,
    // Only the new-features firmware has it (the network adapter's blocks).
    NewFeaturesOnly,
};

struct Kept {
    ParameterSlot slot;
    // What a file and the command line name the record by: "P26", "NetA".
    QString tag;
    QString name;
    FirmwareRule firmware;

    bool isNetwork() const { return firmware == FirmwareRule::NewFeaturesOnly; }
    // "P26 Battery 1 Low Alarm".
    QString title() const { return tag + u' ' + name; }
};

// In the order of the parameter table.
QList<Kept> kept();
// Tags match without regard to case.
std::optional<Kept> withTag(QStringView tag);
std::optional<Kept> ofSlot(int slot);

// The record's bytes as a person reads them: "11.8 V, 50 %". The firmware decides what the
// firmware-dependent bits mean.
QString readable(const Kept& record, QByteArrayView bytes, float firmwareVersion);
// The message of the record dialog's own check that refuses these bytes' values; empty when the
// dialog would accept them.
QString check(const Kept& record, QByteArrayView bytes, float firmwareVersion);

bool isOffered(const Kept& record, float unitFirmware);
// Why a record saved from a unit of fileFirmware may not be written to a unit of unitFirmware;
// empty when it may.
QString firmwareNote(const Kept& record, float fileFirmware, float unitFirmware);

} // namespace SettingsRecords
