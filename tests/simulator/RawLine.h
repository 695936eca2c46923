#pragma once

#include <QByteArray>
#include <QIODevice>

// The program's end of a serial line (QSerialPort) or of the adapter's socket (QTcpSocket)
// without the program's link: the test writes bytes and reads what comes back. It blocks, so the
// unit must be served from another thread or process.
namespace RawLine {

// Waits until count bytes have come; returns what came (fewer when the limit passed first).
inline QByteArray receive(QIODevice& line, int count, int limitMs = 5000)
{
    QByteArray got;
    while (got.size() < count && (line.bytesAvailable() > 0 || line.waitForReadyRead(limitMs)))
        got += line.read(count - got.size());
    return got;
}

inline QByteArray exchange(QIODevice& line, const QByteArray& bytes, int count)
{
    line.write(bytes);
    line.waitForBytesWritten(5000);
    return receive(line, count);
}

// The adapter's greeting, then the login code; the adapter's one-byte answer (0: accepted).
inline QByteArray logIn(QIODevice& adapter,
                        const QByteArray& code = "\x5A\x54\x56\x2D\x4C\x4E\x4B\x31")
{
    return receive(adapter, 9).size() == 9 ? exchange(adapter, code, 1) : QByteArray();
}

} // namespace RawLine
