#pragma once

#include <QByteArray>
#include <QString>

// One request as the unit took it off the line.
struct UnitRequest {
    enum class Kind { Read, BulkRead, Write };

    Kind kind = Kind::Read;
    // READ and WRITE: the record address; BULK READ: the page (high byte of the page address).
    quint8 address = 0;
    // READ: bytes asked for; BULK READ: pages asked for; WRITE: data bytes carried.
    int count = 0;
    // WRITE: the data bytes.
    QByteArray data;
    // The frame's own checksum byte, which a WRITE acknowledgement repeats.
    quint8 checksum = 0;
    // Bytes the request took on the line, TCP prefix included.
    int frameSize = 0;
    // The frame as it came, without the TCP prefix.
    QByteArray frame;

    // "READ 0xF7 1", "BULK 0x2F 1", "WRITE 0x27 1" - for the request log.
    QString describe() const;
};
