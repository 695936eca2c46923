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
