#pragma once

#include <QByteArray>
#include <initializer_list>

// Byte strings written as the unit's numbers.
inline QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

// The data followed by the checksum byte that makes the 8-bit sum 0xFF.
inline QByteArray withChecksum(QByteArray data)
{
    unsigned char sum = 0;
    for (char c : data)
        sum = static_cast<unsigned char>(sum + static_cast<unsigned char>(c));
    data.append(static_cast<char>(0xFF - sum));
    return data;
}
