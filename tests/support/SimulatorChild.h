#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// The zeltravanic-sim program on a serial line of its own, registered as a COM number in a
// throwaway alias folder. A child process, because the serial link blocks this thread for
// every exchange and a unit in the same thread could not answer.
class SimulatorChild {
public:
    static constexpr int ComNumber = 7;

    SimulatorChild() = default;
    ~SimulatorChild() { stop(); }
    SimulatorChild(const SimulatorChild&) = delete;
    SimulatorChild& operator=(const SimulatorChild&) = delete;

    // Starts it with --serial, the alias and the extra arguments; false unless it announced its
    // device.
    bool start(const QStringList& arguments = {});
    // Ends it with SIGTERM; true when it then exited by itself with code 0.
    bool stop();
    // The next line it announces on its standard output (after the device: "tcp ADDRESS").
    QString readLine();

    const QString& devicePath() const { return devicePath_; }
    QString aliasFolder() const { return aliases_.path(); }
    QString errors() { return QString::fromLocal8Bit(process_.readAllStandardError()); }

private:
    QTemporaryDir aliases_;
    QProcess process_;
    QString devicePath_;
};
