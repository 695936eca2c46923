#pragma once

#include "link/ComPortDirectory.h"
#include "resources/RgbColor.h"

#include <QString>
#include <functional>
#include <memory>

class CUnitLink;
class QSerialPort;

// Finds the unit on the PC's serial ports: each listed port in turn is opened on its own (the
// link's transport is not touched), sent the probe READ of address 0x0F, and closed again; the
// first port whose answer is complete is the unit's.
class UnitSearch {
public:
    // The main window counts 2 answered bytes as a unit; the options page wants all 4.
    enum class Caller { MainWindow, OptionsPage };

    using StatusSink = std::function<void(const QString& text, RgbColor colour)>;
    // Told the number of each port just before it is probed.
    using ProbeObserver = std::function<void(int portNumber)>;

    UnitSearch(Caller caller, StatusSink status);

    void setProbeObserver(ProbeObserver observer) { probeObserver_ = std::move(observer); }

    // Searches the ports in the order given; on success sets the link's COM port to the port
    // found and returns its number, else 0.
    int SearchUnit(const QList<ComPort>& ports, CUnitLink& link);

    // What the search shows while it runs and when it found the unit; the options page's serial
    // test says the same.
    static QString searchingText();
    static QString foundText(int portNumber);

    // An open port at 2400 8N1 with the probe's time-outs, or null when it cannot be opened.
    static std::unique_ptr<QSerialPort> OpenProbePort(const QString& device);

private:
    bool probe(const QString& device) const;
    int bytesExpected() const { return caller_ == Caller::MainWindow ? 2 : 4; }

    Caller caller_;
    StatusSink status_;
    ProbeObserver probeObserver_;
};
