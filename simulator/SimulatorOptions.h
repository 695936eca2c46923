#pragma once

#include "simulator/FaultPlan.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// What the command line asks of the simulator.
struct SimulatorOptions {
    enum class Outcome { Run, Help, Error };

    std::optional<quint16> tcpPort;
    bool serial = false;
    int aliasNumber = 0; // 0: no alias
    QString portsFolder;
    QString scenario;
    QString imageFile;
    QString saveImageFile;
    int fastForwardDays = 0;
    bool paced = false;
    int latencyMs = 0;
    int maxSeconds = 0; // 0: run until stopped
    bool verbose = false;
    bool noListen = false;
    int speed = 1;        // unit seconds per real second
    int clockMinute = -1; // minute of day 0 the unit clock starts at; -1: the PC's time
    quint8 statusByte = 0;
    QList<std::pair<FaultKind, QString>> faults;

    // Reads the arguments (program name first). Help and Error come with the text to print.
    static Outcome parse(const QStringList& arguments, SimulatorOptions& options, QString& text);
};
