#pragma once

#include <QByteArray>
#include <cstdint>

class QSerialPort;

// Blocking reads and writes on a serial port under per-call time-outs: the whole call may take
// multiplier x bytes + constant (both 0: no limit), and a read may wait `interval` between two
// bytes once the first has come (0: no limit).
namespace SerialIo {

struct Limits {
    std::uint32_t interval = 0;
    std::uint32_t multiplier = 0;
    std::uint32_t constant = 0;
};

// Reads up to count bytes into dest; the number read, or -1 when the read call itself failed.
int read(QSerialPort& port, char* dest, int count, const Limits& limits);
// Writes the bytes; false only when the write call failed (a time-out is not a failure).
bool write(QSerialPort& port, const QByteArray& bytes, const Limits& limits);

// 2400 baud, 8 data bits, no parity, one stop bit, no flow control.
bool configureLine(QSerialPort& port);

} // namespace SerialIo
