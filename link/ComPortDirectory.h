#pragma once

#include <QList>
#include <QString>

// A serial port as the user picks it: its COM number and the device behind it.
struct ComPort {
    int number = 0;
    QString device;

    friend bool operator==(const ComPort&, const ComPort&) = default;
};

// The COM numbers of this PC's serial ports. The settings keep a port by number, so numbers
// must not move. On Linux: /dev/ttyS<k> is COM k+1, /dev/ttyUSB<k> is COM k+101, /dev/ttyACM<k>
// is COM k+201, and other serial devices take free numbers from 301 in name order. On Windows
// COMn is COM n. Over all of that, a folder of aliases (symbolic links named COM<n>, any case)
// can point any number at any device: a /dev/serial/by-id/ name that survives replugging, or a
// pseudo-terminal such as the unit simulator's.
class ComPortDirectory {
public:
    static constexpr int UsbBase = 101;
    static constexpr int AcmBase = 201;
    static constexpr int OtherBase = 301;
    static constexpr int MaxAlias = 255;

    // aliasFolder may be empty: then only the platform's ports are listed.
    explicit ComPortDirectory(QString aliasFolder = {});

    const QString& aliasFolder() const { return aliasFolder_; }
    // An alias kept in memory only, over those of the folder (the command line's --serial PATH).
    void setAlias(int number, const QString& device);

    // The ports present, aliases included, in number order.
    QList<ComPort> list() const;
    // The device to open for a COM number; empty when no device is known for it.
    QString deviceFor(int number) const;

    // "COM%1": how the user names a port.
    static QString nameOf(int number);
    // The fixed number of a platform port name (ttyS0, ttyUSB3, COM7); 0 when it has none.
    static int fixedNumberFor(const QString& portName);

private:
    QList<ComPort> aliases() const;
    QList<ComPort> platformPorts() const;

    QString aliasFolder_;
    QList<ComPort> memoryAliases_;
};
