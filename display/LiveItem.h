#pragma once

#include "resources/RgbColor.h"

#include <QString>
#include <array>

// One record of the live item table: what the unit is asked for, how its reply is decoded and
// the last decoded value. Records 5 and 6 and the record of an item that is not in use stay
// all zero.
struct LiveItem {
    // Widths of the unit's text fields; longer texts are cut to them.
    static constexpr qsizetype VALUE_TEXT_SIZE = 9;
    static constexpr qsizetype UNIT_TEXT_SIZE = 9;
    static constexpr qsizetype LABEL_TEXT_SIZE = 34;
    static constexpr qsizetype RAW_REPLY_SIZE = 13;

    quint16 itemNumber = 0; // n of ADn; 0 for "None" and for records not in use
    bool polled = false;    // shown in a display slot, so the poll cycle reads it
    bool valid = false;     // the value fields hold a decoded reply
    quint32 helpTopic = 0;
    quint16 decodeType = 0; // 1..10; 0 for items that are never read
    quint16 address = 0;    // unit record; only the low byte is sent
    quint16 length = 0;     // bytes requested; a reply must carry exactly this many
    quint16 labelId = 0;    // string id of the label format
    quint8 resetCode = 0;   // byte written to the command record to zero the value; 0 = none
    RgbColor colorHigh;     // at or above the threshold
    RgbColor colorLow;      // below the threshold
    float threshold = 0.0f;
    float value = 0.0f;
    QString valueText;
    QString unitText;
    QString labelText;
    std::array<quint8, RAW_REPLY_SIZE> rawReply{};
};
