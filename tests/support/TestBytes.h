#pragma once

#include <QByteArray>
#include <initializer_list>

// Bytes written out as numbers, the way frames and replies are quoted.
inline QByteArray bytesOf(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (int value : values)
        bytes.append(static_cast<char>(value));
    return bytes;
}

inline int byteAt(const QByteArray& bytes, int index)
{
    return static_cast<quint8>(bytes.at(index));
}

// The bytes followed by the checksum that closes a frame or reply: 0xFF minus their 8-bit sum.
inline QByteArray withChecksum(QByteArray bytes)
{
    unsigned char sum = 0;
    for (char byte : bytes)
        sum = static_cast<unsigned char>(sum + static_cast<unsigned char>(byte));
    bytes.append(static_cast<char>(0xFF - sum));
    return bytes;
}
