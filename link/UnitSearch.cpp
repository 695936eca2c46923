#include "link/UnitSearch.h"

#include "link/CUnitLink.h"
#include "link/LinkFrame.h"
#include "link/RecordMap.h"
#include "link/SerialIo.h"

#include <QSerialPort>
#include <optional>

namespace {

// The probe waits about a second for its answer.
constexpr SerialIo::Limits ProbeReadLimits{1000, 4, 1000};
constexpr SerialIo::Limits ProbeWriteLimits{0, 10, 2000};

constexpr RgbColor Black = RgbColor::fromRgb(0, 0, 0);
constexpr RgbColor DarkGreen = RgbColor::fromRgb(0, 128, 0);
constexpr RgbColor Red = RgbColor::fromRgb(255, 0, 0);

void discardAndClose(QSerialPort& port)
{
    port.clearError();
    port.clear(QSerialPort::AllDirections);
    port.close();
}

} // namespace

UnitSearch::UnitSearch(Caller caller, StatusSink status)
    : caller_(caller), status_(std::move(status))
{}

std::unique_ptr<QSerialPort> UnitSearch::OpenProbePort(const QString& device)
{
    auto port = std::make_unique<QSerialPort>(device);
    if (device.isEmpty() || !port->open(QIODevice::ReadWrite))
        return nullptr;
    // A port whose settings fail is still tried as it is.
    SerialIo::configureLine(*port);
    return port;
}

QString UnitSearch::searchingText()
{
    return QStringLiteral("Searching for CW Unit...");
}

QString UnitSearch::foundText(int portNumber)
{
    return QStringLiteral("CW Unit found on Com %1").arg(portNumber);
}

int UnitSearch::SearchUnit(const QList<ComPort>& ports, CUnitLink& link)
{
    std::optional<BusySpan> busy;
    if (caller_ == Caller::MainWindow) {
        busy.emplace(link.busyIndicator());
        status_(searchingText(), Black);
    }
    int found = 0;
    for (const ComPort& port : ports) {
        if (probeObserver_)
            probeObserver_(port.number);
        if (probe(port.device)) {
            found = port.number;
            break;
        }
    }
    if (found) {
        link.SetComPort(found);
        status_(foundText(found), DarkGreen);
    } else {
        status_(QStringLiteral("No CW Unit found."), Red);
    }
    return found;
}

bool UnitSearch::probe(const QString& device) const
{
    const auto port = OpenProbePort(device);
    if (!port)
        return false;
    bool answered = false;
    if (SerialIo::write(*port, LinkFrame::read(RecordMap::Probe.address, RecordMap::Probe.length),
                        ProbeWriteLimits)) {
        char answer[RecordMap::Probe.length] = {};
        answered =
            SerialIo::read(*port, answer, bytesExpected(), ProbeReadLimits) == bytesExpected();
    }
    discardAndClose(*port);
    return answered;
}
